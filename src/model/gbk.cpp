// GBK here is glibc's "GBK" converter, which is code page 936 as Chinese
// Windows writes it (including 0x80 for the euro sign). The same converter is
// used in both directions so that whatever the program writes it reads back
// unchanged. GB18030 was not chosen: it would encode characters outside GBK as
// four-byte sequences that GBK readers cannot show, and it rejects 0x80.
#include "model/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <utility>

#include "model/errors.h"

namespace kuma {

namespace {

constexpr const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Length of the well-formed UTF-8 sequence at text[pos], or 0 when the bytes
// there are not one (overlong forms, surrogates and values above U+10FFFF
// included).
std::size_t Utf8SequenceLength(const std::string& text, std::size_t pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(pos);
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  if (byte(pos + 1) < low || byte(pos + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) return 0;
  }
  return length;
}

// Runs iconv over the whole input. Where the converter stops at a sequence it
// cannot convert, `replacement` is appended and `skip(position)` input bytes
// are passed over before going on.
template <typename Skip>
std::string Convert(const std::string& input, const char* to, const char* from,
                    const char* replacement, Skip skip) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw Error(std::string("无法进行编码转换 ") + from + " -> " + to);
  }
  std::string out;
  out.reserve(input.size() + input.size() / 2 + 16);
  char buffer[8192];
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    std::size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ (invalid or unmappable) or EINVAL (cut off at the end).
    std::size_t position = input.size() - inLeft;
    std::size_t count = skip(position);
    if (count == 0 || count > inLeft) count = 1;
    out += replacement;
    in += count;
    inLeft -= count;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  }
  iconv_close(cd);
  return out;
}

}  // namespace

bool IsValidUtf8(const std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

namespace {

// Characters of the program's texts that GBK lacks but that have a plain
// equivalent a reader takes the same way: mm² as mm2, the minus sign as a
// hyphen.
std::string PlainForGbk(const std::string& utf8) {
  static const std::pair<const char*, const char*> kPlain[] = {
      {"\u00b2", "2"}, {"\u00b3", "3"}, {"\u2212", "-"}};
  std::string out = utf8;
  for (const auto& [from, to] : kPlain) {
    const std::string f(from);
    for (std::size_t pos = 0; (pos = out.find(f, pos)) != std::string::npos;) {
      out.replace(pos, f.size(), to);
      pos += std::strlen(to);
    }
  }
  return out;
}

}  // namespace

std::string Utf8ToGbk(const std::string& utf8) {
  // An unmappable character is skipped whole; a byte that starts no valid
  // sequence is skipped alone. Either becomes one '?'.
  const std::string text = PlainForGbk(utf8);
  return Convert(text, "GBK", "UTF-8", "?",
                 [&](std::size_t pos) { return Utf8SequenceLength(text, pos); });
}

std::string GbkToUtf8(const std::string& gbk) {
  // Skipping a single byte keeps an ASCII character that follows a stray
  // lead byte.
  return Convert(gbk, "UTF-8", "GBK", kReplacement, [](std::size_t) { return std::size_t{1}; });
}

}  // namespace kuma
