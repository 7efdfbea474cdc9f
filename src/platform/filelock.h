// An exclusive lock on a file that lasts as long as its holder: the system drops it when the
// process ends in any way, a kill included, so a lock that can be taken tells that its last
// holder is gone.
#pragma once

#include <memory>
#include <string>
#include <utility>

namespace quorel::platform {

class TFileLock {
 public:
  // Takes the lock on `path`, making the file when it is missing; null when another holder
  // (another process, or another lock in this one) has it or the file cannot be opened.
  static std::unique_ptr<TFileLock> TryLock(const std::string& path);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  const std::string& Path() const { return path_; }

 private:
  TFileLock(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  std::string path_;
  int fd_;
};

}  // namespace quorel::platform
