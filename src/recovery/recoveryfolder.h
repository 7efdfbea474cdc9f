// The folder of recovery journals shared by every running instance. Each instance owns the
// journal and the lock file named after it, and holds that lock for as long as it runs; the
// system drops the lock when the process ends, however it ends. A journal whose lock can be
// taken was left by an instance that is gone, and only such a journal is ever touched by
// another instance.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/filelock.h"
#include "platform/filesystem.h"

namespace quorel {

// A journal left by an instance that is gone, with that instance's lock held while it is dealt
// with, so no other instance can take it too.
struct TOrphanJournal {
  std::string Instance;
  std::string Path;
  std::string LockPath;
  std::unique_ptr<platform::TFileLock> Lock;
};

class TRecoveryFolder {
 public:
  static constexpr std::string_view kJournalExt = ".journal";
  static constexpr std::string_view kLockExt = ".lock";

  TRecoveryFolder(platform::IFileSystem& files, std::string folder, std::string instance);
  // Makes the folder when missing and takes this instance's lock; false when either cannot be
  // done (then no journal can be kept).
  bool Open();
  const std::string& Folder() const { return folder_; }
  std::string JournalPath() const { return PathOf(instance_, kJournalExt); }
  // The journals of instances that are gone, oldest first. Lock files left without a journal
  // are removed on the way.
  std::vector<TOrphanJournal> FindOrphans();
  // The journal at `path` when its instance is gone (another instance handed it over), else
  // nothing.
  std::unique_ptr<TOrphanJournal> Claim(const std::string& path);
  // The orphan becomes this instance's own journal; false when it cannot be moved.
  bool Adopt(TOrphanJournal& orphan);
  // Removes the orphan's journal and its lock file.
  void Remove(TOrphanJournal& orphan);
  // Renames a journal that cannot be read to "<name>.damaged" beside it, so it is never offered
  // again but stays for the user; returns where it is now ("" when it could not be moved).
  std::string KeepAside(TOrphanJournal& orphan);
  // Lets another instance take the orphan (its lock is given up, its files stay).
  static void Release(TOrphanJournal& orphan) { orphan.Lock.reset(); }
  // At a clean end: this instance's journal and lock file go.
  void Close();

  // A name no other instance has: the process number and random digits.
  static std::string NewInstanceName();

 private:
  platform::IFileSystem& files_;
  std::string folder_;
  std::string instance_;
  std::unique_ptr<platform::TFileLock> lock_;
  std::string PathOf(const std::string& instance, std::string_view ext) const {
    return folder_ + "/" + instance + std::string(ext);
  }
  // The journal of `instance` with its lock taken; null when the instance runs, the journal is
  // gone, or `instance` is empty or this one.
  std::unique_ptr<TOrphanJournal> TakeOrphan(const std::string& instance);
};

}  // namespace quorel
