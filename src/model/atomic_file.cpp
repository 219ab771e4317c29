#include "model/atomic_file.h"

#include <fcntl.h>
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

std::string Reason(int error) { return std::strerror(error); }

[[noreturn]] void Fail(const char* action, const std::string& path, int error,
                       const std::string& temp) {
  if (!temp.empty()) ::unlink(temp.c_str());
  throw Error(std::string("Cannot ") + action + " file \"" + path + "\". " + Reason(error));
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

}  // namespace

void SetAtomicWriteFailureForTesting(long long afterBytes, int error) {
  gFailAfter = afterBytes;
  gFailErrno = error;
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  if (path.empty()) Fail("create", path, ENOENT, {});
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty() || base == "." || base == "..") Fail("create", path, EISDIR, {});

  // The destination must not be a folder; an existing file keeps its mode.
  struct stat existing {};
  bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) Fail("create", path, EISDIR, {});
  if (exists && !S_ISREG(existing.st_mode)) {
    // A device or pipe (such as /dev/stdout) cannot be replaced by rename:
    // write straight to it.
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) Fail("create", path, errno, {});
    const int error = WriteAll(fd, bytes);
    const int closed = ::close(fd) == 0 ? 0 : errno;
    if (error != 0 || closed != 0) Fail("write", path, error != 0 ? error : closed, {});
    return;
  }

  std::string temp = (slash == std::string::npos ? std::string() : folder) + "." + base +
                     ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) Fail("create", path, errno, {});
  mode_t mode = 0666;
  if (exists) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);

  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) Fail("write", path, error, temp);
  if (std::rename(temp.c_str(), path.c_str()) != 0) Fail("write", path, errno, temp);
  // Make the rename itself durable.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace kuma
