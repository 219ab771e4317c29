#include "cli/output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "model/errors.h"

namespace kuma {
namespace {

std::function<void()>& BeforeOutputHook() {
  static std::function<void()> hook;
  return hook;
}

[[noreturn]] void ThrowOutputError(int error) {
  throw Error(std::string("Cannot write standard output. ") +
              std::strerror(error != 0 ? error : EIO));
}

}  // namespace

void SetBeforeOutput(std::function<void()> hook) { BeforeOutputHook() = std::move(hook); }

void WriteOutput(std::string_view bytes) {
  if (BeforeOutputHook()) BeforeOutputHook()();
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::ferror(stdout)) {
    ThrowOutputError(errno);
  }
}

void WriteOutputLine(std::string_view line) {
  WriteOutput(line);
  WriteOutput("\n");
}

void FinishOutput() {
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) ThrowOutputError(errno);
}

}  // namespace kuma
