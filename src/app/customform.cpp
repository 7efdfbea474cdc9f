// The custom text window.
#include "app/customform.h"

#include <QAction>
#include <QBoxLayout>
#include <QEvent>
#include <QToolBar>

#include "app/toolbarimages.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/qt/placement.h"

namespace quorel {

TCustomForm1::TCustomForm1(QWidget* parent, const platform::TServices& services,
                           platform::TSideFiles& sideFiles, TSyntaxParser& parser)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      MemoSource1(services),
      services_(services),
      sideFiles_(sideFiles) {
  setWindowTitle("Custom Text");
  resize(544, 375);
  MemoSource1.SetOptions({soBackUnindents, soGroupUndo, soForceCutCopy, soAutoIndent, soSmartTab,
                          soFindTextAtCursor, soOverwriteBlocks});
  MemoSource1.SetTabStops("9,17");
  MemoSource1.SetSpacesInTab(8);
  MemoSource1.SetBlockOption(bkStreamSel);
  MemoSource1.SetSyntaxParser(&parser);
  layout_ = new QBoxLayout(QBoxLayout::TopToBottom, this);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  CreateToolBar();
  SetUpView();
  PlaceToolBar(0);
}

TCustomForm1::~TCustomForm1() { delete VrelMemo1; }

void TCustomForm1::CreateToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setMinimumHeight(22);
  auto button = [this](const char* caption, const char* hint, int image) {
    QAction* a = ToolBar1->addAction(ToolBarIcon(image), caption);
    a->setToolTip(hint);
    return a;
  };
  ToolButton2 = button("Cut", "Cut", 4);
  ToolButton3 = button("Copy", "Copy", 5);
  ToolButton4 = button("Paste", "Paste", 6);
  ToolButton1 = button("Undo", "Undo", kUndoImage);
  ToolButton5 = button("Redo", "Redo", kRedoImage);
  ToolBar1->addSeparator();
  ToolButton14 = button("Exit", "Save & Close", 9);
  ToolButton2->setEnabled(false);
  ToolButton3->setEnabled(false);
  // Cut and copy go through the view (which may add the selection's RTF), the rest act on the
  // store; the buttons follow the selection they leave.
  auto command = [this](QAction* a, std::function<void()> run) {
    connect(a, &QAction::triggered, this, [this, run] {
      run();
      UpdateCutCopyButtons();
    });
  };
  command(ToolButton2, [this] { VrelMemo1->CutToClipboard(); });
  command(ToolButton3, [this] { VrelMemo1->CopyToClipboard(); });
  command(ToolButton4, [this] { MemoSource1.PasteFromClipboard(); });
  command(ToolButton1, [this] { MemoSource1.Undo(); });
  command(ToolButton5, [this] { MemoSource1.Redo(); });
  connect(ToolButton14, &QAction::triggered, this, [this] { accept(); });
}

void TCustomForm1::SetUpView() {
  VrelMemo1 = new TVrelMemo(this);
  VrelMemo1->SetMemoSource(&MemoSource1);
  VrelMemo1->SetOptions({moThumbTracking, moColorSyntax});
  VrelMemo1->Color = clWhite;
  VrelMemo1->DisabledColor = clGray;
  VrelMemo1->LineNumColor = clBlack;
  VrelMemo1->LineNumRightAligned = true;
  VrelMemo1->EOLString = "\xB6";
  VrelMemo1->EOFString = "_";
  TFont font;
  font.Name = "Courier New";
  font.SetSize(10);
  font.Color = clBlack;
  VrelMemo1->SetFont(font);
  // Releasing a mouse button or a key may have made or dropped a selection.
  VrelMemo1->installEventFilter(this);
  VrelMemo1->viewport()->installEventFilter(this);
}

void TCustomForm1::PlaceToolBar(int alignment) {
  if (alignment < 0 || alignment > 3) alignment = 0;
  toolBarSide_ = alignment;
  static constexpr QBoxLayout::Direction kDirections[] = {
      QBoxLayout::TopToBottom, QBoxLayout::BottomToTop, QBoxLayout::LeftToRight,
      QBoxLayout::RightToLeft};
  layout_->removeWidget(ToolBar1);
  layout_->removeWidget(VrelMemo1);
  layout_->setDirection(kDirections[alignment]);
  ToolBar1->setOrientation(alignment >= 2 ? Qt::Vertical : Qt::Horizontal);
  layout_->addWidget(ToolBar1);
  layout_->addWidget(VrelMemo1, 1);
}

void TCustomForm1::Warn(const std::string& text) {
  services_.Dialogs->MessageBox(platform::mkWarning, text, platform::mbOK);
}

void TCustomForm1::FormShow(const TCustomMemoSource& mainStore, const TCustomVrelMemo& mainView,
                            int toolBarAlignment) {
  MemoSource1.SetOptions(mainStore.Options());
  VrelMemo1->SetOptions(mainView.Options());
  PlaceToolBar(toolBarAlignment);
  VrelMemo1->SetFont(mainView.Font());
  VrelMemo1->UseMonoFont = mainView.UseMonoFont;
  VrelMemo1->HideScrollBars = mainView.HideScrollBars;
  VrelMemo1->SetWordWrap(mainView.WordWrap());
  CustomFileName = sideFiles_.WritePath("Custom.txt");
  // Text that could not be saved last time is shown again rather than lost to a reload.
  if (!unsaved_) LoadCustomText();
  UpdateCutCopyButtons();
  platform::CentreOnScreen(*this);
  VrelMemo1->setFocus();
}

void TCustomForm1::LoadCustomText() {
  MemoSource1.ClearText();
  loadFailed_ = false;
  // The user's own copy, else the one shipped beside the program.
  std::string source = sideFiles_.ReadPath("Custom.txt");
  if (services_.Files->IsFile(source)) {
    try {
      MemoSource1.LoadFromFile(source);
    } catch (const std::exception&) {
      loadFailed_ = true;
      Warn("Unable to Open the File - \r\r" + source);
    }
  } else {
    // A new custom text is UTF-8 with CR LF, like a new document.
    MemoSource1.SetEncoding(enUtf8);
    MemoSource1.SetOutFormat(ofWindows);
    Warn("A Custom Text Does Not Yet Exist - Use This Window to Create One");
  }
  // Undo must not bring back the text of an earlier showing.
  MemoSource1.ClearUndo();
  MemoSource1.SetModified(false);
}

void TCustomForm1::FormClose() {
  if (CustomFileName.empty()) CustomFileName = sideFiles_.WritePath("Custom.txt");
  platform::IFileSystem& files = *services_.Files;
  if (loadFailed_ && !MemoSource1.Modified()) return;  // nothing read, nothing to write back
  // The safe write would replace a read-only file by renaming over it: refuse as the file asks.
  if (files.IsFile(CustomFileName) && files.IsReadOnly(CustomFileName)) {
    Warn(CustomFileName + " - This File is read only and can not be saved!!");
    unsaved_ = true;
    return;
  }
  try {
    CustomFileName = sideFiles_.Write("Custom.txt", MemoSource1.SaveToString());
  } catch (const std::exception&) {
    Warn("Unable to Save the File - " + CustomFileName + "!!");
    unsaved_ = true;
    return;
  }
  unsaved_ = false;
  MemoSource1.ClearText();
  MemoSource1.ClearUndo();
  MemoSource1.SetModified(false);
}

void TCustomForm1::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TCustomForm1::UpdateCutCopyButtons() {
  bool selected = !VrelMemo1->GetSelText().empty();
  ToolButton2->setEnabled(selected);
  ToolButton3->setEnabled(selected);
}

bool TCustomForm1::eventFilter(QObject* watched, QEvent* event) {
  QEvent::Type type = event->type();
  if ((type == QEvent::MouseButtonRelease && watched == VrelMemo1->viewport()) ||
      (type == QEvent::KeyRelease && watched == VrelMemo1))
    UpdateCutCopyButtons();
  return QDialog::eventFilter(watched, event);
}

}  // namespace quorel
