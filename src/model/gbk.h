#pragma once
// Conversion between the program's UTF-8 strings and GBK text (glibc iconv).

#include <string>

namespace kuma {

// Characters GBK cannot hold become '?'.
std::string Utf8ToGbk(const std::string& utf8);
// Invalid sequences become U+FFFD.
std::string GbkToUtf8(const std::string& gbk);
bool IsValidUtf8(const std::string& text);

}  // namespace kuma
