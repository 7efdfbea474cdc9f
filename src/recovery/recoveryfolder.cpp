// Finding and taking over the journals of instances that are gone.
#include "recovery/recoveryfolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <string_view>
#include <utility>

namespace quorel {

namespace {

// The instance a file of the folder belongs to: its name without `ext`; "" when it has another.
std::string InstanceOf(const std::string& name, std::string_view ext) {
  if (name.size() <= ext.size() || !name.ends_with(ext)) return "";
  return name.substr(0, name.size() - ext.size());
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
  lock_ = platform::TFileLock::TryLock(PathOf(instance_, kLockExt));
  return lock_ != nullptr;
}

std::unique_ptr<TOrphanJournal> TRecoveryFolder::TakeOrphan(const std::string& instance) {
  if (instance.empty() || instance == instance_) return nullptr;
  auto orphan = std::make_unique<TOrphanJournal>();
  orphan->Instance = instance;
  orphan->Path = PathOf(instance, kJournalExt);
  orphan->LockPath = PathOf(instance, kLockExt);
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
  std::set<std::string> journals, locks;
  files_.ListFiles(folder_, [&](const std::string& name) {
    if (std::string instance = InstanceOf(name, kJournalExt); !instance.empty())
      journals.insert(instance);
    if (std::string instance = InstanceOf(name, kLockExt); !instance.empty())
      locks.insert(instance);
  });
  // A lock file with no journal beside it was left by an instance that had nothing unsaved.
  for (const std::string& instance : locks) {
    if (instance == instance_ || journals.count(instance)) continue;
    if (auto held = platform::TFileLock::TryLock(PathOf(instance, kLockExt)))
      if (!files_.IsFile(PathOf(instance, kJournalExt))) files_.Remove(held->Path());
  }
  // Oldest first, each file's age asked once.
  std::vector<std::pair<int32_t, TOrphanJournal>> aged;
  for (const std::string& instance : journals)
    if (auto orphan = TakeOrphan(instance))
      aged.emplace_back(files_.FileAge(orphan->Path), std::move(*orphan));
  std::stable_sort(aged.begin(), aged.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<TOrphanJournal> orphans;
  for (auto& [age, orphan] : aged) orphans.push_back(std::move(orphan));
  return orphans;
}

std::unique_ptr<TOrphanJournal> TRecoveryFolder::Claim(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  if (path != folder_ + "/" + name) return nullptr;  // not a journal of this folder
  return TakeOrphan(InstanceOf(name, kJournalExt));
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
  std::string base = PathOf(orphan.Instance, ".damaged");
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
