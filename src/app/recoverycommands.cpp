// Unsaved text that survives a crash: this instance's recovery journal of the document, and at
// start-up the journals of instances that are gone, offered back to the user.
#include "app/recoverycommands.h"

#include <QTimer>
#include <QWidget>
#include <chrono>
#include <ctime>

#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/processes.h"

namespace quorel {

namespace {

int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string LocalTime(std::time_t when) {
  struct tm local {};
  ::localtime_r(&when, &local);
  char text[64];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

}  // namespace

TRecoveryCommands::TRecoveryCommands(TMainParts& parts) : parts_(parts) {}

TRecoveryCommands::~TRecoveryCommands() = default;

void TRecoveryCommands::StartRecovery() {
  std::string state = parts_.Services.Shell->UserStateFolder();
  if (state.empty()) return;
  RecoveryFolder = std::make_unique<TRecoveryFolder>(*parts_.Services.Files, state + "/recovery",
                                                     TRecoveryFolder::NewInstanceName());
  // Without the folder or the lock nothing can be kept; the editor works on without journals.
  if (!RecoveryFolder->Open()) {
    // Said once the window is up (OfferRecoveredText): the user should know the text is
    // not protected.
    RecoveryProblem = "Unsaved text cannot be kept for recovery: " + RecoveryFolder->Folder() +
                      " cannot be written.";
    RecoveryFolder.reset();
    return;
  }
  Journal = std::make_unique<TRecoveryJournal>(*parts_.Services.Files, parts_.Store,
                                               RecoveryFolder->JournalPath());
  Journal->DocumentName = [this] { return parts_.Document.Name(); };
  Journal->FormattedText = [this](std::string& rtf) { return FormattedText(rtf); };
  Journal->OnWriteFailed = [this](const std::string& reason) {
    ShowStatusNote(QString("Unsaved text could not be kept for recovery: %1")
                       .arg(QString::fromStdString(reason)));
  };
  JournalTimer = new QTimer(&parts_.Window);
  JournalTimer->setSingleShot(true);
  QObject::connect(JournalTimer, &QTimer::timeout, [this] { JournalTick(); });
}

void TRecoveryCommands::JournalTextChanged(int first) {
  // A clean document has nothing to recover.
  if (!Journal || !parts_.Store.Modified()) return;
  const int64_t now = SteadyMs();
  Journal->TextChanged(now, first);
  if (!JournalTimer->isActive()) JournalTick();
}

void TRecoveryCommands::JournalTick() {
  if (!Journal) return;
  int64_t delay = Journal->Tick(SteadyMs());
  if (delay < 0)
    JournalTimer->stop();
  else
    JournalTimer->start(static_cast<int>(std::min<int64_t>(delay, 60000)));
}

void TRecoveryCommands::DiscardJournal() {
  if (!Journal) return;
  Journal->Discard();
  JournalTimer->stop();
}

void TRecoveryCommands::EndRecovery() {
  DiscardJournal();
  if (RecoveryFolder) RecoveryFolder->Close();
}

bool TRecoveryCommands::RestoreJournal(const TJournal& journal) {
  const TJournalHeader& h = journal.Header;
  try {
    LoadJournalText(journal);
  } catch (const std::exception&) {
    parts_.Warn("Unable to open the File - \r\r" + h.DocumentName);
    return false;
  }
  TakeRestoredText(h.DocumentName);
  RestoredText = true;
  return true;
}

void TRecoveryCommands::RestoreOrphan(TOrphanJournal& orphan, const TJournal& journal) {
  if (!RestoreJournal(journal)) return;
  // The journal moves over to this instance, so the text is on disk from the first moment.
  if (RecoveryFolder->Adopt(orphan))
    Journal->TakeOverFile();
  else
    JournalTextChanged(0);  // kept where it was, and written again as this instance's own
}

void TRecoveryCommands::WarnDamagedJournal(TOrphanJournal& orphan, const std::string& reason) {
  std::string path = orphan.Path;
  std::string aside = RecoveryFolder->KeepAside(orphan);
  parts_.Warn("Quorel found a recovery journal that it cannot restore (" + path + "): " + reason +
              "." + (aside.empty() ? std::string() : "\r\rIt was kept as " + aside + "."));
}

void TRecoveryCommands::OfferRecoveredText() {
  if (!RecoveryProblem.empty()) parts_.Warn(RecoveryProblem);
  if (!RecoveryFolder) return;
  platform::IDialogs& dialogs = *parts_.Services.Dialogs;
  for (TOrphanJournal& orphan : RecoveryFolder->FindOrphans()) {
    TJournal journal;
    try {
      journal = ReadJournal(parts_.Services.Files->ReadWholeFile(orphan.Path));
    } catch (const std::exception& e) {
      // Never half a text: the damaged journal is put aside for the user and not loaded.
      WarnDamagedJournal(orphan, e.what());
      continue;
    }
    const TJournalHeader& h = journal.Header;
    if (dialogs.MessageBox(platform::mkConfirmation,
                           "Quorel found unsaved text of " + h.DocumentName + " from " +
                               LocalTime(h.SavedAt) + ". Restore it?",
                           platform::mbYesNo) != platform::mrYes) {
      RecoveryFolder->Remove(orphan);
      continue;
    }
    if (!RestoredText) {
      RestoreOrphan(orphan, journal);
      continue;
    }
    // This window holds restored text already: another instance takes this one over.
    TRecoveryFolder::Release(orphan);
    if (!parts_.Services.Processes->Launch(parts_.Services.Processes->ProgramPath(),
                                           {"--recover", orphan.Path}))
      parts_.Warn("Unable to start new instance of the editor!!");
  }
}

void TRecoveryCommands::RecoverHandedOver(const std::string& path) {
  if (!RecoveryProblem.empty()) parts_.Warn(RecoveryProblem);
  if (!RecoveryFolder) return;
  std::unique_ptr<TOrphanJournal> orphan = RecoveryFolder->Claim(path);
  if (!orphan) return;  // its instance runs, or another one took it first
  try {
    TJournal journal = ReadJournal(parts_.Services.Files->ReadWholeFile(orphan->Path));
    RestoreOrphan(*orphan, journal);
  } catch (const std::exception& e) {
    WarnDamagedJournal(*orphan, e.what());
  }
}

}  // namespace quorel
