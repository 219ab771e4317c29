#include "cli/form_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>

#include "material/material_groups.h"
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

void ApplyFormValue(MapForm& form, const std::string& given, const std::string& where,
                    bool fillGrades) {
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
    // A box of a graded material group typed by hand leaves the grade; a
    // plate thickness moves the structural steel's grade to its row.
    const bool changed = form.Text(name) != text;
    form.SetText(name, text);
    if (fillGrades && changed) FollowTypedBox(form, name);
    return;
  }
  int position = -1;
  try {
    position = StrToInt(text);
  } catch (const Error&) {
    position = -1;
  }
  // An entry may also be named by its text.
  if (position < 0 || position >= form.ListSize(name)) {
    for (const ListEntries& list : DropDownLists()) {
      if (name != list.name) continue;
      for (std::size_t i = 0; i < list.entries.size(); ++i)
        if (text == list.entries[i]) position = static_cast<int>(i);
    }
  }
  if (position < 0 || position >= form.ListSize(name)) {
    throw UsageError(where + "no entry at position '" + MessageText(text) + "' in " + name +
                     " (0.." + std::to_string(form.ListSize(name) - 1) + ")");
  }
  form.SetItemIndex(name, position);
  // Choosing a grade, or the value level, fills the material boxes.
  if (!fillGrades) return;
  if (name == kLevelList) FillAllGrades(form);
  if (name == kSectionKindList) RefillFromGrade(form, MaterialGroups()[kSteelShapeGroup]);
  for (const MaterialGroupControls& g : MaterialGroups())
    if (name == g.gradeList) FillFromGrade(form, g);
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
  bool refillAll = false;
  std::vector<const MaterialGroupControls*> refill;
  std::vector<std::string> typed;  // boxes of the material groups
  while (!text.empty()) {
    const std::string_view line = TakeLine(text);
    ++number;
    const std::string content = Trim(line);
    if (content.empty() || content[0] == '#') continue;
    ApplyFormValue(form, content, MessageText(source) + ":" + std::to_string(number) + ": ",
                   false);
    const std::string name = Trim(std::string_view(content).substr(0, content.find('=')));
    if (name == kLevelList) refillAll = true;
    for (const MaterialGroupControls& g : MaterialGroups())
      if (name == g.gradeList) refill.push_back(&g);
    const bool strainBox =
        std::find(std::begin(kUltimateStrainBoxes), std::end(kUltimateStrainBoxes), name) !=
        std::end(kUltimateStrainBoxes);
    if (GroupOfBox(name) != nullptr || strainBox) typed.push_back(name);
  }
  // Decided on the final form, so that reading a text twice gives the same
  // form: a graded group whose typed boxes differ from its grade's values
  // goes back to "自定义"; the grades the text chose (or all, when it set the
  // level) then fill their boxes (the section kind, which picks the steel's
  // thickness row, may come later in the text).
  for (const MaterialGroupControls& g : MaterialGroups()) {
    if (form.ItemIndex(g.gradeList) <= 0) continue;
    std::vector<std::pair<std::string, std::string>> kept;  // the boxes as typed
    for (const char* box : {g.fc, g.e0, g.fcu, g.ecu, g.Es, g.fy, g.n, g.fst, g.eu})
      if (box != nullptr) kept.emplace_back(box, form.Text(box));
    RefillFromGrade(form, g);
    bool differs = false;
    for (const std::string& box : typed)
      for (const auto& [name, was] : kept)
        differs = differs || (GroupOfBox(box) == &g && box == name && form.Text(box) != was);
    if (!differs) continue;
    for (const auto& [name, was] : kept) form.SetText(name, was);
    form.SetItemIndex(g.gradeList, 0);
  }
  if (refillAll) FillAllGrades(form);
  // The grades the text chose fill their boxes and the ultimate strain; an
  // ultimate strain box the text typed itself keeps what it typed.
  std::vector<std::pair<const char*, std::string>> strains;
  for (const char* box : kUltimateStrainBoxes)
    if (std::find(typed.begin(), typed.end(), box) != typed.end())
      strains.emplace_back(box, form.Text(box));
  for (const MaterialGroupControls* g : refill) FillFromGrade(form, *g);
  for (const auto& [box, typedText] : strains) form.SetText(box, typedText);
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
