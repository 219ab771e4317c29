#include "cli/form_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/errors.h"
#include "model/gbk.h"
#include "model/numfmt.h"

namespace kuma {
namespace {

std::string Trim(std::string_view s) {
  const char* blanks = " \t\r\n";
  const std::size_t first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(blanks) - first + 1));
}

// True for the form's edit boxes ("Edit1", ...) and drop-down lists
// ("ComboBox1", ...); isList tells which.
bool IsSettable(const MapForm& form, const std::string& name, bool& isList) {
  auto numbered = [&name](const char* prefix) {
    const std::string p = prefix;
    if (name.compare(0, p.size(), p) != 0 || name.size() == p.size()) return false;
    const std::string digits = name.substr(p.size());
    return digits.size() <= 3 && digits[0] != '0' &&
           digits.find_first_not_of("0123456789") == std::string::npos;
  };
  isList = numbered("ComboBox") && form.ListSize(name) >= 0;
  return (isList || numbered("Edit")) && form.HasControl(name);
}

// Form files are a few hundred lines; anything this large is not one (and a
// device such as /dev/zero would never end).
constexpr std::size_t kMaxFormBytes = 64u << 20;

// Every text of the form is UTF-8 (the window gives nothing else, and a
// section file can only hold UTF-8). Text that is not is taken as GBK, the
// encoding of Chinese Windows, when it is valid GBK as a whole; otherwise it
// is refused, so that no stray byte reaches the form.
bool ToUtf8(std::string& text) {
  if (IsValidUtf8(text)) return true;
  std::string converted = GbkToUtf8(text);
  if (converted.find("\xEF\xBF\xBD") != std::string::npos) return false;  // not GBK either
  text = std::move(converted);
  return true;
}

// Takes the first line off `text`: lines end with LF, CR LF or CR alone.
std::string_view TakeLine(std::string_view& text) {
  const std::size_t end = text.find_first_of("\r\n");
  const std::string_view line = text.substr(0, end);
  std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
  if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
      text[next] == '\n') {
    ++next;  // CR LF is one line end
  }
  text.remove_prefix(next);
  return line;
}

constexpr const char* kNotUtf8 = "text that is not UTF-8 (nor GBK)";

[[noreturn]] void ThrowUnreadable(const std::string& path, int error) {
  throw UsageError("cannot read form file '" + MessageText(path) + "': " + std::strerror(error));
}

}  // namespace

void ApplyFormValue(MapForm& form, const std::string& given, const std::string& where) {
  std::string line = given;
  if (!ToUtf8(line)) throw UsageError(where + kNotUtf8);
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) {
    throw UsageError(where + "expected Name=Text, got '" + MessageText(line) + "'");
  }
  const std::string name = Trim(std::string_view(line).substr(0, eq));
  const std::string text = Trim(std::string_view(line).substr(eq + 1));
  bool isList = false;
  if (!IsSettable(form, name, isList)) {
    throw UsageError(where + "unknown field '" + MessageText(name) + "'");
  }
  if (!isList) {
    form.SetText(name, text);
    return;
  }
  int position = -1;
  try {
    position = StrToInt(text);
  } catch (const Error&) {
    position = -1;
  }
  if (position < 0 || position >= form.ListSize(name)) {
    throw UsageError(where + "no entry at position '" + MessageText(text) + "' in " + name +
                     " (0.." + std::to_string(form.ListSize(name) - 1) + ")");
  }
  form.SetItemIndex(name, position);
}

void ApplyFormText(MapForm& form, std::string_view given, const std::string& source) {
  std::string whole(given);
  if (!ToUtf8(whole)) {
    // Names the first line that is not UTF-8.
    std::size_t number = 1;
    while (!given.empty() && IsValidUtf8(std::string(TakeLine(given)))) ++number;
    throw UsageError(MessageText(source) + ":" + std::to_string(number) + ": " + kNotUtf8);
  }
  std::string_view text = whole;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int number = 0;
  while (!text.empty()) {
    const std::string_view line = TakeLine(text);
    ++number;
    const std::string content = Trim(line);
    if (content.empty() || content[0] == '#') continue;
    ApplyFormValue(form, content, MessageText(source) + ":" + std::to_string(number) + ": ");
  }
}

void ApplyFormFile(MapForm& form, const std::string& path) {
  if (path.empty()) ThrowUnreadable(path, ENOENT);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowUnreadable(path, errno);
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    ThrowUnreadable(path, EISDIR);
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      ThrowUnreadable(path, error);
    }
    text.append(buffer, static_cast<std::size_t>(n));
    if (text.size() > kMaxFormBytes) {
      ::close(fd);
      throw UsageError("cannot read form file '" + MessageText(path) +
                       "': larger than 64 MB, not a form file");
    }
  }
  ::close(fd);
  ApplyFormText(form, text, path);
}

}  // namespace kuma
