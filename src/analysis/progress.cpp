#include "analysis/progress.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace kuma {

namespace {

constexpr std::chrono::milliseconds kAliveInterval{40};

}  // namespace

WorkProgress::WorkProgress(ProgressFn bar, const WorkControl& control)
    : bar_(std::move(bar)), control_(control) {}

void WorkProgress::Report() {
  ThrowIfStopped();
  if (planned_ > 0) {
    const double share = static_cast<double>(std::min(Done(), planned_)) / planned_;
    Set(static_cast<int>(std::nearbyint(share * 100)));
  }
  if (control_.keepAlive) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastAlive_ >= kAliveInterval) {
      lastAlive_ = now;
      control_.keepAlive();
      ThrowIfStopped();  // the stop button may have been pressed just now
    }
  }
}

void WorkProgress::Set(int position) {
  if (position == last_) return;
  last_ = position;
  if (bar_) bar_(position);
  if (control_.progress) control_.progress(position);
}

void WorkProgress::ThrowIfStopped() const {
  if (StopRequested()) throw Cancelled();
}

void RunOnThreads(int threads, const std::function<void(bool caller)>& work) {
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) {
    try {
      workers.emplace_back(work, false);
    } catch (const std::system_error&) {
      break;
    }
  }
  std::exception_ptr raised;
  try {
    work(true);
  } catch (...) {
    raised = std::current_exception();
  }
  for (std::thread& w : workers) w.join();
  if (raised) std::rethrow_exception(raised);
}

}  // namespace kuma
