// The recovery journal of one document: while it has unsaved changes, its text is written to a
// journal file when the schedule says so. The text is copied in steps between keystrokes and
// written by a worker thread, so neither the copy nor the disk holds up typing; the journal is
// written through the safe write, so a failed write leaves the previous journal whole.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <future>
#include <string>

#include "engine/memosource.h"
#include "platform/filesystem.h"
#include "recovery/documentsnapshot.h"
#include "recovery/journalformat.h"
#include "recovery/journalschedule.h"

namespace quorel {

class TRecoveryJournal {
 public:
  // How much text one step copies: about a millisecond's work.
  static constexpr size_t kStepBytes = size_t{1} << 20;
  // After a failed write the next try waits this long.
  static constexpr int64_t kRetryMs = 30000;

  TRecoveryJournal(platform::IFileSystem& files, const TCustomMemoSource& store, std::string path);
  // Waits for a write in flight; the journal file stays.
  ~TRecoveryJournal();
  TRecoveryJournal(const TRecoveryJournal&) = delete;
  TRecoveryJournal& operator=(const TRecoveryJournal&) = delete;

  // The document's name for the journal's header ("[untitled]" when it has none).
  std::function<std::string()> DocumentName;
  // For a formatted document: the RTF its save writes, taken whole instead of in steps. Unset
  // or returning false: the document is plain text.
  std::function<bool(std::string& rtf)> FormattedText;
  // The wall clock written into the header.
  std::function<std::time_t()> Clock = [] { return std::time(nullptr); };
  // Told of each write that failed, with the file system's reason.
  std::function<void(const std::string& reason)> OnWriteFailed;

  const std::string& Path() const { return path_; }
  // The text changed from line `first` on, at `now` (milliseconds, steady clock).
  void TextChanged(int64_t now, int first);
  // Does what is due at `now`: a step of the copy, handing a finished copy to the writer, or
  // starting a copy. Returns the milliseconds until it wants to run again, or -1 when nothing
  // is pending.
  int64_t Tick(int64_t now);
  // The document no longer has unsaved changes, or is gone: no journal is written any more and
  // the one on disk is removed (after a write in flight has ended).
  void Discard();
  // The file at Path() already holds the document's text (it was restored from it), so it is
  // the journal to remove when the changes are saved or dropped.
  void TakeOverFile() { onDisk_ = true; }
  // Waits until a write in flight has ended.
  void WaitForWrite();
  bool Writing() const { return writer_.valid(); }
  bool Pending() const { return schedule_.Pending() || snapshot_.Active(); }
  // The reason of the last write that failed ("" after one that worked).
  const std::string& LastError() const { return lastError_; }

 private:
  platform::IFileSystem& files_;
  const TCustomMemoSource& store_;
  const std::string path_;
  TJournalSchedule schedule_;
  TDocumentSnapshot snapshot_;
  // The header of the journal being copied.
  TJournalHeader header_;
  // The write in flight: "" when it worked, else the reason it failed.
  std::future<std::string> writer_;
  std::string lastError_;
  bool onDisk_ = false;
  void StartCopy();
  void StartWrite(std::string journal);
  // Takes the result of a finished write; true when there was one.
  bool CollectWrite(bool wait, int64_t now);
};

}  // namespace quorel
