// Finding and taking over the journals of instances that are gone.
#include "recovery/recoveryfolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace quorel {

namespace {

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() > end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string NameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TRecoveryFolder::TRecoveryFolder(platform::IFileSystem& files, std::string folder,
                                 std::string instance)
    : files_(files), folder_(std::move(folder)), instance_(std::move(instance)) {}

std::string TRecoveryFolder::NewInstanceName() {
  std::random_device random;
  char name[64];
  std::snprintf(name, sizeof name, "%ld-%08x%08x", static_cast<long>(::getpid()), random(),
                random());
  return name;
}

bool TRecoveryFolder::Open() {
  if (!files_.CreateFolders(folder_)) return false;
  // Journals hold the user's unsaved text: only the user may look into their folder.
  ::chmod(folder_.c_str(), 0700);
  lock_ = platform::TFileLock::TryLock(PathOf(instance_, ".lock"));
  return lock_ != nullptr;
}

std::unique_ptr<TOrphanJournal> TRecoveryFolder::TakeOrphan(const std::string& name) {
  std::string instance = name.substr(0, name.size() - std::string(".journal").size());
  if (instance == instance_) return nullptr;
  auto orphan = std::make_unique<TOrphanJournal>();
  orphan->Path = PathOf(instance, ".journal");
  orphan->LockPath = PathOf(instance, ".lock");
  orphan->Lock = platform::TFileLock::TryLock(orphan->LockPath);
  if (!orphan->Lock) return nullptr;  // its instance still runs, or another one took it
  // Another instance may have dealt with it between the listing and the lock.
  if (!files_.IsFile(orphan->Path)) {
    files_.Remove(orphan->LockPath);
    return nullptr;
  }
  return orphan;
}

std::vector<TOrphanJournal> TRecoveryFolder::FindOrphans() {
  std::vector<std::string> journals, locks;
  files_.ListFiles(folder_, [&](const std::string& name) {
    if (EndsWith(name, ".journal")) journals.push_back(name);
    if (EndsWith(name, ".lock")) locks.push_back(name);
  });
  // A lock file with no journal beside it was left by an instance that had nothing unsaved.
  for (const std::string& lock : locks) {
    std::string instance = lock.substr(0, lock.size() - 5);
    if (instance == instance_ ||
        std::find(journals.begin(), journals.end(), instance + ".journal") != journals.end())
      continue;
    if (auto held = platform::TFileLock::TryLock(PathOf(instance, ".lock"))) {
      if (!files_.IsFile(PathOf(instance, ".journal"))) files_.Remove(held->Path());
    }
  }
  std::vector<TOrphanJournal> orphans;
  for (const std::string& name : journals)
    if (auto orphan = TakeOrphan(name)) orphans.push_back(std::move(*orphan));
  std::stable_sort(orphans.begin(), orphans.end(), [&](const auto& a, const auto& b) {
    return files_.FileAge(a.Path) < files_.FileAge(b.Path);
  });
  return orphans;
}

std::unique_ptr<TOrphanJournal> TRecoveryFolder::Claim(const std::string& path) {
  std::string name = NameOf(path);
  if (!EndsWith(name, ".journal") || path != folder_ + "/" + name) return nullptr;
  return TakeOrphan(name);
}

bool TRecoveryFolder::Adopt(TOrphanJournal& orphan) {
  if (!files_.Replace(orphan.Path, JournalPath())) return false;
  orphan.Path = JournalPath();
  files_.Remove(orphan.LockPath);
  orphan.Lock.reset();
  return true;
}

void TRecoveryFolder::Remove(TOrphanJournal& orphan) {
  files_.Remove(orphan.Path);
  files_.Remove(orphan.LockPath);
  orphan.Lock.reset();
}

std::string TRecoveryFolder::KeepAside(TOrphanJournal& orphan) {
  std::string base = orphan.Path.substr(0, orphan.Path.size() - 8) + ".damaged";
  std::string aside = base;
  for (int n = 2; files_.Exists(aside); ++n) aside = base + "-" + std::to_string(n);
  std::string result = files_.Rename(orphan.Path, aside) ? aside : "";
  if (!result.empty()) files_.Remove(orphan.LockPath);
  orphan.Lock.reset();
  return result;
}

void TRecoveryFolder::Close() {
  if (!lock_) return;
  files_.Remove(JournalPath());
  files_.Remove(lock_->Path());
  lock_.reset();
}

}  // namespace quorel
