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

}  // namespace kuma::test
