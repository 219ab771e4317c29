#pragma once
// Following and stopping long work. A command made of several solves plans
// its whole work up front (in trials, one trial being one pass over the
// fibers), the solvers' threads count the trials they finish, and the thread
// that called the command sees one position 0..100 for all of it. A cancel
// token, set from anywhere (the window's stop button, Esc), makes the solves
// end at their next trial by raising Cancelled.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

#include "model/errors.h"

namespace kuma {

// A position 0..100. Called from the thread that called the solver.
using ProgressFn = std::function<void(int position)>;

// Asks running work to stop. Safe to set from any thread.
class CancelToken {
 public:
  void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
  void Reset() { cancelled_.store(false, std::memory_order_relaxed); }
  bool IsCancelled() const { return cancelled_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> cancelled_{false};
};

// Raised by work that stopped at the user's request. What the work would
// have stored is left as it was before the command.
class Cancelled : public Error {
 public:
  Cancelled() : Error("计算已停止") {}
};

// Runs `work` on up to `threads` threads, the calling thread among them
// (`work(true)` there, `work(false)` on the others), and returns once every
// one has finished. A thread the system refuses is done without. What the
// calling thread's share raises is raised again after the others have
// joined; the others' shares must not raise.
void RunOnThreads(int threads, const std::function<void(bool caller)>& work);

// What the caller of a long command hands in: an observer of the whole
// command's position (besides the progress bar the command itself moves),
// a function called about every 40 ms while the work goes on (the window
// repaints there and looks at its stop button), and the token to stop it.
// Every part is optional.
struct WorkControl {
  ProgressFn progress;
  std::function<void()> keepAlive;
  const CancelToken* cancel = nullptr;
};

// The progress of one command. Plan() and Report() belong to the calling
// thread; Advance() and StopRequested() may be called from any thread.
class WorkProgress {
 public:
  // `bar` receives the position whenever it changes (with control.progress).
  WorkProgress(ProgressFn bar, const WorkControl& control);

  // Adds trials to the whole; positions are shares of the total planned.
  void Plan(std::int64_t trials) { planned_ += trials; }
  std::int64_t Planned() const { return planned_; }
  // Counts finished trials.
  void Advance(std::int64_t trials) { done_.fetch_add(trials, std::memory_order_relaxed); }
  std::int64_t Done() const { return done_.load(std::memory_order_relaxed); }
  bool StopRequested() const {
    return control_.cancel != nullptr && control_.cancel->IsCancelled();
  }

  // Shows the current position if it changed, keeps the caller alive (at
  // the first report, then every 40 ms), and raises Cancelled once the token
  // is set.
  void Report();
  // Shows a position of the caller's choosing (0 at the end of the PM command).
  void Set(int position);
  // Raises Cancelled when the token is set.
  void ThrowIfStopped() const;

 private:
  ProgressFn bar_;
  WorkControl control_;
  std::int64_t planned_ = 0;
  std::atomic<std::int64_t> done_{0};
  int last_ = -1;
  // Long ago: the first report keeps the caller alive at once.
  std::chrono::steady_clock::time_point lastAlive_{};
};

}  // namespace kuma
