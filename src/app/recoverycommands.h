// Unsaved text that survives a crash: this instance's recovery journal of the document, written
// between keystrokes and by a worker, and at start-up the journals of instances that are gone,
// offered back to the user.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/mainparts.h"
#include "recovery/journalformat.h"
#include "recovery/recoveryfolder.h"
#include "recovery/recoveryjournal.h"

class QTimer;

namespace quorel {

class TRecoveryCommands {
 public:
  explicit TRecoveryCommands(TMainParts& parts);
  ~TRecoveryCommands();

  // What the window does for the journals.
  // Shows a journal's text in the store as the document it was; throws when it cannot.
  std::function<void(const TJournal&)> LoadJournalText;
  // The document is formatted: its RTF, as its save would write it (false for plain text).
  std::function<bool(std::string& rtf)> FormattedText;
  // The store holds restored text of document `name`: untitled stays untitled, and it is
  // modified.
  std::function<void(const std::string& name)> TakeRestoredText;
  std::function<void(const QString&)> ShowStatusNote;

  // Takes this instance's journal and lock in the user's state folder.
  void StartRecovery();
  // The text changed from line `first` on: a journal is due later, if the document is modified.
  void JournalTextChanged(int first);
  void JournalTick();
  // The document has no unsaved changes any more: its journal goes.
  void DiscardJournal();
  // A clean end: the journal and this instance's lock go.
  void EndRecovery();
  // At start-up: the unsaved text of instances that are gone, offered one journal after another.
  // The first accepted one is restored here, later ones in new instances.
  void OfferRecoveredText();
  // "--recover JOURNAL": the journal another instance handed over, restored without a question.
  void RecoverHandedOver(const std::string& path);

  // The journals of every instance, in the user's state folder; this instance's own journal of
  // the document while it has unsaved changes. Both null when there is no state folder.
  std::unique_ptr<TRecoveryFolder> RecoveryFolder;
  std::unique_ptr<TRecoveryJournal> Journal;
  QTimer* JournalTimer = nullptr;
  // The window shows text restored from a journal (set at start-up).
  bool RestoredText = false;
  // Why no journals can be kept ("" when they can), said at start-up.
  std::string RecoveryProblem;

 private:
  // Shows the journal's text as the modified document it was; false (with a warning) when it
  // cannot be.
  bool RestoreJournal(const TJournal& journal);
  // Says that the orphan cannot be restored, and why, and puts it aside.
  void WarnDamagedJournal(TOrphanJournal& orphan, const std::string& reason);
  // Restores an orphan here and makes its journal this instance's own.
  void RestoreOrphan(TOrphanJournal& orphan, const TJournal& journal);

  TMainParts& parts_;
};

}  // namespace quorel
