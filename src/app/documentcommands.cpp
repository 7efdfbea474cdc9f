// The document's life in the main window: new, open, save, save as, save a copy, revert, the
// questions before changes are lost, dropped files, the file-changed check and new instances.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <filesystem>

#include "app/form1.h"
#include "app/recentfiles.h"
#include "engine/casemap.h"
#include "platform/clipboard.h"
#include "platform/filesystem.h"
#include "platform/longpath.h"
#include "platform/processes.h"
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
  if (!modified) DiscardJournal();
}

void TForm1::SetDocumentModified(bool value) {
  MemoSource1.SetModified(value);
  ShowModified(value);
}

void TForm1::SetDocumentName(const std::string& name) {
  DocumentName = name;
  ShowEncoding();
  SetPanelText(3, Q(name));
  if (name == "[untitled]") {
    TaskbarTitle = "[untitled]";
    MemoSource1.SetFileName("[untitled]");
    setWindowTitle("Quorel 1.5 - [untitled]");
    setWindowIconText(Q(TaskbarTitle));
    return;
  }
  ShowCaptions();
  services_.Shell->AddToRecentDocuments(name);
  CurrentExtension = LowerExtension(name);
  MemoSource1.SetFileName(name);
}

void TForm1::ShowCaptions() {
  if (!HasDocumentName()) return;
  const std::string& name = DocumentName;
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

bool TForm1::AskToSave(const std::string& prefix) {
  if (!MemoSource1.Modified()) return true;
  switch (services_.Dialogs->MessageBox(platform::mkConfirmation, prefix + DocumentName,
                                        platform::mbYesNoCancel)) {
    case platform::mrYes:
      return SaveDocument();
    case platform::mrNo:
      return true;
    default:
      return false;
  }
}

// ---- Opening ----

void TForm1::OpenDocument(std::string fileName) {
  platform::IFileSystem& files = *services_.Files;
  if (fileName.empty()) {
    OpenDialog1.FileName.clear();
    if (services_.Dialogs->OpenFileDialog(OpenDialog1)) fileName = OpenDialog1.FileName;
    if (fileName.empty()) return;
  } else {
    OpenDialog1.FileName = fileName;
  }
  try {
    if (LowerExtension(fileName) == ".rtf") {
      LoadRtfDocument(fileName);
    } else {
      LeaveRtfDocument();
      if (Settings.Highlighting) MemoSource1.SetSyntaxParser(&SyntaxParser1);
      MemoSource1.LoadFromFile(fileName);
    }
    MemoSource1.SetFileName(fileName);
    DocumentFileAge = files.FileAge(fileName);
    SetDocumentName(fileName);
    SetDocumentModified(false);
    ReadOnlyOrigin = false;
  } catch (const std::exception&) {
    Warn("Unable to open the File - \r\r" + fileName);
    return;
  }
  // A read-only file stays loaded, but untitled and modified: the next save asks for a name.
  if (files.IsReadOnly(fileName)) {
    ReadOnlyOrigin = true;
    ReadOnlyFileName = fileName;
    SetDocumentName("[untitled]");
    SetDocumentModified(true);
  }
  services_.Shell->AddToRecentDocuments(fileName);
  FollowOpenedFile();
}

void TForm1::FollowOpenedFile() {
  UpdateFolders(false, true);
  SelectSaveFilter();
  AddToRecentFiles();
}

void TForm1::ClearDocument() {
  LeaveRtfDocument();
  MemoSource1.Lines().Clear();
  // A new document is UTF-8 without a byte-order mark and ends its lines with CR LF.
  MemoSource1.SetOutFormat(ofWindows);
  MemoSource1.SetEncoding(enUtf8);
  MemoSource1.SetByteOrderMark(false);
  MemoSource1.SetFileName("");
  MemoSource1.SetModified(false);
  SetDocumentModified(false);
  SetDocumentName("[untitled]");
  UpdateFolders(false, false);
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
  JournalTextChanged(MaxInt);
  ShowEncoding();
}

void TForm1::Encodings1Click(TEncoding encoding) {
  MemoSource1.SetEncoding(encoding);
  ShowEncoding();
  JournalTextChanged(MaxInt);  // a journal says how its bytes are read
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

// ---- Saving ----

bool TForm1::SaveDocument() {
  if (!HasDocumentName()) return SaveDocumentAs();
  try {
    WriteDocument(DocumentName);
  } catch (const std::exception&) {
    Warn("Unable to Save the file, \r\r" + DocumentName + "\r\r" + "please check the destination!");
    return false;
  }
  DocumentFileAge = services_.Files->FileAge(DocumentName);
  AddToRecentFiles();
  SetDocumentModified(false);
  CurrentExtension = LowerExtension(DocumentName);
  return true;
}

bool TForm1::SaveDocumentAs() {
  if (HasDocumentName()) SaveDialog1.FileName = DocumentName;
  UpdateFolders(false, false);
  if (!services_.Dialogs->SaveFileDialog(SaveDialog1)) return false;
  std::string chosen = SaveDialog1.FileName;
  try {
    WriteDocument(chosen);
  } catch (const std::exception&) {
    Warn("Unable to Save the file - \r\r" + chosen + "\r\r" + "please check the destination!");
    return false;
  }
  SetDocumentName(chosen);
  DocumentFileAge = services_.Files->FileAge(chosen);
  SelectSaveFilter();
  AddToRecentFiles();
  UpdateFolders(true, false);
  SetDocumentModified(false);
  return true;
}

void TForm1::SelectSaveFilter() {
  for (size_t i = 0; i < DocumentExtensions.size(); ++i)
    if (CurrentExtension == DocumentExtensions[i])
      SetSaveFilter(static_cast<int>(i) + 1, std::string("*") + DocumentExtensions[i]);
}

void TForm1::SetSaveFilter(int index, const std::string& defaultExt) {
  SaveDialog1.FilterIndex = index;
  SaveDialog1.DefaultExt = defaultExt;
}

// ---- New instances ----

bool TForm1::LaunchProcess(const std::string& program, const std::vector<std::string>& arguments) {
  return services_.Processes->Launch(program, arguments);
}

bool TForm1::StartNewInstance(const std::string& argument, bool fallBack) {
  platform::IProcesses& processes = *services_.Processes;
  std::string program = processes.ProgramPath();
  std::vector<std::string> arguments;
  if (!argument.empty()) arguments.push_back(argument);
  if (LaunchProcess(program, arguments)) return true;
  return fallBack && processes.LaunchSimple(program, arguments);
}

// ---- Commands ----

void TForm1::New1Click() {
  if (services_.Shell->CtrlDown()) {
    if (!StartNewInstance("", true)) Warn("Unable to start new instance of the editor!!");
    return;
  }
  if (!AskToSave("Do you wish to save this file first? - \r\r")) return;
  ClearDocument();
}

void TForm1::Open1Click() {
  UpdateFolders(false, false);
  OpenDialog1.FileName.clear();
  if (services_.Shell->CtrlDown()) {
    if (!services_.Dialogs->OpenFileDialog(OpenDialog1)) return;
    if (!StartNewInstance(services_.Processes->ShortPath(OpenDialog1.FileName), true))
      Warn("Unable to start new instance of the editor!!");
    return;
  }
  if (!AskToSave("Do you wish to save this file first? - \r\r")) return;
  OpenDocument("");
}

void TForm1::Save1Click() { SetDocumentModified(!SaveDocument()); }

void TForm1::SaveAs1Click() { SetDocumentModified(!SaveDocumentAs()); }

void TForm1::SaveaCopy1Click() {
  SaveDialog1.FileName.clear();
  if (!services_.Dialogs->SaveFileDialog(SaveDialog1)) return;
  try {
    WriteDocument(SaveDialog1.FileName);
  } catch (const std::exception&) {
    Warn("An error has occured and save aborted, check destinations read only properties!");
  }
}

void TForm1::ReverttoSaved1Click() {
  platform::IDialogs& dialogs = *services_.Dialogs;
  if (ReadOnlyOrigin) {
    if (dialogs.MessageBox(platform::mkConfirmation,
                           "Revert to the read only file of?\r\r" + ReadOnlyFileName,
                           platform::mbOKCancel) == platform::mrOk)
      OpenDocument(ReadOnlyFileName);
    return;
  }
  if (dialogs.MessageBox(platform::mkConfirmation,
                         "Revert to the last saved version of?\r\r" + DocumentName,
                         platform::mbOKCancel) == platform::mrOk)
    OpenDocument(DocumentName);
}

bool TForm1::FormCloseQuery() { return AskToSave("Do you wish to save this file? - \r\r"); }

void TForm1::WMDropFiles(const QStringList& names) {
  platform::IFileSystem& files = *services_.Files;
  bool first = true;
  for (const QString& qname : names) {
    std::string name = QFile::encodeName(qname).toStdString();
    if (!files.IsFile(name)) continue;  // folders and vanished files are skipped
    if (first) {
      first = false;
      if (!AskToSave("Do you wish to save your file first? - \r\r")) return;
      OpenDocument(name);
      continue;
    }
    if (!StartNewInstance(services_.Processes->ShortPath(name), true)) {
      Warn("Unable to open multiple dropped files!!");
      return;
    }
  }
}

bool TForm1::WMMouseActivate() {
  Commands.Refresh();  // the clipboard may hold something new
  if (!HasDocumentName() || services_.Files->FileAge(DocumentName) == DocumentFileAge) return false;
  if (services_.Dialogs->MessageBox(platform::mkConfirmation,
                                    DocumentName + " Date and Time has changed!!" + "\r\r" +
                                        "Do you wish to reload the file?",
                                    platform::mbYesNo) != platform::mrYes)
    return false;
  OpenDocument(DocumentName);
  return true;
}

void TForm1::OpenCommandLine(const QStringList& arguments) {
  for (int i = 0; i < arguments.size(); ++i) {
    std::string name = QFile::encodeName(arguments[i]).toStdString();
    if (i == 0 && RestoredText) {
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
