// File locks through POSIX flock: held per open file, released by the system with the process.
#include "platform/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quorel::platform {

std::unique_ptr<TFileLock> TFileLock::TryLock(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<TFileLock>(new TFileLock(path, fd));
}

TFileLock::~TFileLock() { ::close(fd_); }

}  // namespace quorel::platform
