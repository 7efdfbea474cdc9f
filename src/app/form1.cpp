// The main window's construction: menus, toolbar, status bar and the document area.
#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/toolbarimages.h"
#include "engine/clipboardsource.h"
#include "platform/processes.h"
#include "platform/qt/cp1252.h"
#include "platform/settings.h"
#include "richtext/exportwalk.h"
#include "search/memosearch.h"
#include "search/ui/searchdialogs.h"
#include "syntax/htmlscheme.h"
#include "view/editwindow.h"

namespace quorel {

TForm1::TForm1(const platform::TServices& services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      SideFiles(*services.Files, services.Shell->UserDataFolder(),
                FolderOf(services.Processes->ProgramPath())) {
  setWindowTitle("Quorel 1.5");
  resize(654, 512);
  setAcceptDrops(true);

  BuildHtmlScheme(SyntaxParser1.SyntaxScheme());
  SyntaxParser1.SetDefaultAttr(HtmlDefaultAttr());
  BuildHtmlScheme(DefaultParser.SyntaxScheme());
  DefaultParser.SetDefaultAttr(HtmlDefaultAttr());
  BuildEmptyScheme(SyntaxParser2.SyntaxScheme());
  SyntaxParser2.SetDefaultAttr(EmptySchemeDefaultAttr());
  MemoSource1.SetName("MemoSource1");
  MemoSource1.SetOptions({soBackUnindents, soGroupUndo, soForceCutCopy, soAutoIndent, soSmartTab,
                          soOverwriteBlocks, soSelectFoundText});

  SetUpView();
  // Every command's row, then the menus and the toolbar made of them.
  AddFileCommands();
  AddDocumentButtons();
  AddEditCommands();
  AddViewCommands();
  CreateControllers();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  SetUpDocument();

  MemoSource1.AddListener(
      [this](TCustomMemoSource& s, int first, int last) { StoreChanged(s, first, last); }, this,
      false);
  MemoSource1.OnCharacterNotStored = [this](TCustomMemoSource&, const std::string& character) {
    ShowStatusNote(QString("Windows-1252 cannot hold \u201C%1\u201D: it was not inserted (File, "
                           "Encoding, Convert to UTF-8)")
                       .arg(QString::fromStdString(character)));
  };
  // Every mouse press in the window and its controls runs the file-changed check.
  ReadSettings();
  Palettes->CreateItemsPalette();
  CreatePreferences();
  Recovery->StartRecovery();
  Commands.WireShortcuts(*menuBar());
  qApp->installEventFilter(this);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  EditWindow.reset();
  ClipboardStore.reset();
  MemoSource1.RemoveListener(this);
  MemoSource1.SetSyntaxParser(nullptr);
}

void TForm1::CreateStatusBar() {
  // Hidden: measures menu captions in the menu font.
  Label1 = new QLabel(this);
  Label1->setFont(QApplication::font("QMenu"));
  Label1->hide();
  const char* texts[4] = {"Char: 1", "Line: 1", "", "[untitled]"};
  for (int i = 0; i < 4; ++i) {
    StatusBar1[i] = new QLabel(texts[i], this);
    if (i == 2) StatusBar1[i]->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(StatusBar1[i], i == 3 ? 1 : 0);
    SetPanelText(i, texts[i]);
  }
  NotePanel = new QLabel(this);
  statusBar()->addPermanentWidget(NotePanel);
  NoteTimer = new QTimer(this);
  NoteTimer->setSingleShot(true);
  connect(NoteTimer, &QTimer::timeout, NotePanel, &QLabel::clear);
  EncodingPanel = new QLabel(this);
  LineEndPanel = new QLabel(this);
  statusBar()->addPermanentWidget(EncodingPanel);
  statusBar()->addPermanentWidget(LineEndPanel);
  ShowEncoding();
}

namespace {

// The panels' widths at the original small font; the document name's grows with the window.
constexpr int kPanelWidths[4] = {60, 70, 50, 600};
// What the first three panels make room for whatever they show, so that they do not jump while
// the caret moves: seven-digit columns and lines.
const char* const kPanelRoom[3] = {"Char: 0000000", "Line: 0000000", "Modified"};

}  // namespace

void TForm1::SetPanelText(int panel, const QString& text) {
  QLabel* label = StatusBar1[static_cast<size_t>(panel)];
  label->setText(text);
  if (panel == 3) {
    label->setMinimumWidth(kPanelWidths[3]);  // and it takes the rest of the bar
    return;
  }
  // At the user's font the original widths cut the text: a panel is as wide as its text needs.
  QFontMetrics metrics(label->font());
  int need =
      std::max(metrics.horizontalAdvance(text), metrics.horizontalAdvance(kPanelRoom[panel]));
  QMargins margins = label->contentsMargins();
  int width = std::max(kPanelWidths[panel],
                       need + margins.left() + margins.right() + 2 * label->margin() + 6);
  if (label->minimumWidth() != width || label->maximumWidth() != width) label->setFixedWidth(width);
}

QString TForm1::PanelText(int panel) const {
  return StatusBar1[static_cast<size_t>(panel)]->text();
}

void TForm1::StoreChanged(TCustomMemoSource& store, int first, int) {
  TMemoStates flags = store.ChangeFlags();
  if (flags.Contains(msCaretMoved) || flags.Contains(msTextChanged)) UpdateCaretPanels();
  if (flags.Contains(msTextChanged)) {
    Palettes->ShrinkPaletteUnderCaret();
    Preview->TextChanged();
  }
  // An untitled document that became empty is clean again. Otherwise the store itself knows
  // whether the text differs from the file (also after undo back to the saved state), and the
  // window shows what it says.
  bool edited = flags.Contains(msTextChanged) && !flags.Contains(msUndoRedo) &&
                store.UpdateReason() != urLoad;
  if (edited && store.LineCount() == 0 && !HasDocumentName())
    SetDocumentModified(false);
  else if (flags.Contains(msModifiedChanged) || flags.Contains(msTextChanged))
    ShowModified(store.Modified());
  // Unsaved text goes into the recovery journal.
  if (flags.Contains(msTextChanged)) Recovery->JournalTextChanged(first);
}

// The feature controllers, each with the rows of its commands, over the parts the window lends.
void TForm1::CreateControllers() {
  TDocumentSteps document;
  document.Name = [this] { return DocumentName; };
  document.Extension = [this] { return CurrentExtension; };
  document.Save = [this] { return SaveDocument(); };
  document.SaveAs = [this] { return SaveDocumentAs(); };
  document.SetModified = [this](bool modified) { SetDocumentModified(modified); };
  document.SetSaveFilter = [this](int index, const std::string& ext) { SetSaveFilter(index, ext); };
  Parts = std::make_unique<TMainParts>(TMainParts{services_, Settings, SideFiles, MemoSource1,
                                                  Commands, *this, *VrelMemo1, std::move(document),
                                                  [this] { return CurrentFolder; }});
  Preview = std::make_unique<TPreviewCommands>(*Parts);
  Preview->OnDefineBrowsers = [this] { DefineBrowsers1Click(); };
  Preview->AddCommands();
  Print = std::make_unique<TPrintCommands>(*Parts);
  Print->AddCommands();
  ImportExport = std::make_unique<TImportExportCommands>(*Parts);
  ImportExport->AddCommands();
  Search = std::make_unique<TSearchCommands>(*Parts);
  Search->AddCommands();
  Insert = std::make_unique<TInsertCommands>(*Parts, SyntaxParser1);
  Insert->AddCommands();
  Palettes = std::make_unique<TPaletteCommands>(*Parts, SyntaxParser1);
  Palettes->InsertCustomText = [this] { Insert->ToolButton8Click(); };
  Palettes->EditCustomText = [this] { Insert->ToolButton12Click(); };
  Palettes->ImageTagOptions = [this] { return Insert->ImageTagOptions(); };
  Palettes->AddCommands();
  Recovery = std::make_unique<TRecoveryCommands>(*Parts);
  Recovery->LoadJournalText = [this](const TJournal& journal) { LoadJournalText(journal); };
  Recovery->FormattedText = [this](std::string& rtf) {
    if (!IsRtfDocument()) return false;
    rtf = ExportRtf(VrelMemo1->ExportSource());
    return true;
  };
  Recovery->TakeRestoredText = [this](const std::string& name) { Document.TakeRestoredText(name); };
  Recovery->ShowStatusNote = [this](const QString& text) { ShowStatusNote(text); };
}

void TForm1::LoadJournalText(const TJournal& journal) {
  const TJournalHeader& h = journal.Header;
  if (h.Rtf) {
    LoadRtfData(journal.Text);
    return;
  }
  LeaveRtfDocument();
  if (Settings.Highlighting) MemoSource1.SetSyntaxParser(&SyntaxParser1);
  MemoSource1.LoadFromBuffer(journal.Text);
  MemoSource1.SetEncoding(h.Encoding);
  MemoSource1.SetOutFormat(h.OutFormat);
  MemoSource1.SetByteOrderMark(h.ByteOrderMark);
}

// The editing view as the window sets it up.
void TForm1::SetUpView() {
  VrelMemo1 = new TVrelMemo(this);
  VrelMemo1->SetMemoSource(&MemoSource1);
  // The program's own drags are taken over the view; others go on to the window.
  VrelMemo1->setAcceptDrops(true);
  VrelMemo1->OnMenuShortcut = [this](TCustomVrelMemo&, const QKeyEvent& key) {
    return Commands.RunShortcut(key);
  };
  VrelMemo1->SetOptions({moThumbTracking, moColorSyntax, moLineNumbersOnGutter});
  VrelMemo1->UseMonoFont = false;
  VrelMemo1->SelColor = clWhite;
  VrelMemo1->SelBackColor = clNavy;
  VrelMemo1->MatchBackColor = clBlack;
  VrelMemo1->LineNumColor = clBlack;
  VrelMemo1->LineNumBackColor = clWhite;
  VrelMemo1->GutterBackColor = clWhite;
  VrelMemo1->GutterColor = 0x8000000F;
  VrelMemo1->HideScrollBars = true;
  VrelMemo1->UseDefaultMenu = true;
  VrelMemo1->GutterBackground = {boVertGradient, clSilver, clGray};
  VrelMemo1->WantTabs = true;
  VrelMemo1->ClipboardType = cbRtf;
  VrelMemo1->PrintOptions = {poWrapLines, poInColor, poShowProgress};
  VrelMemo1->PrinterFont.Name = "Courier New";
  VrelMemo1->PrinterFont.SetSize(10);
  VrelMemo1->TemplateFont.Name = "Courier New";
  VrelMemo1->TemplateFont.Height = -11;
  VrelMemo1->OnHintPopup = [this](TCustomVrelMemo&, TStrings& strings, bool& allow,
                                  TPopupType& type) { VrelMemo1HintPopup(strings, allow, type); };
  VrelMemo1->OnHintInsert = [this](TCustomVrelMemo&, std::string& s) { VrelMemo1HintInsert(s); };
  // The window's own text styles, all Courier New 8 point.
  struct TStyleRow {
    const char* Name;
    TColor Color;
    TFontStyles Style;
    bool MemoBackground;
    TColor Back;
  };
  const TStyleRow styles[] = {
      {"Whitespace", clBlack, {}, true, clWindow},
      {"String", clMaroon, {}, true, clWindow},
      {"Comment", clGray, {fsItalic}, true, clWindow},
      {"Identifier", clBlack, {}, true, clWindow},
      {"Integer", clGreen, {}, true, clWindow},
      {"Float", clGreen, {}, true, clWindow},
      {"Reserved words", clBlue, {fsBold}, true, clWindow},
      {"Delimiters", clBlack, {}, true, clWindow},
      {"Defines", clGreen, {}, true, clWindow},
      {"Assembler", clGreen, {}, true, clWindow},
      {"Html tags", clBlue, {}, true, clWindow},
      {"Html params", clBlue, {}, true, clWindow},
      {"Url", clBlue, {fsUnderline}, true, clWindow},
      {"BreakPoint", clWindow, {}, false, clRed},
      {"Error line", clWindow, {}, false, clMaroon},
  };
  VrelMemo1->TextStyles.Items.clear();
  for (const TStyleRow& row : styles) {
    TTextStyle style;
    style.Name = row.Name;
    style.Font.Name = "Courier New";
    style.Font.SetSize(8);
    style.Font.Color = row.Color;
    style.Font.Style = row.Style;
    style.UseMemoColor = row.MemoBackground;
    style.Color = row.Back;
    VrelMemo1->TextStyles.Items.push_back(style);
  }
  TFont font;
  font.Name = "Courier New";
  font.SetSize(8);
  font.Color = clBlack;
  VrelMemo1->SetFont(font);
  setCentralWidget(VrelMemo1);
  VrelMemo1->setFocus();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  Palettes->FormClose();
  WriteSettings();
  // Closed with its changes saved or dropped: nothing is left to recover.
  Recovery->EndRecovery();
  event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  QStringList names;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) names << url.toLocalFile();
  event->acceptProposedAction();
  WMDropFiles(names);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  QEvent::Type type = event->type();
  auto* widget = qobject_cast<QWidget*>(watched);
  if (type == QEvent::MouseButtonPress && widget && widget->window() == this) {
    if (WMMouseActivate()) return true;
    if (widget == statusBar() || widget->parentWidget() == statusBar()) StatusBar1MouseDown(true);
    return false;
  }
  if (type == QEvent::MouseButtonRelease && widget) {
    if (widget == statusBar() || widget->parentWidget() == statusBar()) StatusBar1MouseDown(false);
    // Clicks and key releases in either view refresh the buttons and the caret read-out.
    bool inView = widget == VrelMemo1->viewport() || (SplitMemo && widget == SplitMemo->viewport());
    if (inView) VrelMemo1Click();
  }
  if (type == QEvent::KeyRelease && (widget == VrelMemo1 || (SplitMemo && widget == SplitMemo)))
    VrelMemo1KeyUp();
  if (type == QEvent::KeyRelease && widget == VrelMemo1) Palettes->ShrinkPaletteUnderCaret();
  bool dragging = type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
  if (dragging && widget == VrelMemo1->viewport() && VrelMemo1DragOver(event)) return true;
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quorel
