// The document's life in the main window: the commands run the window's TDocument, and the window
// shows what it does (caption, taskbar title, status panels, the recovery journal); dropped files
// and the command line, the encoding and the line ends.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <filesystem>

#include "app/form1.h"
#include "app/recentfiles.h"
#include "platform/longpath.h"
#include "platform/qt/cp1252.h"
#include "platform/services.h"

namespace quorel {

namespace {

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

QString Q(const std::string& s) { return platform::TextToQString(s); }

}  // namespace

// ---- State shown by the window ----

void TForm1::ShowModified(bool modified) {
  SetPanelText(2, modified ? "Modified" : "");
  Commands.Refresh();
  if (!modified) Recovery->DiscardJournal();
}

void TForm1::SetUpDocument() {
  Document.OnNameChanged = [this] { ShowDocumentName(); };
  Document.OnModifiedChanged = [this](bool modified) { ShowModified(modified); };
  Document.OnUpdateFolders = [this](bool fromSave, bool fromOpen) {
    UpdateFolders(fromSave, fromOpen);
  };
  Document.OnRecentFile = [this] { AddToRecentFiles(); };
  Document.OnLoadingText = [this] {
    LeaveRtfDocument();
    if (Settings.Highlighting) MemoSource1.SetSyntaxParser(&SyntaxParser1);
  };
  Document.OnClearing = [this] { LeaveRtfDocument(); };
  Document.LoadFormatted = [this](const std::string& fileName) { LoadRtfDocument(fileName); };
  Document.IsFormatted = [this] { return IsRtfDocument(); };
  // A formatted document is written as RTF, so its formatting survives the save.
  Document.WriteFormatted = [this](const std::string& fileName) {
    VrelMemo1->ExportRtfFile(fileName);
  };
}

void TForm1::ShowDocumentName() {
  const std::string& name = Document.Name();
  ShowEncoding();
  SetPanelText(3, Q(name));
  if (!Document.HasName()) {
    TaskbarTitle = name;
    setWindowTitle(Q("Quorel 1.5 - " + name));
    setWindowIconText(Q(TaskbarTitle));
    return;
  }
  ShowCaptions();
}

void TForm1::ShowCaptions() {
  if (!HasDocumentName()) return;
  const std::string& name = Document.Name();
  std::string file = FileNameOf(name), folder = FolderOf(name);
  TaskbarTitle = Settings.TaskbarCaptionType == 2   ? name
                 : Settings.TaskbarCaptionType == 3 ? file
                                                    : file + " - " + folder;
  std::string caption = Settings.ProgramCaptionType == 2   ? name
                        : Settings.ProgramCaptionType == 3 ? file
                                                           : file + " - " + folder;
  setWindowTitle(Q("Quorel 1.5 - " + caption));
  setWindowIconText(Q(TaskbarTitle));
}

void TForm1::Warn(const std::string& text) {
  services_.Dialogs->MessageBox(platform::mkWarning, text, platform::mbOK);
}

// ---- Encoding and line ends ----

namespace {

const char* LineEndName(TOutFormatType format) {
  switch (format) {
    case ofWindows:
      return "CR LF";
    case ofMac:
      return "CR";
    case ofUnix:
      return "LF";
  }
  return "";
}

}  // namespace

void TForm1::LineEnds1Click(TOutFormatType format) {
  if (MemoSource1.OutFormat() == format) return;
  MemoSource1.SetOutFormat(format);
  // Every line end of the file changes with the next save.
  SetDocumentModified(true);
  Recovery->JournalTextChanged(MaxInt);
  ShowEncoding();
}

void TForm1::Encodings1Click(TEncoding encoding) {
  MemoSource1.SetEncoding(encoding);
  ShowEncoding();
  Recovery->JournalTextChanged(MaxInt);  // a journal says how its bytes are read
  UpdateCaretPanels();
}

void TForm1::ConverttoUtf81Click() {
  MemoSource1.ConvertToUtf8();
  ShowEncoding();
}

void TForm1::ShowStatusNote(const QString& text) {
  NotePanel->setText(text);
  NoteTimer->start(6000);
}

void TForm1::ShowEncoding() {
  EncodingPanel->setText(MemoSource1.Encoding() == enUtf8 ? "UTF-8" : "Windows-1252");
  LineEndPanel->setText(LineEndName(MemoSource1.OutFormat()));
}

// ---- Commands ----

void TForm1::New1Click() { Document.New(); }

void TForm1::Open1Click() { Document.OpenChosen(); }

void TForm1::Save1Click() { SetDocumentModified(!SaveDocument()); }

void TForm1::SaveAs1Click() { SetDocumentModified(!SaveDocumentAs()); }

void TForm1::SaveaCopy1Click() { Document.SaveCopy(); }

void TForm1::ReverttoSaved1Click() { Document.Revert(); }

bool TForm1::FormCloseQuery() { return Document.CloseQuery(); }

void TForm1::WMDropFiles(const QStringList& names) {
  std::vector<std::string> files;
  for (const QString& name : names) files.push_back(QFile::encodeName(name).toStdString());
  Document.OpenDropped(files);
}

bool TForm1::WMMouseActivate() {
  Commands.Refresh();  // the clipboard may hold something new
  return Document.ReloadIfChangedOnDisk();
}

void TForm1::OpenCommandLine(const QStringList& arguments) {
  for (int i = 0; i < arguments.size(); ++i) {
    std::string name = QFile::encodeName(arguments[i]).toStdString();
    if (i == 0 && Recovery->RestoredText) {
      // The window shows restored text: the file goes to a new instance, unless it is the
      // restored document itself, which is open already with its unsaved changes.
      if (ExpandLongPath(std::filesystem::absolute(name).string()) == DocumentName) continue;
    } else if (i == 0) {
      OpenDocument(ExpandLongPath(std::filesystem::absolute(name).string()));
      raise();
      activateWindow();
      continue;
    }
    if (!StartNewInstance(name, true)) {
      Warn("Unable to open multiple dropped files!!");
      return;
    }
  }
}

std::string TForm1::ExpandLongPath(const std::string& path) {
  return platform::ExpandLongPath(path);
}

}  // namespace quorel
