#include "model/numfmt.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/errors.h"

namespace kuma {

std::string MessageText(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '\0') {
      shown += "\\0";
    } else {
      shown += c;
    }
  }
  return shown;
}

namespace {

// Spaces and tabs: what may stand around a number.
bool IsBlankText(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

void ThrowInvalidFloat(const std::string& text) {
  if (IsBlankText(text)) throw Error(kNoNumber);
  throw Error("'" + MessageText(text) + "' 不是有效的数值");
}

void ThrowInvalidInteger(const std::string& text) {
  if (IsBlankText(text)) throw Error(kNoNumber);
  throw Error("'" + MessageText(text) + "' 不是整数");
}

std::string FileErrorMessage(const char* action, const std::string& path) {
  return std::string("Cannot ") + action + " file \"" + path + "\". " + std::strerror(errno);
}

namespace {

// Decimal digits of |value| with 18 significant digits, correctly rounded by
// the C library, and the decimal exponent of the first digit. Halves are
// decided on these digits, which is as precise as an 80-bit extended value
// gets: a double within 1e-17 of a half counts as the half.
struct Digits {
  char d[19];  // 18 digits, NUL-terminated
  int exponent;
};

Digits DecimalDigits(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17e", std::fabs(value));
  Digits out{};
  out.d[0] = buf[0];
  std::memcpy(out.d + 1, buf + 2, 17);
  out.d[18] = '\0';
  out.exponent = std::atoi(std::strchr(buf, 'e') + 1);
  return out;
}

// Rounds the digit string so that `keep` digits remain (keep may be <= 0),
// halves away from zero. Returns the kept digits (possibly one more when a
// carry ripples out) and adjusts the exponent.
std::string RoundDigits(const Digits& digits, int keep, int& exponent) {
  exponent = digits.exponent;
  if (keep < 0) return "";
  std::string kept(digits.d, digits.d + (keep < 18 ? keep : 18));
  bool up = keep < 18 && digits.d[keep] >= '5';
  if (up) {
    int i = static_cast<int>(kept.size()) - 1;
    while (i >= 0 && kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++kept[static_cast<size_t>(i)];
    } else {
      kept.insert(kept.begin(), '1');
      ++exponent;
    }
  }
  return kept;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  Digits digits = DecimalDigits(value);
  // Digits kept: those before the point (exponent + 1) and `decimals` after.
  int exponent = 0;
  std::string kept = RoundDigits(digits, digits.exponent + 1 + decimals, exponent);
  // `kept` now holds the digits from 10^exponent down to 10^-decimals; when
  // rounding produced nothing (value below half a unit) or a carry, rebuild.
  int intDigits = exponent + 1;
  std::string whole;
  std::string frac;
  // Expand into a plain digit string with the point after intDigits.
  std::string all;
  if (intDigits <= 0) {
    all = std::string(static_cast<size_t>(-intDigits + 1), '0') + kept;
    intDigits = 1;
  } else {
    all = kept;
  }
  size_t needed = static_cast<size_t>(intDigits + decimals);
  if (all.size() < needed) all.append(needed - all.size(), '0');
  all.resize(needed);
  whole = all.substr(0, static_cast<size_t>(intDigits));
  frac = all.substr(static_cast<size_t>(intDigits));
  size_t firstNonZero = whole.find_first_not_of('0');
  whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
  bool isZero = whole == "0" && frac.find_first_not_of('0') == std::string::npos;
  std::string out = (value < 0 && !isZero) ? "-" : "";
  out += whole;
  if (decimals > 0) out += "." + frac;
  return out;
}

std::string FormatScientific5(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  std::string mantissa = "00000";
  int exponent = 0;
  if (value != 0.0) {
    Digits digits = DecimalDigits(value);
    mantissa = RoundDigits(digits, 5, exponent);
    mantissa.resize(5);
  }
  char exp[16];
  std::snprintf(exp, sizeof exp, "E%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
  std::string out = value < 0 ? "-" : "";
  out += mantissa.substr(0, 1) + "." + mantissa.substr(1) + exp;
  return out;
}

std::string FormatShort(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string FormatG17(double value) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", value);
  return buf;
}

std::string FormatShortest(double value) {
  value = CheckedFinite(value);
  if (value == 0) value = 0;  // no "-0.0"
  char buf[64];
  auto result = std::to_chars(buf, buf + sizeof buf, value);
  std::string text(buf, result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

std::string FormatInt(long long value) { return std::to_string(value); }

int RoundEven(double value) {
  if (!std::isfinite(value)) throw Error(kInvalidOperation);
  double r = std::nearbyint(value);  // default rounding mode: halves to even
  if (r < static_cast<double>(INT_MIN) || r > static_cast<double>(INT_MAX)) {
    throw Error(kInvalidOperation);
  }
  return static_cast<int>(r);
}

int PixelOf(double value) {
  constexpr double kLimit = 1e6;
  return RoundEven(value < -kLimit ? -kLimit : value > kLimit ? kLimit : value);
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimBlanks(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return text.substr(b, e - b);
}

}  // namespace

double StrToFloat(const std::string& text) {
  std::string t = TrimBlanks(text);
  // Accept [sign] digits [. digits] [(e|E) [sign] digits], at least one digit
  // in the mantissa. No hex, no inf/nan, no thousands separators.
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t mantissaDigits = 0;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++mantissaDigits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) ThrowInvalidFloat(text);
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++expDigits;
    if (expDigits == 0) ThrowInvalidFloat(text);
  }
  if (i != t.size()) ThrowInvalidFloat(text);
  errno = 0;
  double v = std::strtod(t.c_str(), nullptr);
  if (!std::isfinite(v)) ThrowInvalidFloat(text);
  return v;
}

int StrToInt(const std::string& text) {
  std::string t = TrimBlanks(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  if (digits == 0 || i != t.size()) ThrowInvalidInteger(text);
  errno = 0;
  long long v = std::strtoll(t.c_str(), nullptr, 10);
  if (errno == ERANGE || v < INT_MIN || v > INT_MAX) ThrowInvalidInteger(text);
  return static_cast<int>(v);
}

int StrToFormInt(const std::string& text) {
  const int v = StrToInt(text);
  if (v < -kMaxFormInteger || v > kMaxFormInteger) {
    throw Error("'" + MessageText(text) + "' 超出整数范围 (" + std::to_string(-kMaxFormInteger) +
                ".." + std::to_string(kMaxFormInteger) + ")");
  }
  return v;
}

double CheckedDiv(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) throw Error(kInvalidOperation);
  if (b == 0.0) throw Error(a == 0.0 ? kInvalidOperation : kDivisionByZero);
  return a / b;
}

double CheckedSqrt(double x) {
  if (std::isnan(x) || x < 0.0) throw Error(kInvalidOperation);
  return std::sqrt(x);
}

double CheckedFinite(double v) {
  if (!std::isfinite(v)) throw Error(kInvalidOperation);
  return v;
}

}  // namespace kuma
