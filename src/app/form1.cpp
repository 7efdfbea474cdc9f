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
#include "search/memosearch.h"
#include "search/ui/searchdialogs.h"
#include "syntax/htmlscheme.h"
#include "view/editwindow.h"

namespace quorel {

const std::array<const char*, 12> DocumentExtensions = {
    ".htm", ".html", ".txt", ".htx", ".asp", ".ins", ".ini", ".java", ".js", ".pas", ".rtf", ".*"};

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

  CreateMenus();
  CreateToolBar();
  CreateColorsMenu();
  CreateBrowserMenu();
  CreateStatusBar();
  SetUpDialogs();

  SetUpView();
  SearchDialogs1 = std::make_unique<TSearchDialogs>(this, services_.Settings);
  Search1 = std::make_unique<TMemoSearch>(MemoSource1, SearchOptions1);
  AttachSearchDialogs(*Search1, *SearchDialogs1);

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
  CreateItemsPalette();
  CreatePreferences();
  StartRecovery();
  WireMenuShortcuts();
  qApp->installEventFilter(this);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  EditWindow.reset();
  ClipboardStore.reset();
  MemoSource1.RemoveListener(this);
  MemoSource1.SetSyntaxParser(nullptr);
}

void TForm1::CreateMenus() {
  File1 = menuBar()->addMenu("&File");
  New1 = MenuItem(File1, "&New", "Ctrl+N");
  Open1 = MenuItem(File1, "&Open...", "Ctrl+O");
  Open1->setStatusTip("Open a File");
  Open1->setToolTip("Open a File");
  SameFolder1 = File1->addMenu("Sa&me Folder");
  none1 = SameFolder1->addAction(QString());
  N10 = SameFolder1->addSeparator();
  Save1 = MenuItem(File1, "&Save", "Ctrl+S");
  SaveAs1 = MenuItem(File1, "Save &As...", "Ctrl+Alt+S");
  ReverttoSaved1 = MenuItem(File1, "&Revert to Saved", "Ctrl+Alt+R");
  SaveaCopy1 = MenuItem(File1, "Sa&ve a Copy");
  Encoding1 = File1->addMenu("Encoding");
  const char* encodings[2] = {"Windows-1252", "UTF-8"};
  for (size_t i = 0; i < Encodings1.size(); ++i) {
    Encodings1[i] = Encoding1->addAction(encodings[i]);
    Encodings1[i]->setCheckable(true);
    connect(Encodings1[i], &QAction::triggered, this,
            [this, i] { Encodings1Click(static_cast<TEncoding>(i)); });
  }
  ConverttoUtf81 = Encoding1->addAction("Convert to UTF-8");
  connect(ConverttoUtf81, &QAction::triggered, this, [this] { ConverttoUtf81Click(); });
  Encoding1->addSeparator();
  const char* lineEnds[3] = {"CR LF (Windows)", "CR (classic Mac)", "LF (Unix)"};
  for (size_t i = 0; i < LineEnds1.size(); ++i) {
    LineEnds1[i] = Encoding1->addAction(lineEnds[i]);
    LineEnds1[i]->setCheckable(true);
    connect(LineEnds1[i], &QAction::triggered, this,
            [this, i] { LineEnds1Click(static_cast<TOutFormatType>(i)); });
  }
  connect(Encoding1, &QMenu::aboutToShow, this, [this] { Encoding1Click(); });
  ImportandExport1 = File1->addMenu("&Import and Export");
  CreateImportMenu();
  CreateExportMenu();
  Filesep1 = File1->addSeparator();
  Print1 = MenuItem(File1, "&Print...", "Ctrl+P");
  Preferences1 = MenuItem(File1, "Pr&eferences", "F8");
  Filesep2 = File1->addSeparator();
  Exit1 = MenuItem(File1, "E&xit", "Ctrl+Q");
  FileSep3 = File1->addSeparator();
  FileSep3->setVisible(false);
  QAction** recent[] = {&FileName1, &FileName2, &FileName3, &FileName4, &FileName5,
                        &FileName6, &FileName7, &FileName8, &FileName9, &FileName10};
  for (int i = 0; i < 10; ++i) {
    *recent[i] = File1->addAction(QString());
    (*recent[i])->setData(i + 1);  // the item's Tag
    (*recent[i])->setVisible(false);
  }
  CreateImagesMenu();
  CreateEditMenu();
  CreateHighlightingMenu();
  CreateViewMenu();
  CreateWindowMenu();
  Save1->setEnabled(false);
  SaveAs1->setEnabled(false);
  ReverttoSaved1->setEnabled(false);
  Print1->setEnabled(false);

  connect(File1, &QMenu::aboutToShow, this, [this] { File1Click(); });
  connect(New1, &QAction::triggered, this, [this] { New1Click(); });
  connect(Open1, &QAction::triggered, this, [this] { Open1Click(); });
  connect(Save1, &QAction::triggered, this, [this] { Save1Click(); });
  connect(SaveAs1, &QAction::triggered, this, [this] { SaveAs1Click(); });
  connect(ReverttoSaved1, &QAction::triggered, this, [this] { ReverttoSaved1Click(); });
  connect(SaveaCopy1, &QAction::triggered, this, [this] { SaveaCopy1Click(); });
  connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
  connect(Print1, &QAction::triggered, this, [this] { Print1Click(); });
  connect(Preferences1, &QAction::triggered, this, [this] { Preferences1Click(); });
  for (QAction* item : FileNames())
    connect(item, &QAction::triggered, this, [this, item] { FileName1Click(item); });
  connect(SameFolder1, &QMenu::triggered, this, [this](QAction* item) { none1Click(item); });
}

// The picture menus. Their folder items open the folder; the pictures they list are inserted by
// the image commands, which connect to them when they are built.
void TForm1::CreateImagesMenu() {
  Images1 = menuBar()->addMenu("&Images");
  CurrentFolder1 = Images1->addMenu("Insert &Current Folder");
  none2 = CurrentFolder1->addAction(QString());
  N11 = CurrentFolder1->addSeparator();
  images2 = Images1->addMenu("I&nsert \\images\\");
  none3 = images2->addAction(QString());
  N12 = images2->addSeparator();
  for (QAction* folder : {none2, none3})
    connect(folder, &QAction::triggered, this, [this, folder] { none1Click(folder); });
  connect(CurrentFolder1, &QMenu::triggered, this,
          [this](QAction* item) { ImageItemClick(item, false); });
  connect(images2, &QMenu::triggered, this, [this](QAction* item) { ImageItemClick(item, true); });
  N10->setVisible(false);
  N11->setVisible(false);
  N12->setVisible(false);
}

void TForm1::CreateToolBar() {
  ToolBar1 = addToolBar("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  ToolBar1->setIconSize(QSize(16, 16));
  auto button = [this](const char* caption, const char* hint, int image) {
    QAction* a = ToolBar1->addAction(ToolBarIcon(image), caption);
    a->setToolTip(hint);
    return a;
  };
  ToolButton1 = button("New", "New", 0);
  ToolBar1->addSeparator();
  ToolButton2 = button("Open", "Open", 1);
  ToolButton3 = button("Save", "Save", 2);
  ToolButton4 = button("Save As", "Save As", 3);
  ToolBar1->addSeparator();
  ToolButton5 = button("Cut", "Cut", 4);
  ToolButton6 = button("Copy", "Copy", 5);
  ToolButton7 = button("Paste", "Paste", 6);
  ToolBar1->addSeparator();
  ToolButton8 = button("Insert Text", "Insert Custom Text", 7);
  connect(ToolButton8, &QAction::triggered, this, [this] { ToolButton8Click(); });
  ToolButton12 = button("Edit Text", "Create/Edit Custom Text", 8);
  connect(ToolButton12, &QAction::triggered, this, [this] { ToolButton12Click(); });
  ToolBar1->addSeparator();
  ToolButton18 = button("Items Palette", "Items Palette", 11);
  connect(ToolButton18, &QAction::triggered, this, [this] { ItemsPalatte1Click(); });
  ToolButton24 = button("Image Map", "Image Map Creator", 15);
  connect(ToolButton24, &QAction::triggered, this, [this] { ToolButton24Click(); });
  ToolButton20 = button("Colors Palette", "Color Palette", 12);
  ToolBar1->addSeparator();
  ToolButton16 = button("Preview", "Preview in Browser", 10);
  ToolBar1->addSeparator();
  ToolButton22 = button("Compile", "Execute Java Compiler", 13);
  ToolButton23 = button("Run Java", "Run Compiled Applet in Browser", 14);
  ToolBar1->addSeparator();
  ToolButton14 = button("Exit", "Exit Program", 9);
  for (QAction* disabled : {ToolButton3, ToolButton4, ToolButton5, ToolButton6, ToolButton7,
                            ToolButton22, ToolButton23})
    disabled->setEnabled(false);
  connect(ToolButton1, &QAction::triggered, this, [this] { New1Click(); });
  connect(ToolButton2, &QAction::triggered, this, [this] { Open1Click(); });
  connect(ToolButton3, &QAction::triggered, this, [this] { Save1Click(); });
  connect(ToolButton4, &QAction::triggered, this, [this] { SaveAs1Click(); });
  connect(ToolButton5, &QAction::triggered, this, [this] { VrelMemo1->CutToClipboard(); });
  connect(ToolButton6, &QAction::triggered, this, [this] { VrelMemo1->CopyToClipboard(); });
  connect(ToolButton7, &QAction::triggered, this, [this] { VrelMemo1->PasteFromClipboard(); });
  connect(ToolButton14, &QAction::triggered, this, [this] { Exit1Click(); });

  // Its context menu places it at an edge or hides it.
  ToolBarMenu = new QMenu(this);
  Top1 = ToolBarMenu->addAction("Top");
  Bottom1 = ToolBarMenu->addAction("Bottom");
  Left1 = ToolBarMenu->addAction("Left");
  Right1 = ToolBarMenu->addAction("Right");
  ToolBarMenu->addSeparator();
  Hide1 = ToolBarMenu->addAction("Hide");
  int tag = 0;
  for (QAction* placement : {Top1, Bottom1, Left1, Right1}) {
    placement->setCheckable(true);
    connect(placement, &QAction::triggered, this, [this, tag] { Bottom1Click(tag); });
    ++tag;
  }
  Top1->setChecked(true);
  connect(Hide1, &QAction::triggered, this, [this] { Hide1Click(); });
  ToolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ToolBar1, &QToolBar::customContextMenuRequested, this,
          [this](const QPoint& at) { ToolBarMenu->popup(ToolBar1->mapToGlobal(at)); });
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

void TForm1::SetUpDialogs() {
  OpenDialog1.Title = "Open";
  OpenDialog1.Filters = {
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
  OpenDialog1.FilterIndex = 1;
  SaveDialog1.Title = "Save As";
  SaveDialog1.Filters = {
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
  SaveDialog1.FilterIndex = 1;
  SaveDialog1.DefaultExt = "*.htm";
}

QString TForm1::PanelText(int panel) const {
  return StatusBar1[static_cast<size_t>(panel)]->text();
}

void TForm1::StoreChanged(TCustomMemoSource& store, int first, int) {
  TMemoStates flags = store.ChangeFlags();
  if (flags.Contains(msCaretMoved) || flags.Contains(msTextChanged)) UpdateCaretPanels();
  if (flags.Contains(msTextChanged)) {
    ShrinkPaletteUnderCaret();
    // Printing and saving under a name make sense once there is text.
    bool hasText = store.LineCount() > 0;
    Print1->setEnabled(hasText);
    SaveAs1->setEnabled(hasText);
    UpdateExportItems();
    ToolButton4->setEnabled(hasText);
    ToolButton7->setEnabled(store.CanPaste());
    // The Java buttons come alive with the first change (the Preview button is always on).
    ToolButton22->setEnabled(ToolButton16->isEnabled());
    ToolButton23->setEnabled(ToolButton16->isEnabled());
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
  if (flags.Contains(msTextChanged)) JournalTextChanged(first);
}

// The editing view as the window sets it up.
void TForm1::SetUpView() {
  VrelMemo1 = new TVrelMemo(this);
  VrelMemo1->SetMemoSource(&MemoSource1);
  // The program's own drags are taken over the view; others go on to the window.
  VrelMemo1->setAcceptDrops(true);
  VrelMemo1->OnMenuShortcut = [this](TCustomVrelMemo&, const QKeyEvent& key) {
    return RunMenuShortcut(key);
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
  Form2->SavePalettePlacement();
  // The image map creator hides the palette only while it is open.
  if (ImageMap && ImageMap->isVisible())
    services_.Settings->WriteBool("ItemsVisible", ImageMap->SavedItemsVisible);
  WriteSettings();
  // Closed with its changes saved or dropped: nothing is left to recover.
  EndRecovery();
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
  if (type == QEvent::KeyRelease && widget == VrelMemo1) ShrinkPaletteUnderCaret();
  bool dragging = type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
  if (dragging && widget == VrelMemo1->viewport() && VrelMemo1DragOver(event)) return true;
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quorel
