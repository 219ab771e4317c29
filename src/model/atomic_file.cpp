#include "model/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model/errors.h"

namespace kuma {
namespace {

long long gFailAfter = -1;
int gFailErrno = 0;

// The longest file name the temporary name may borrow from the destination:
// "." + base + ".XXXXXX" must stay within the 255 bytes a name may have.
constexpr std::size_t kMaxBorrowedName = 200;

[[noreturn]] void Fail(const char* action, const std::string& path, int error,
                       const std::string& temp) {
  if (!temp.empty()) ::unlink(temp.c_str());
  throw Error(std::string("Cannot ") + action + " file \"" + path + "\". " + std::strerror(error));
}

// Writes everything or reports the errno of the first failure.
int WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t chunk = bytes.size() - done;
    if (gFailAfter >= 0) {
      const auto left = static_cast<std::size_t>(gFailAfter) > done
                            ? static_cast<std::size_t>(gFailAfter) - done
                            : 0;
      if (left == 0) return gFailErrno;
      if (chunk > left) chunk = left;
    }
    const ssize_t n = ::write(fd, bytes.data() + done, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// One destination on its way: either a complete temporary file waiting to
// be renamed, or a device (or pipe) that is written in place.
struct Staged {
  std::string path;    // as the caller named it, for messages
  std::string target;  // the file replaced: the path, or where its link leads
  std::string temp;    // empty for a device
  std::string_view bytes;
};

// The file a symbolic link leads to, so that saving through a link replaces
// the file and keeps the link; the path itself otherwise.
std::string ResolveTarget(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;  // a dangling link: replaced itself
  std::string target = resolved;
  std::free(resolved);
  return target;
}

void WriteToDevice(const Staged& s) {
  const int fd = ::open(s.target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) Fail("create", s.path, errno, {});
  const int error = WriteAll(fd, s.bytes);
  const int closed = ::close(fd) == 0 ? 0 : errno;
  if (error != 0 || closed != 0) Fail("write", s.path, error != 0 ? error : closed, {});
}

// Checks the destination and writes the bytes completely to a flushed
// temporary file beside it (devices are only checked here).
Staged Stage(const std::string& path, std::string_view bytes) {
  Staged s{path, ResolveTarget(path), {}, bytes};
  if (path.empty()) Fail("create", path, ENOENT, {});
  const std::string& target = s.target;
  const std::size_t slash = target.find_last_of('/');
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  if (base.empty() || base == "." || base == "..") Fail("create", path, EISDIR, {});

  // The destination must not be a folder; an existing file keeps its mode,
  // and one the user may not write stays untouched, as an open for writing
  // would leave it.
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) Fail("create", path, EISDIR, {});
  if (exists && !S_ISREG(existing.st_mode)) return s;  // written in place later
  if (exists && ::access(target.c_str(), W_OK) != 0) Fail("create", path, errno, {});

  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  s.temp = folder + "." + base.substr(0, kMaxBorrowedName) + ".XXXXXX";
  const int fd = ::mkostemp(s.temp.data(), O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    s.temp.clear();
    Fail("create", path, error, {});
  }
  mode_t mode = 0666;
  if (exists) {
    mode = existing.st_mode & 07777;
    // Keeps the owner where the system allows it (an administrator saving a
    // user's file); otherwise the file becomes the saver's, as a copy would.
    [[maybe_unused]] const int owned = ::fchown(fd, existing.st_uid, existing.st_gid);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);

  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) Fail("write", path, error, s.temp);
  return s;
}

// Puts a staged file in place: the rename, then the folder flushed so that
// the rename itself survives a power cut.
void Commit(const Staged& s) {
  if (s.temp.empty()) {
    WriteToDevice(s);
    return;
  }
  if (std::rename(s.temp.c_str(), s.target.c_str()) != 0) Fail("write", s.path, errno, s.temp);
  const std::size_t slash = s.target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : s.target.substr(0, slash + 1);
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

void SetAtomicWriteFailureForTesting(long long afterBytes, int error) {
  gFailAfter = afterBytes;
  gFailErrno = error;
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  Commit(Stage(path, bytes));
}

void WriteFilesAtomic(const std::vector<std::pair<std::string, std::string>>& files) {
  std::vector<Staged> staged;
  staged.reserve(files.size());
  try {
    for (const auto& [path, bytes] : files) staged.push_back(Stage(path, bytes));
  } catch (...) {
    for (const Staged& s : staged)
      if (!s.temp.empty()) ::unlink(s.temp.c_str());
    throw;
  }
  for (std::size_t i = 0; i < staged.size(); ++i) {
    try {
      Commit(staged[i]);
    } catch (...) {
      for (std::size_t k = i + 1; k < staged.size(); ++k)
        if (!staged[k].temp.empty()) ::unlink(staged[k].temp.c_str());
      throw;
    }
  }
}

}  // namespace kuma
