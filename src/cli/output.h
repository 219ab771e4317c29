#pragma once
// kumasec-cli's standard output: every write is checked, so that output to a
// full disk, /dev/full or a closed descriptor fails the command instead of
// leaving a cut file behind an exit status of 0.

#include <functional>
#include <string_view>

namespace kuma {

// Runs `hook` before each write from now on (an empty hook: nothing). The
// progress line uses it to leave the terminal's line before output starts.
void SetBeforeOutput(std::function<void()> hook);

// Writes the bytes to standard output; a failed write raises kuma::Error
// "Cannot write standard output. REASON".
void WriteOutput(std::string_view bytes);
// The bytes and a line feed.
void WriteOutputLine(std::string_view line);
// Flushes standard output and raises the same error if anything written so
// far (or the flush itself) failed.
void FinishOutput();

}  // namespace kuma
