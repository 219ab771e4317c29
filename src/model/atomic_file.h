#pragma once
// Every file the program writes goes through here: the bytes are written to a
// temporary file in the destination's folder, flushed to disk, and renamed
// over the destination only when complete. A failure at any step removes the
// temporary file, leaves the old destination exactly as it was, and raises
// kuma::Error saying which step failed and why.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kuma {

// Saving through a symbolic link replaces the file it leads to; an existing
// file the user may not write is refused ("Permission denied"); a device such
// as /dev/stdout is written in place.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

// Several files (path, bytes) as one save: all are written completely to
// their temporary files first, and renamed only when every one is complete,
// so a failure (a full disk at the third picture) leaves every old file as it
// was. Only a rename failing part-way (the folder vanishing) can leave some
// files new and some old.
void WriteFilesAtomic(const std::vector<std::pair<std::string, std::string>>& files);

// Test hook: when set, the write of the temporary file fails after this many
// bytes with the given errno (ENOSPC for a full disk). -1 turns it off.
void SetAtomicWriteFailureForTesting(long long afterBytes, int error);

}  // namespace kuma
