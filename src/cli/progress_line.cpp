#include "cli/progress_line.h"

#include <unistd.h>

#include "model/controls/mm_page.h"
#include "model/controls/pm_page.h"

namespace kuma {
namespace {

constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// What the bar measures, as the window's pages name it.
std::string BarCaption(std::string_view bar) {
  if (bar == ctl::kPmProgress) return "PM";
  if (bar == ctl::kMmProgress) return "MM";
  return std::string(bar);
}

}  // namespace

ProgressLine::ProgressLine(std::FILE* out, bool enabled, std::string command,
                           Clock::time_point start)
    : out_(out), enabled_(enabled), command_(std::move(command)), start_(start) {}

ProgressLine::~ProgressLine() { Clear(); }

bool ProgressLine::IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

void ProgressLine::UpdateAt(std::string_view bar, int position, Clock::time_point now) {
  if (!enabled_ || now - start_ < kQuietTime) return;
  if (shown_ && now - lastDraw_ < kRedrawInterval) return;
  const long long seconds = std::chrono::duration_cast<std::chrono::seconds>(now - start_).count();
  // Carriage return and "erase to the end of the line": the line is
  // rewritten in place.
  std::fprintf(out_, "\r\x1b[Kkumasec-cli %s: %s %3d%%, %lld s", command_.c_str(),
               BarCaption(bar).c_str(), position, seconds);
  std::fflush(out_);
  shown_ = true;
  lastDraw_ = now;
}

void ProgressLine::Clear() {
  if (!shown_) return;
  std::fputs("\r\x1b[K", out_);
  std::fflush(out_);
  shown_ = false;
}

}  // namespace kuma
