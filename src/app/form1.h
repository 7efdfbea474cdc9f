// The main window: one document in the editing area, the File menu, the toolbar and the status
// bar. The document's life (new, open, save, revert, the questions before losing changes) is its
// TDocument; documentcommands.cpp runs it from the commands and shows what it does.
#pragma once

#include <QKeyEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QRect>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/aboutform.h"
#include "app/commandtable.h"
#include "app/customform.h"
#include "app/importexportcommands.h"
#include "app/insertcommands.h"
#include "app/mainparts.h"
#include "app/palettecommands.h"
#include "app/previewcommands.h"
#include "app/printcommands.h"
#include "app/recentfiles.h"
#include "app/recoverycommands.h"
#include "app/searchcommands.h"
#include "codecs/imagetag.h"
#include "document/document.h"
#include "engine/memosource.h"
#include "imagemap/ui/imagemapform.h"
#include "imagemap/ui/picturefilters.h"
#include "palettes/ui/colorpalette.h"
#include "palettes/ui/itemspalette.h"
#include "platform/dialogs.h"
#include "platform/qt/qtprinter.h"
#include "platform/services.h"
#include "platform/sidefiles.h"
#include "prefs/mainsettings.h"
#include "prefs/ui/preferences.h"
#include "recovery/journalformat.h"
#include "recovery/recoveryfolder.h"
#include "recovery/recoveryjournal.h"
#include "search/searchoptions.h"
#include "syntax/syntaxparser.h"
#include "syntax/ui/syntaxedform.h"
#include "view/vrelmemo.h"

class QAction;
class QLabel;
class QTimer;
class QMenu;

class QToolBar;
class QSplitter;

namespace quorel {

class TClipBoardSource;
class TEditWindow;
class TMemoSearch;
class TSearchDialogs;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // The window and everything it owns work through `services`.
  explicit TForm1(const platform::TServices& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // ---- The document as the window shows it ----
  std::string TaskbarTitle;

  // ---- Settings (formsettings.cpp reads them at start and writes them at close) ----
  // Every stored value of the window; the ones that live in controls (the window's bounds, the
  // toolbar, wrapping, the font, the gutter) are copied in from them before writing.
  TMainSettings Settings;
  // The window's place and size the last time it was resized while not maximized.
  QRect NormalBounds;
  // The tag completions offered after "<", one per line of "Popup.txt" in the program folder.
  std::vector<std::string> PopupList;
  bool PopupLoaded = false;
  // The view's completion request: the tags after a "<" just left of the caret; and a chosen
  // tag cut at its "|".
  void VrelMemo1HintPopup(TStrings& strings, bool& allowPopup, TPopupType& popupType);
  void VrelMemo1HintInsert(std::string& s);

  // Drags from the program's own controls may be held over the view; their drop adds nothing.
  bool VrelMemo1DragOver(QEvent* event);
  // ---- Feature controllers: each adds its commands and owns its windows ----
  // What the window lends them.
  std::unique_ptr<TMainParts> Parts;
  void CreateControllers();
  // Preview in a browser, the Java tools and the help page.
  std::unique_ptr<TPreviewCommands> Preview;
  // "&Print..." and the printer.
  std::unique_ptr<TPrintCommands> Print;
  // File > Import and Export.
  std::unique_ptr<TImportExportCommands> ImportExport;
  // Find, Find Next and Replace.
  std::unique_ptr<TSearchCommands> Search;
  // The items and colours palettes, the custom colours and the image map creator.
  std::unique_ptr<TPaletteCommands> Palettes;
  // The custom text and the pictures' IMG tags.
  std::unique_ptr<TInsertCommands> Insert;
  // The recovery journals of unsaved text.
  std::unique_ptr<TRecoveryCommands> Recovery;
  // Shows a recovery journal's text in the store as the document it was.
  void LoadJournalText(const TJournal& journal);

  // "&About": the read-me in the About window, shown modally.
  void About1Click();
  // The About window, made on first use and shown again each time.
  TAboutForm1& AboutForm();
  std::unique_ptr<TAboutForm1> AboutForm1;
  // ---- Preferences (preferencecommands.cpp) ----
  // The dialog, made once with the window and shown as often as asked.
  std::unique_ptr<TPreferences> Preferences;
  void CreatePreferences();
  // "Pr&eferences" (F8) opens on the "Send To Link" page, "Define Browsers" on "Browser Setup".
  void Preferences1Click();
  void DefineBrowsers1Click();
  // The settings the dialog edits, as they are now; and taking confirmed ones into use.
  TMainSettings PreferenceValues() const;
  void ApplyPreferences(const TMainSettings& values);
  // The window caption and taskbar title for the document's name and the caption settings.
  void ShowCaptions();

  void ReadPopupList();
  void ReadSettings();
  void ApplyFontSettings();
  void ReadCurrentFolder();
  void CollectSettings();
  void WriteSettings();
  // Puts the toolbar at the edge numbered `tag` (anything but 1..3 is the top).
  void Bottom1Click(int tag);
  void Hide1Click();

  // ---- Non-visual components ----
  const platform::TServices services_;
  // Popup.txt and the files the program writes for itself (Custom.txt, Items.txt, Temp.html).
  platform::TSideFiles SideFiles;
  TMemoSource MemoSource1{services_};
  // The document in MemoSource1: its name, file and life.
  TDocument Document{MemoSource1, services_};
  // Read-only views of the document's name and extension and its file dialogs, under the names
  // the window's code uses.
  const std::string& DocumentName = Document.Name();
  const std::string& CurrentExtension = Document.CurrentExtension();
  TSyntaxParser SyntaxParser1;
  TSyntaxParser DefaultParser;
  TSyntaxParser SyntaxParser2;
  platform::TFileDialog& OpenDialog1 = Document.OpenDialog;
  platform::TFileDialog& SaveDialog1 = Document.SaveDialog;

  // ---- Commands, menus and toolbar (mainmenus.cpp and each concern's own rows) ----
  // Every menu and toolbar command, one row each; the menus and the toolbar are built from it.
  TCommandTable Commands{this};
  void AddFileCommands();
  void AddDocumentButtons();
  void AddEditCommands();
  void AddViewCommands();
  void CreateMenus();
  // The document holds at least one line.
  bool HasText() const;
  void N8pt1Click(int size);
  void Parser1Click();
  void Wrap1Click();
  void None4Click();
  // Parser submenu (parsermenu.cpp): the schemes of the program's Syntax folder.
  std::string SyntaxFolder() const;
  bool FillParserMenu();
  void RichTextFormat1Click(QAction* item);
  void LoadStoredScheme();
  void RestoreDefaultScheme();
  // A scheme item's scheme name and file.
  static std::string SchemeCaption(const QAction* item);
  static std::string SchemePath(const QAction* item);
  void Default1Click();
  // "Scheme &Editor...": the scheme editor in a window of its own on the working scheme (the
  // preferences will hold it on a page of their own).
  void SchemeEditor1Click();
  // Gives a scheme editor the working scheme and the view's text style names.
  void EditWorkingScheme(TSyntaxEdForm& editor);
  std::unique_ptr<TSyntaxEdForm> SyntaxEdForm1;
  void ShowGutter1Click();
  void ShowLineNumbers1Click();
  void UpdateCaretPanels();
  // The path with each part replaced by the name the file system reports for it.
  static std::string ExpandLongPath(const std::string& path);
  // The first showing: colour menus, the menu font for measuring captions.
  void FormShow();
  QLabel* Label1;
  void ProgramFont1Click();
  void SplitView1Click();
  void ViewClipboard1Click();
  // A mouse button pressed (true) or released (false) on the status bar.
  void StatusBar1MouseDown(bool pressed);
  void VrelMemo1Click();
  void VrelMemo1KeyUp();
  // The split view's splitter and second view, while the view is split.
  QSplitter* Splitter1 = nullptr;
  TVrelMemo* SplitMemo = nullptr;
  // The clipboard's history and the window that shows it, made on first use.
  std::unique_ptr<TClipBoardSource> ClipboardStore;
  std::unique_ptr<TEditWindow> EditWindow;
  // Find, replace and find-next on the document, and the dialogs they show.
  QToolBar* ToolBar1;
  // The toolbar's context menu: its placements and hiding.
  std::array<QLabel*, 4> StatusBar1;
  // At the bar's right end: the document's encoding and its line ends.
  QLabel* NotePanel;
  QTimer* NoteTimer;
  QLabel* EncodingPanel;
  QLabel* LineEndPanel;
  TVrelMemo* VrelMemo1;

  // ---- Document operations (the document's own) ----
  bool HasDocumentName() const { return Document.HasName(); }
  void SetDocumentModified(bool value) { Document.SetModified(value); }
  void SetDocumentName(const std::string& name) { Document.SetName(name); }
  void OpenDocument(const std::string& fileName) { Document.Open(fileName); }
  bool SaveDocument() { return Document.Save(); }
  bool SaveDocumentAs() { return Document.SaveAs(); }
  void SetSaveFilter(int index, const std::string& defaultExt) {
    Document.SetSaveFilter(index, defaultExt);
  }
  bool LaunchProcess(const std::string& program, const std::vector<std::string>& arguments) {
    return Document.LaunchProcess(program, arguments);
  }
  bool StartNewInstance(const std::string& argument, bool fallBack) {
    return Document.StartNewInstance(argument, fallBack);
  }
  // The window's part in the document's events: captions, panels, folders, RTF documents.
  void SetUpDocument();
  // The caption, taskbar title and name panel show the document's name.
  void ShowDocumentName();

  // ---- Recent files and folder menus (foldermenus.cpp) ----
  TRecentFiles RecentFiles;
  // Where the file dialogs start and what the folder menus list; ends with a separator.
  std::string CurrentFolder;
  // Puts the document at the top of the recent-file list.
  void AddToRecentFiles();
  void ShowRecentFiles();
  void ShortenRecentCaption(QAction* item);
  // The File menu's item of recent-file slot `slot` (0 to 9).
  QAction* RecentItem(int slot) const;
  // Moves the current folder to the last saved or opened file's (with LastFolder), points the
  // file dialogs at it and rebuilds the folder menus when it changed.
  void UpdateFolders(bool fromSave, bool fromOpen);
  void RefreshFolderMenus();
  // The names of the files in `folder`, as the file system keeps them.
  std::vector<std::string> ListFolderFiles(const std::string& folder);
  void FileName1Click(QAction* item);
  void none1Click(QAction* item);

  // ---- Command handlers ----
  void New1Click();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void ReverttoSaved1Click();
  void SaveaCopy1Click();
  // Reads the document's bytes as `encoding` (nothing changes on disk).
  void Encodings1Click(TEncoding encoding);
  void ConverttoUtf81Click();
  // Shows a passing note at the status bar's right for a few seconds.
  void ShowStatusNote(const QString& text);
  // The next save writes `format`'s line ends.
  void LineEnds1Click(TOutFormatType format);
  // The encoding and line-end panels follow the document.
  void ShowEncoding();
  // The close question; false keeps the window open.
  bool FormCloseQuery();
  // Files dropped on the window.
  void WMDropFiles(const QStringList& names);
  // A mouse press activated the window: the Paste button and the file-changed check. Returns
  // true when the press is to be discarded (the file was reloaded).
  bool WMMouseActivate();
  // Opens the files given on the command line: the first here, the rest in new instances.
  void OpenCommandLine(const QStringList& arguments);

  QString PanelText(int panel) const;
  // Shows `text` in a status bar panel, widening the panel when the text needs more room.
  void SetPanelText(int panel, const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void RememberNormalBounds();
  void moveEvent(QMoveEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void GotoLine1Click();
  bool shown_ = false;
  void showEvent(QShowEvent* event) override;
  void CreateToolBar();
  void CreateStatusBar();
  // Asks to save before the document is replaced; false when the command is to stop.
  bool AskToSave(const std::string& prefix) { return Document.AskToSave(prefix); }
  void Warn(const std::string& text);
  // The document is an ".rtf" file shown with its formatting (the view's attribute parser).
  bool IsRtfDocument() const;
  void LoadRtfDocument(const std::string& fileName);
  // Shows RTF `data` as the formatted document (the scheme menu says "Rich Text Format").
  void LoadRtfData(std::string_view data);
  // Back to the scheme in use before an RTF document (nothing for other documents).
  void LeaveRtfDocument();
  std::string SchemeBeforeRtf = "Default";
  void StoreChanged(TCustomMemoSource& store, int first, int last);
  void SetUpView();
  // The status panel, Save and Revert follow the modified state.
  void ShowModified(bool modified);
};

// A menu caption showing `text` as it is: "&" would otherwise mark a shortcut letter.
QString MenuText(const std::string& text);

}  // namespace quorel
