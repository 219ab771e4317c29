#pragma once
// Number formats, text-to-number conversions and the rounding rules used on
// screen, in reports and in files, plus the checked arithmetic that turns a
// division by zero or an invalid operation into a command-abandoning Error.

#include <cstdint>
#include <string>

namespace kuma {

// "%0.xF": fixed notation with `decimals` decimals, halves rounded away from
// zero on the value's decimal expansion, no thousands separators. A value that
// rounds to zero is written without a minus sign.
std::string FormatFixed(double value, int decimals);

// "%0.5e": five significant digits (d.dddd), capital E, the exponent's sign
// and at least three exponent digits: -954 -> "-9.5400E+002".
std::string FormatScientific5(double value);

// "%.17g", the CLI's number format.
std::string FormatG17(double value);

// "%.6g": a constant as a report states it (0.025, not 0.025000000000000001).
std::string FormatShort(double value);

// The shortest digits that read back to the same double, '.' as decimal
// point whatever the locale, always with a point or an exponent ("2.0",
// "1e-12"), never "-0.0". A non-finite value raises
// "Invalid floating point operation".
std::string FormatShortest(double value);

// "%d".
std::string FormatInt(long long value);

// Round to the nearest integer, halves to the even neighbour (pixels, the
// scroll-bar axial level). NaN or a value outside the int range raises
// "Invalid floating point operation".
int RoundEven(double value);
// A pixel coordinate: the value clamped in floating point to +-1e6 pixels
// (far outside any picture, yet far inside the int range, so that adding a
// marker's radius cannot overflow), then rounded as RoundEven. NaN raises
// "Invalid floating point operation".
int PixelOf(double value);

// Text to number. Blanks (spaces, tabs) around the number are accepted; the
// decimal separator is '.', an exponent is allowed for floats. Anything else
// raises "'%s' 不是有效的数值" / "'%s' 不是整数", and blank text "未输入数值".
double StrToFloat(const std::string& text);
int StrToInt(const std::string& text);
// The integers of the form's boxes: StrToInt, limited to +-1e9 so that the
// arithmetic of the commands (counts + 1, field numbers - 1, products of
// mesh counts checked elsewhere) never overflows. Outside the limit raises
// "'%s' 超出整数范围 (-1000000000..1000000000)".
inline constexpr int kMaxFormInteger = 1000000000;
int StrToFormInt(const std::string& text);

// a / b, raising "Floating point division by zero" for x/0 and
// "Invalid floating point operation" for 0/0 (or NaN operands).
double CheckedDiv(double a, double b);
// sqrt(x), raising "Invalid floating point operation" for x < 0.
double CheckedSqrt(double x);
// Raises "Invalid floating point operation" when v is NaN or infinite.
double CheckedFinite(double v);

}  // namespace kuma
