#pragma once
// The message of the error an action stops with, for tests that expect a
// command or a check to refuse its input.

#include <functional>
#include <string>

#include "model/errors.h"

namespace kuma::test {

// The message of the kuma::Error `action` throws, or `none` when it ends
// without one.
inline std::string ErrorOf(const std::function<void()>& action, const std::string& none = "") {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return none;
}

// The same in kumasec-cli's wording: each box's control name after its
// caption ("截面宽度B(Edit1)必须大于0").
inline std::string ErrorWithControlsOf(const std::function<void()>& action,
                                       const std::string& none = "") {
  try {
    action();
  } catch (const Error& e) {
    return e.WithControls();
  }
  return none;
}

}  // namespace kuma::test
