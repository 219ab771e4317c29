#pragma once
// Failures that abandon a command. The text is what the user sees, exactly:
// the window shows it in a message box, kumasec-cli prints it on stderr.

#include <stdexcept>
#include <string>
#include <utility>

namespace kuma {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // A message that names boxes: `message` by their captions (what the window
  // shows), `withControls` with each control name after its caption (what
  // kumasec-cli prints, so that the box can be set with --set).
  Error(const std::string& message, std::string withControls)
      : std::runtime_error(message), withControls_(std::move(withControls)) {}

  // The message kumasec-cli prints: what() with the control names.
  std::string WithControls() const { return withControls_.empty() ? what() : withControls_; }

 private:
  std::string withControls_;
};

inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

// A text as a message quotes it: a NUL byte, which would end the message
// early (what() is a C string), is written as \0.
std::string MessageText(const std::string& text);

// A conversion of a box or field that holds nothing but blanks.
inline constexpr const char* kNoNumber = "未输入数值";
// "'abc' 不是有效的数值" (kNoNumber for blank text)
[[noreturn]] void ThrowInvalidFloat(const std::string& text);
// "'12.5' 不是整数" (kNoNumber for blank text)
[[noreturn]] void ThrowInvalidInteger(const std::string& text);

// The standard file error report: 'Cannot open file "PATH". REASON', with
// the system's reason for the last failure (errno). `action` is "open",
// "create", "read" or "write".
std::string FileErrorMessage(const char* action, const std::string& path);

}  // namespace kuma
