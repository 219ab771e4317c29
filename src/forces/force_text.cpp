// Reading a force file into UTF-8 text: the size limit, the encodings an
// export may arrive in (UTF-8 with or without a byte-order mark, GBK, UTF-16
// with a byte-order mark or recognisable without one), and the refusal of
// anything else by name rather than by a puzzling conversion error later.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "forces/forces.h"
#include "model/errors.h"
#include "model/gbk.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

[[noreturn]] void ThrowTooLarge(const std::string& path, unsigned long long bytes) {
  throw Error("文件 \"" + path + "\" 有 " + FormatInt(static_cast<long long>(bytes)) +
              " 字节, 超过了能读取的 2 GB (" +
              FormatInt(static_cast<long long>(kMaxForceFileBytes)) + " 字节); 未导入任何内力。");
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-16 code units from `start`; unpaired surrogates and a cut-off last
// byte become U+FFFD.
std::string Utf16ToUtf8(const std::string& bytes, std::size_t start, bool bigEndian) {
  auto unit = [&](std::size_t i) -> char32_t {
    const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    return static_cast<char32_t>(hi << 8 | lo);
  };
  std::string out;
  out.reserve((bytes.size() - start) / 2 + 16);
  std::size_t i = start;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    AppendUtf8(out, c);
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
}

// UTF-16 without a byte-order mark, recognised by its zero bytes: text of
// mostly Latin characters has a zero in every other byte, on one side only.
// Returns 1 little-endian, 2 big-endian, 0 neither.
int GuessUtf16(const std::string& bytes) {
  const std::size_t n = std::min<std::size_t>(bytes.size(), 65536) & ~std::size_t{1};
  std::size_t evenZeros = 0, oddZeros = 0;
  for (std::size_t i = 0; i < n; i += 2) {
    evenZeros += bytes[i] == '\0';
    oddZeros += bytes[i + 1] == '\0';
  }
  const std::size_t pairs = n / 2;
  if (pairs == 0) return 0;
  if (evenZeros == 0 && oddZeros * 4 >= pairs) return 1;
  if (oddZeros == 0 && evenZeros * 4 >= pairs) return 2;
  return 0;
}

bool StartsWith(const std::string& bytes, const char* mark, std::size_t length) {
  return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

// Zero bytes without a UTF-16 or UTF-32 byte-order mark and not in the
// pattern of UTF-16 text: not a text file at all.
bool LooksBinary(const std::string& bytes) {
  if (StartsWith(bytes, "\xFF\xFE", 2) || StartsWith(bytes, "\xFE\xFF", 2) ||
      StartsWith(bytes, "\x00\x00\xFE\xFF", 4))
    return false;
  return bytes.find('\0') != std::string::npos && GuessUtf16(bytes) == 0;
}

constexpr const char* kBinaryMessage =
    "文件含有零字节, 不是文本文件 (或是未知的编码); 未导入任何内力。";

}  // namespace

std::string ReadForceFileBytes(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw Error(FileErrorMessage("open", path));
  std::string bytes;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      errno = EISDIR;
      throw Error(FileErrorMessage("open", path));
    }
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
      const auto size = static_cast<unsigned long long>(info.st_size);
      if (size > kMaxForceFileBytes) ThrowTooLarge(path, size);
      bytes.reserve(static_cast<std::size_t>(size));
    }
  }
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    if (bytes.size() + n > kMaxForceFileBytes) ThrowTooLarge(path, bytes.size() + n);
    // A binary file (or a device such as /dev/zero) is refused at its first
    // block, not after filling memory with it.
    if (bytes.empty() && LooksBinary(std::string(buffer, n))) throw Error(kBinaryMessage);
    bytes.append(buffer, n);
  }
  if (std::ferror(file.get())) throw Error(FileErrorMessage("read", path));
  return bytes;
}

std::string DecodeForceText(std::string bytes) {
  auto starts = [&bytes](const char* mark, std::size_t length) {
    return StartsWith(bytes, mark, length);
  };
  if (starts("\xFF\xFE\x00\x00", 4) || starts("\x00\x00\xFE\xFF", 4)) {
    throw Error("文件是 UTF-32 编码的, 不能读取; 请另存为 UTF-8、UTF-16 或 GBK 编码。");
  }
  if (starts("\xFF\xFE", 2)) return Utf16ToUtf8(bytes, 2, false);
  if (starts("\xFE\xFF", 2)) return Utf16ToUtf8(bytes, 2, true);
  if (bytes.find('\0') != std::string::npos) {
    const int guess = GuessUtf16(bytes);
    if (guess != 0) return Utf16ToUtf8(bytes, 0, guess == 2);
    throw Error(kBinaryMessage);
  }
  static constexpr char kBom[] = "\xEF\xBB\xBF";
  if (!IsValidUtf8(bytes)) return GbkToUtf8(bytes);
  if (bytes.compare(0, 3, kBom) == 0) bytes.erase(0, 3);
  return bytes;
}

}  // namespace kuma
