#include "document/document.h"

#include <filesystem>

#include "engine/casemap.h"
#include "platform/filesystem.h"
#include "platform/processes.h"

namespace quorel {

const std::array<const char*, 12> DocumentExtensions = {
    ".htm", ".html", ".txt", ".htx", ".asp", ".ins", ".ini", ".java", ".js", ".pas", ".rtf", ".*"};

namespace {

std::string LowerExtensionOf(const std::string& path) {
  return LowerCase(std::filesystem::path(path).extension().string());
}

const char* const kSaveFirst = "Do you wish to save this file first? - \r\r";

}  // namespace

TDocument::TDocument(TMemoSource& store, const platform::TServices& services)
    : store_(store), services_(platform::WithDefaults(services)) {
  OpenDialog.Title = "Open";
  OpenDialog.Filters = {
      {"All Types (*.htm; *.html; *.txt; *.htx; *.asp; *.ins; *.ini; *.java; *.js; *.pas; *.rtf)",
       "*.htm; *.html; *.txt; *.htx; *.asp; *.ins; *.ini; *.java; *.js; *.pas; *.rtf"},
      {"Htm Document (*.htm)", "*.htm"},
      {"Html Document (*.html)", "*.html"},
      {"Text Document (*.txt)", "*.txt"},
      {"HyperText Document (*.htx)", "*.htx"},
      {"Active Server Page (*.asp)", "*.asp"},
      {"Internet Connection Document (*.ins)", "*.ins"},
      {"INI File (*.ini)", "*.ini"},
      {"Uncompiled Java Source (*.java)", "*.java"},
      {"JavaScript File (*.js)", "*.js"},
      {"Pascal Files (*.pas, *.dfm, *.dpr)", "*.pas;*.dfm;*.dpr"},
      {"Rich Text Files (*.rtf)", "*.rtf"},
      {"All Files (*.*)", "*.*"},
  };
  OpenDialog.FilterIndex = 1;
  // Filter i + 1 is DocumentExtensions[i]'s; an RTF document takes "All Types".
  SaveDialog.Title = "Save As";
  SaveDialog.Filters = {
      {"Htm Document", "*.htm"},
      {"Html Document", "*.html"},
      {"Text Document", "*.txt"},
      {"HyperText Document", "*.htx"},
      {"Active Server Page", "*.asp"},
      {"Internet Connection Document", "*.ins"},
      {"INI File", "*.ini"},
      {"Uncompiled Java Source", "*.java"},
      {"JavaScript", "*.js"},
      {"Pascal File", "*.pas"},
      {"All Types", "*.*"},
  };
  SaveDialog.FilterIndex = 1;
  SaveDialog.DefaultExt = "*.htm";
}

// ---- State ----

void TDocument::SetModified(bool value) {
  store_.SetModified(value);
  if (OnModifiedChanged) OnModifiedChanged(value);
}

void TDocument::SetName(const std::string& name) {
  name_ = name;
  if (OnNameChanged) OnNameChanged();
  if (!HasName()) {
    store_.SetFileName(kUntitled);
    return;
  }
  services_.Shell->AddToRecentDocuments(name);
  currentExtension_ = LowerExtensionOf(name);
  store_.SetFileName(name);
}

void TDocument::Warn(const std::string& text) {
  services_.Dialogs->MessageBox(platform::mkWarning, text, platform::mbOK);
}

void TDocument::UpdateFolders(bool fromSave, bool fromOpen) {
  if (OnUpdateFolders) OnUpdateFolders(fromSave, fromOpen);
}

void TDocument::AddToRecentFiles() {
  if (OnRecentFile) OnRecentFile();
}

bool TDocument::AskToSave(const std::string& prefix) {
  if (!store_.Modified()) return true;
  switch (services_.Dialogs->MessageBox(platform::mkConfirmation, prefix + name_,
                                        platform::mbYesNoCancel)) {
    case platform::mrYes:
      return Save();
    case platform::mrNo:
      return true;
    default:
      return false;
  }
}

// ---- New and open ----

void TDocument::Clear() {
  if (OnClearing) OnClearing();
  store_.Lines().Clear();
  // A new document is UTF-8 without a byte-order mark and ends its lines with CR LF.
  store_.SetOutFormat(ofWindows);
  store_.SetEncoding(enUtf8);
  store_.SetByteOrderMark(false);
  store_.SetFileName("");
  store_.SetModified(false);
  SetModified(false);
  SetName(kUntitled);
  UpdateFolders(false, false);
}

void TDocument::Open(std::string fileName) {
  platform::IFileSystem& files = *services_.Files;
  if (fileName.empty()) {
    OpenDialog.FileName.clear();
    if (services_.Dialogs->OpenFileDialog(OpenDialog)) fileName = OpenDialog.FileName;
    if (fileName.empty()) return;
  } else {
    OpenDialog.FileName = fileName;
  }
  try {
    if (LoadFormatted && LowerExtensionOf(fileName) == ".rtf") {
      LoadFormatted(fileName);
    } else {
      if (OnLoadingText) OnLoadingText();
      store_.LoadFromFile(fileName);
    }
    store_.SetFileName(fileName);
    fileAge_ = files.FileAge(fileName);
    SetName(fileName);
    SetModified(false);
    readOnlyOrigin_ = false;
  } catch (const std::exception&) {
    Warn("Unable to open the File - \r\r" + fileName);
    return;
  }
  // A read-only file stays loaded, but untitled and modified: the next save asks for a name.
  if (files.IsReadOnly(fileName)) {
    readOnlyOrigin_ = true;
    readOnlyFileName_ = fileName;
    SetName(kUntitled);
    SetModified(true);
  }
  services_.Shell->AddToRecentDocuments(fileName);
  FollowOpenedFile();
}

void TDocument::FollowOpenedFile() {
  UpdateFolders(false, true);
  SelectSaveFilter();
  AddToRecentFiles();
}

void TDocument::TakeRestoredText(const std::string& name) {
  readOnlyOrigin_ = false;
  if (name == kUntitled) {
    store_.SetFileName("");
    SetName(kUntitled);
  } else {
    // The file on disk stays as it is: the restored text is the unsaved change to it.
    store_.SetFileName(name);
    fileAge_ = services_.Files->FileAge(name);
    SetName(name);
    FollowOpenedFile();
  }
  SetModified(true);
}

// ---- Saving ----

void TDocument::Write(const std::string& fileName) {
  // A formatted document is written as RTF, so its formatting survives the save.
  if (IsFormatted && WriteFormatted && IsFormatted())
    WriteFormatted(fileName);
  else
    store_.SaveToFile(fileName);
}

bool TDocument::Save() {
  if (!HasName()) return SaveAs();
  try {
    Write(name_);
  } catch (const std::exception&) {
    Warn("Unable to Save the file, \r\r" + name_ + "\r\r" + "please check the destination!");
    return false;
  }
  fileAge_ = services_.Files->FileAge(name_);
  AddToRecentFiles();
  SetModified(false);
  currentExtension_ = LowerExtensionOf(name_);
  return true;
}

bool TDocument::SaveAs() {
  if (HasName()) SaveDialog.FileName = name_;
  UpdateFolders(false, false);
  if (!services_.Dialogs->SaveFileDialog(SaveDialog)) return false;
  std::string chosen = SaveDialog.FileName;
  try {
    Write(chosen);
  } catch (const std::exception&) {
    Warn("Unable to Save the file - \r\r" + chosen + "\r\r" + "please check the destination!");
    return false;
  }
  SetName(chosen);
  fileAge_ = services_.Files->FileAge(chosen);
  SelectSaveFilter();
  AddToRecentFiles();
  UpdateFolders(true, false);
  SetModified(false);
  return true;
}

void TDocument::SaveCopy() {
  SaveDialog.FileName.clear();
  if (!services_.Dialogs->SaveFileDialog(SaveDialog)) return;
  try {
    Write(SaveDialog.FileName);
  } catch (const std::exception&) {
    Warn("An error has occured and save aborted, check destinations read only properties!");
  }
}

void TDocument::SelectSaveFilter() {
  for (size_t i = 0; i < DocumentExtensions.size(); ++i)
    if (currentExtension_ == DocumentExtensions[i])
      SetSaveFilter(static_cast<int>(i) + 1, std::string("*") + DocumentExtensions[i]);
}

void TDocument::SetSaveFilter(int index, const std::string& defaultExt) {
  SaveDialog.FilterIndex = index;
  SaveDialog.DefaultExt = defaultExt;
}

void TDocument::Revert() {
  platform::IDialogs& dialogs = *services_.Dialogs;
  if (readOnlyOrigin_) {
    if (dialogs.MessageBox(platform::mkConfirmation,
                           "Revert to the read only file of?\r\r" + readOnlyFileName_,
                           platform::mbOKCancel) == platform::mrOk)
      Open(readOnlyFileName_);
    return;
  }
  if (dialogs.MessageBox(platform::mkConfirmation,
                         "Revert to the last saved version of?\r\r" + name_,
                         platform::mbOKCancel) == platform::mrOk)
    Open(name_);
}

// ---- New instances ----

bool TDocument::LaunchProcess(const std::string& program,
                              const std::vector<std::string>& arguments) {
  return services_.Processes->Launch(program, arguments);
}

bool TDocument::StartNewInstance(const std::string& argument, bool fallBack) {
  platform::IProcesses& processes = *services_.Processes;
  std::string program = processes.ProgramPath();
  std::vector<std::string> arguments;
  if (!argument.empty()) arguments.push_back(argument);
  if (LaunchProcess(program, arguments)) return true;
  return fallBack && processes.LaunchSimple(program, arguments);
}

// ---- Commands ----

void TDocument::New() {
  if (services_.Shell->CtrlDown()) {
    if (!StartNewInstance("", true)) Warn("Unable to start new instance of the editor!!");
    return;
  }
  if (!AskToSave(kSaveFirst)) return;
  Clear();
}

void TDocument::OpenChosen() {
  UpdateFolders(false, false);
  OpenDialog.FileName.clear();
  if (services_.Shell->CtrlDown()) {
    if (!services_.Dialogs->OpenFileDialog(OpenDialog)) return;
    if (!StartNewInstance(services_.Processes->ShortPath(OpenDialog.FileName), true))
      Warn("Unable to start new instance of the editor!!");
    return;
  }
  if (!AskToSave(kSaveFirst)) return;
  Open("");
}

bool TDocument::CloseQuery() { return AskToSave("Do you wish to save this file? - \r\r"); }

void TDocument::OpenDropped(const std::vector<std::string>& names) {
  platform::IFileSystem& files = *services_.Files;
  bool first = true;
  for (const std::string& name : names) {
    if (!files.IsFile(name)) continue;  // folders and vanished files are skipped
    if (first) {
      first = false;
      if (!AskToSave("Do you wish to save your file first? - \r\r")) return;
      Open(name);
      continue;
    }
    if (!StartNewInstance(services_.Processes->ShortPath(name), true)) {
      Warn("Unable to open multiple dropped files!!");
      return;
    }
  }
}

bool TDocument::ReloadIfChangedOnDisk() {
  if (!HasName() || services_.Files->FileAge(name_) == fileAge_) return false;
  if (services_.Dialogs->MessageBox(
          platform::mkConfirmation,
          name_ + " Date and Time has changed!!" + "\r\r" + "Do you wish to reload the file?",
          platform::mbYesNo) != platform::mrYes)
    return false;
  Open(name_);
  return true;
}

}  // namespace quorel
