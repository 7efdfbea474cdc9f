// Keeping the recovery journal of a document.
#include "recovery/recoveryjournal.h"

#include <chrono>
#include <exception>

#include "platform/safewrite.h"
#include "recovery/journalformat.h"

namespace quorel {

TRecoveryJournal::TRecoveryJournal(platform::IFileSystem& files, const TCustomMemoSource& store,
                                   std::string path)
    : files_(files), store_(store), path_(std::move(path)) {}

TRecoveryJournal::~TRecoveryJournal() { WaitForWrite(); }

void TRecoveryJournal::TextChanged(int64_t now, int first) {
  // An edit while the text is being copied goes into that copy.
  if (snapshot_.Active())
    snapshot_.TextChanged(first);
  else
    schedule_.Edited(now);
}

int64_t TRecoveryJournal::Tick(int64_t now) {
  CollectWrite(false, now);
  if (snapshot_.Active()) {
    if (snapshot_.Step(kStepBytes)) {
      // Only one write at a time: a copy finished early waits for the one before.
      if (Writing()) return 10;
      // The header names the line ends and encoding the copy began with; if they changed
      // meanwhile, the copy begins again under a new header.
      if (store_.Encoding() != header_.Encoding || store_.OutFormat() != header_.OutFormat ||
          store_.ByteOrderMark() != header_.ByteOrderMark) {
        snapshot_.Abandon();
        StartCopy();
        return 0;
      }
      StartWrite(snapshot_.Take());
    }
    return snapshot_.Active() ? 0 : (Writing() ? 20 : -1);
  }
  if (Writing()) return 20;
  if (!schedule_.Pending()) return -1;
  if (!schedule_.Due(now)) return schedule_.DueAt() - now;
  StartCopy();
  return 0;
}

void TRecoveryJournal::StartCopy() {
  schedule_.Taken();
  TJournalHeader& header = header_;
  header = TJournalHeader();
  header.DocumentName = DocumentName ? DocumentName() : "[untitled]";
  header.SavedAt = Clock();
  header.Encoding = store_.Encoding();
  header.OutFormat = store_.OutFormat();
  header.ByteOrderMark = store_.ByteOrderMark();
  std::string rtf;
  if (FormattedText && FormattedText(rtf)) {
    // A formatted document is written whole: its RTF comes from one export.
    header.Rtf = true;
    StartWrite(JournalHead(header) + rtf);
    return;
  }
  snapshot_.Start(store_, JournalHead(header));
}

void TRecoveryJournal::StartWrite(std::string journal) {
  platform::IFileSystem* files = &files_;
  std::string path = path_;
  writer_ = std::async(std::launch::async, [files, path, journal = std::move(journal)]() mutable {
    try {
      SealJournal(journal);
      platform::SafeWriteFile(*files, path, journal);
      return std::string();
    } catch (const std::exception& e) {
      std::string reason = e.what();
      return reason.empty() ? std::string("the write failed") : reason;
    }
  });
}

bool TRecoveryJournal::CollectWrite(bool wait, int64_t now) {
  if (!writer_.valid()) return false;
  if (!wait && writer_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return false;
  lastError_ = writer_.get();
  if (lastError_.empty()) {
    onDisk_ = true;
  } else {
    schedule_.RetryAfter(now, kRetryMs);
    if (OnWriteFailed) OnWriteFailed(lastError_);
  }
  return true;
}

void TRecoveryJournal::WaitForWrite() {
  if (writer_.valid()) writer_.wait();
}

void TRecoveryJournal::Discard() {
  snapshot_.Abandon();
  CollectWrite(true, 0);  // a write in flight lands first, or it would outlive the removal
  schedule_.Clear();
  if (onDisk_) {
    files_.Remove(path_);
    onDisk_ = false;
  }
}

}  // namespace quorel
