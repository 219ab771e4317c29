#pragma once
// Every file the program writes goes through here: the bytes are written to a
// temporary file in the destination's folder, flushed to disk, and renamed
// over the destination only when complete. A failure at any step removes the
// temporary file, leaves the old destination exactly as it was, and raises
// kuma::Error saying which step failed and why.

#include <string>
#include <string_view>

namespace kuma {

void WriteFileAtomic(const std::string& path, std::string_view bytes);

// Test hook: when set, the write of the temporary file fails after this many
// bytes with the given errno (ENOSPC for a full disk). -1 turns it off.
void SetAtomicWriteFailureForTesting(long long afterBytes, int error);

}  // namespace kuma
