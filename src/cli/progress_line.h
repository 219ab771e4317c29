#pragma once
// A progress line on standard error for kumasec-cli commands that take more
// than a second: the command chains move the form's progress bars
// (ProgressBar1 for the PM curves, ProgressBar2 for the MM curve), and a form
// wrapped in ProgressForm shows each move as one line rewritten in place.
// Only a terminal gets the line; a file or pipe on standard error stays clean.

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace kuma {

class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;

  // Shows nothing unless `enabled`; the quiet second starts at `start`.
  ProgressLine(std::FILE* out, bool enabled, std::string command,
               Clock::time_point start = Clock::now());
  // Clears the line if it was shown.
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // True when `stream` is a terminal.
  static bool IsTerminal(std::FILE* stream);

  void Update(std::string_view bar, int position) { UpdateAt(bar, position, Clock::now()); }
  // As Update, at a given moment (tests give their own clock's): nothing in
  // the first second, then at most ten redraws a second.
  void UpdateAt(std::string_view bar, int position, Clock::time_point now);
  // Erases the line, so that a message or the shell prompt starts clean.
  void Clear();

 private:
  std::FILE* out_;
  bool enabled_;
  std::string command_;
  Clock::time_point start_;
  Clock::time_point lastDraw_;
  bool shown_ = false;
};

// A form whose progress bars also move the progress line.
template <class Base>
class ProgressForm : public Base {
 public:
  template <class... Args>
  explicit ProgressForm(ProgressLine& line, Args&&... args)
      : Base(std::forward<Args>(args)...), line_(line) {}
  void SetProgress(std::string_view bar, int position) override {
    Base::SetProgress(bar, position);
    line_.Update(bar, position);
  }

 private:
  ProgressLine& line_;
};

}  // namespace kuma
