// File locks through POSIX flock: held per open file, released by the system with the process.
#include "platform/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorel::platform {

std::unique_ptr<TFileLock> TFileLock::TryLock(const std::string& path) {
  // Another process may remove the file between our open and our lock (it took the lock a
  // moment before and found the file unused): a lock on a removed file guards nothing, so the
  // file is opened again until the lock is on the file the path names.
  for (int attempt = 0; attempt < 8; ++attempt) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return nullptr;
    }
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino)
      return std::unique_ptr<TFileLock>(new TFileLock(path, fd));
    ::close(fd);
  }
  return nullptr;
}

TFileLock::~TFileLock() { ::close(fd_); }

}  // namespace quorel::platform
