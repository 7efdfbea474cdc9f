// The document's life without a window: its name, the file it came from and that file's age, new,
// open, save, save as, save a copy, revert, the questions before changes are lost, the check for
// a file changed on disk and new instances of the program. It works on the window's store and the
// platform's services; what the window shows in response it learns through the On... events, and
// formatted (RTF) documents, which need the editing view, are loaded and written through hooks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/memosource.h"
#include "platform/dialogs.h"
#include "platform/services.h"

namespace quorel {

// ".htm", ".html", ... ".*": the document extensions; position i + 1 is the save filter index.
extern const std::array<const char*, 12> DocumentExtensions;

class TDocument {
 public:
  // The name of a document that has none.
  static constexpr const char* kUntitled = "[untitled]";

  TDocument(TMemoSource& store, const platform::TServices& services);
  TDocument(const TDocument&) = delete;
  TDocument& operator=(const TDocument&) = delete;

  // ---- State ----
  // The file's full path, or "[untitled]".
  const std::string& Name() const { return name_; }
  bool HasName() const { return name_ != kUntitled; }
  // The file's age when it was last opened or saved here (-1 before).
  int32_t FileAge() const { return fileAge_; }
  // The document came from a read-only file, which Revert offers until another file is opened.
  bool ReadOnlyOrigin() const { return readOnlyOrigin_; }
  const std::string& ReadOnlyFileName() const { return readOnlyFileName_; }
  // The lower-case extension of the last name the document had (".html"), "" before.
  const std::string& CurrentExtension() const { return currentExtension_; }
  bool Modified() const { return store_.Modified(); }

  // The open and save dialogs' settings; the window points them at its current folder.
  platform::TFileDialog OpenDialog;
  platform::TFileDialog SaveDialog;

  // ---- Events and hooks ----
  // The name changed (to a file's or to "[untitled]").
  std::function<void()> OnNameChanged;
  // The modified state was set (the store's own changes come through its listeners).
  std::function<void(bool modified)> OnModifiedChanged;
  // The current folder is due to follow the save dialog's file (fromSave) or the open dialog's
  // (fromOpen); with neither, the dialogs are only pointed at it again.
  std::function<void(bool fromSave, bool fromOpen)> OnUpdateFolders;
  // The document's name is due at the top of the recent-file list.
  std::function<void()> OnRecentFile;
  // Plain text is about to be loaded: the window leaves a formatted document and picks the
  // highlighter.
  std::function<void()> OnLoadingText;
  // The document is about to be cleared: the window leaves a formatted document.
  std::function<void()> OnClearing;
  // Loads an ".rtf" file with its formatting; throws when it cannot be read, leaving the
  // document as it was. Without it an ".rtf" file opens as its text.
  std::function<void(const std::string& fileName)> LoadFormatted;
  // True while the document is shown with its formatting; WriteFormatted then saves it as RTF
  // (and throws when it cannot).
  std::function<bool()> IsFormatted;
  std::function<void(const std::string& fileName)> WriteFormatted;

  // ---- Operations ----
  // Sets the store's modified state and says so.
  void SetModified(bool value);
  // Takes `name` (a file's path or "[untitled]"); a file's name also goes to the desktop's recent
  // documents and sets the current extension.
  void SetName(const std::string& name);
  // A clean, untitled, empty document: UTF-8 without a byte-order mark, CR LF line ends.
  void Clear();
  // Opens `fileName`, or the file chosen in the open dialog when it is empty. A file that cannot
  // be read leaves the document as it was, with a warning; a read-only file stays loaded but
  // untitled and modified, so that the next save asks for a name.
  void Open(std::string fileName);
  // The folders, the save filter and the recent files follow a file just opened.
  void FollowOpenedFile();
  // Writes the document to its file (asking for a name when it has none). False when nothing was
  // written: the document stays modified and the file as it was.
  bool Save();
  // Asks for a name and writes the document there; false when cancelled or it failed.
  bool SaveAs();
  // Writes the document to a file chosen in the save dialog and changes nothing else.
  void SaveCopy();
  // Reloads the read-only file the document came from, or else the document's file, after asking.
  void Revert();
  // Before a modified document is replaced: asks `prefix` + its name whether to save it. False
  // when the command is to stop (Cancel, or a save that failed).
  bool AskToSave(const std::string& prefix);
  // The save filter and its default extension follow the current extension.
  void SelectSaveFilter();
  void SetSaveFilter(int index, const std::string& defaultExt);

  // ---- Commands ----
  // "New": with Ctrl held another instance starts; otherwise the document is cleared after the
  // save question.
  void New();
  // "Open...": with Ctrl held the chosen file opens in another instance; otherwise the chosen
  // file replaces the document after the save question.
  void OpenChosen();
  // Before the program closes; false keeps it open.
  bool CloseQuery();
  // The first existing file replaces the document after the save question, the others open in
  // new instances; folders and vanished files are skipped.
  void OpenDropped(const std::vector<std::string>& names);
  // When the file's age differs from the one it had when opened or saved here, asks whether to
  // reload it. True when it was reloaded.
  bool ReloadIfChangedOnDisk();
  // The store now holds the unsaved text of document `name` restored from a journal: the file on
  // disk stays as it is, and the document is modified.
  void TakeRestoredText(const std::string& name);

  // ---- New instances ----
  bool LaunchProcess(const std::string& program, const std::vector<std::string>& arguments);
  // Starts another instance of the program with `argument` (none when empty); tries the simpler
  // launch as well when `fallBack`.
  bool StartNewInstance(const std::string& argument, bool fallBack);

 private:
  void Warn(const std::string& text);
  // Saves the document to `fileName`: as RTF for a formatted document, else as its text.
  void Write(const std::string& fileName);
  void UpdateFolders(bool fromSave, bool fromOpen);
  void AddToRecentFiles();

  TMemoSource& store_;
  const platform::TServices services_;
  std::string name_ = kUntitled;
  int32_t fileAge_ = -1;
  bool readOnlyOrigin_ = false;
  std::string readOnlyFileName_;
  std::string currentExtension_;
};

}  // namespace quorel
