// Unsaved text that survives a crash: this instance's recovery journal of the document, and at
// start-up the journals of instances that are gone, offered back to the user.
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <ctime>

#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "richtext/exportwalk.h"

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

void TForm1::StartRecovery() {
  std::string state = services_.Shell->UserStateFolder();
  if (state.empty()) return;
  RecoveryFolder = std::make_unique<TRecoveryFolder>(*services_.Files, state + "/recovery",
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
  Journal = std::make_unique<TRecoveryJournal>(*services_.Files, MemoSource1,
                                               RecoveryFolder->JournalPath());
  Journal->DocumentName = [this] { return DocumentName; };
  Journal->FormattedText = [this](std::string& rtf) {
    if (!IsRtfDocument()) return false;
    rtf = ExportRtf(VrelMemo1->ExportSource());
    return true;
  };
  Journal->OnWriteFailed = [this](const std::string& reason) {
    ShowStatusNote(QString("Unsaved text could not be kept for recovery: %1")
                       .arg(QString::fromStdString(reason)));
  };
  JournalTimer = new QTimer(this);
  JournalTimer->setSingleShot(true);
  connect(JournalTimer, &QTimer::timeout, this, [this] { JournalTick(); });
}

void TForm1::JournalTextChanged(int first) {
  // A clean document has nothing to recover.
  if (!Journal || !MemoSource1.Modified()) return;
  const int64_t now = SteadyMs();
  Journal->TextChanged(now, first);
  if (!JournalTimer->isActive()) JournalTick();
}

void TForm1::JournalTick() {
  if (!Journal) return;
  int64_t delay = Journal->Tick(SteadyMs());
  if (delay < 0)
    JournalTimer->stop();
  else
    JournalTimer->start(static_cast<int>(std::min<int64_t>(delay, 60000)));
}

void TForm1::DiscardJournal() {
  if (!Journal) return;
  Journal->Discard();
  JournalTimer->stop();
}

void TForm1::EndRecovery() {
  DiscardJournal();
  if (RecoveryFolder) RecoveryFolder->Close();
}

bool TForm1::RestoreJournal(const TJournal& journal) {
  const TJournalHeader& h = journal.Header;
  try {
    if (h.Rtf) {
      LoadRtfData(journal.Text);
    } else {
      LeaveRtfDocument();
      if (Settings.Highlighting) MemoSource1.SetSyntaxParser(&SyntaxParser1);
      MemoSource1.LoadFromBuffer(journal.Text);
      MemoSource1.SetEncoding(h.Encoding);
      MemoSource1.SetOutFormat(h.OutFormat);
      MemoSource1.SetByteOrderMark(h.ByteOrderMark);
    }
  } catch (const std::exception&) {
    Warn("Unable to open the File - \r\r" + h.DocumentName);
    return false;
  }
  Document.TakeRestoredText(h.DocumentName);
  RestoredText = true;
  return true;
}

void TForm1::RestoreOrphan(TOrphanJournal& orphan, const TJournal& journal) {
  if (!RestoreJournal(journal)) return;
  // The journal moves over to this instance, so the text is on disk from the first moment.
  if (RecoveryFolder->Adopt(orphan))
    Journal->TakeOverFile();
  else
    JournalTextChanged(0);  // kept where it was, and written again as this instance's own
}

void TForm1::WarnDamagedJournal(TOrphanJournal& orphan, const std::string& reason) {
  std::string path = orphan.Path;
  std::string aside = RecoveryFolder->KeepAside(orphan);
  Warn("Quorel found a recovery journal that it cannot restore (" + path + "): " + reason + "." +
       (aside.empty() ? std::string() : "\r\rIt was kept as " + aside + "."));
}

void TForm1::OfferRecoveredText() {
  if (!RecoveryProblem.empty()) Warn(RecoveryProblem);
  if (!RecoveryFolder) return;
  platform::IDialogs& dialogs = *services_.Dialogs;
  for (TOrphanJournal& orphan : RecoveryFolder->FindOrphans()) {
    TJournal journal;
    try {
      journal = ReadJournal(services_.Files->ReadWholeFile(orphan.Path));
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
    if (!LaunchProcess(services_.Processes->ProgramPath(), {"--recover", orphan.Path}))
      Warn("Unable to start new instance of the editor!!");
  }
}

void TForm1::RecoverHandedOver(const std::string& path) {
  if (!RecoveryProblem.empty()) Warn(RecoveryProblem);
  if (!RecoveryFolder) return;
  std::unique_ptr<TOrphanJournal> orphan = RecoveryFolder->Claim(path);
  if (!orphan) return;  // its instance runs, or another one took it first
  try {
    TJournal journal = ReadJournal(services_.Files->ReadWholeFile(orphan->Path));
    RestoreOrphan(*orphan, journal);
  } catch (const std::exception& e) {
    WarnDamagedJournal(*orphan, e.what());
  }
}

}  // namespace quorel
