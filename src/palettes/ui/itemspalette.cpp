// The items palette window.
#include "palettes/ui/itemspalette.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <cmath>

#include "engine/utf8.h"
#include "palettes/iteminsert.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/settings.h"
#include "view/vrelmemo.h"

namespace quorel {

namespace {

// The palette's entries go into the main view; its captions are UTF-8, the document may not be.
class TViewTarget : public IItemTarget {
 public:
  explicit TViewTarget(TCustomVrelMemo& view) : view_(view), store_(view.MemoSource()) {}
  bool Visible() const override { return view_.isVisible(); }
  void InsertText(const std::string& text) override {
    view_.InsertText(FromUtf8(text, store_.IsUtf8()));
  }
  void CaretLeft() override { store_.CaretLeft(); }
  void CaretRight() override { store_.CaretRight(); }
  void SelectCharLeft() override { store_.SelectCharLeft(); }
  std::string SelectedText() const override { return ToUtf8(view_.GetSelText(), store_.IsUtf8()); }
  int CaretColumn() const override { return store_.CaretX(); }
  // The palette is a window of its own: typing goes on in the main window.
  void Focus() override {
    view_.activateWindow();
    view_.setFocus();
  }
  void BeginUndoGroup() override { store_.BeginUndoGroup(); }
  void EndUndoGroup() override { store_.EndUndoGroup(); }

 private:
  TCustomVrelMemo& view_;
  TCustomMemoSource& store_;
};

bool IsSnippet(const std::string& caption) { return SnippetText(caption) != nullptr; }

void AddNodes(const std::vector<TItemNode>& nodes, QTreeWidgetItem* parent, QTreeWidget* tree) {
  for (const TItemNode& node : nodes) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, QString::fromStdString(node.Caption));
    AddNodes(node.Children, item, tree);
  }
}

}  // namespace

TPaletteTitle::TPaletteTitle(const QString& text, TForm2& palette)
    : QLabel(text, &palette), palette_(palette) {
  setMouseTracking(true);
}

void TPaletteTitle::mousePressEvent(QMouseEvent* event) {
  moving_ = false;
  if (event->button() == Qt::LeftButton) palette_.Label1MouseDown();
}

void TPaletteTitle::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) {
    palette_.Label1MouseMove();
    return;
  }
  // The window system moves the window for as long as the button is held.
  if (!moving_ && palette_.windowHandle()) moving_ = palette_.windowHandle()->startSystemMove();
}

void TPaletteTitle::mouseReleaseEvent(QMouseEvent* event) {
  // A press that became a move is no click.
  if (event->button() == Qt::LeftButton && !moving_) palette_.Label1Click();
  moving_ = false;
}

TForm2::TForm2(QWidget* parent, const platform::TServices& services,
               platform::TSideFiles& sideFiles, TItemsPaletteOwner owner)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      services_(services),
      sideFiles_(sideFiles),
      owner_(std::move(owner)) {
  setWindowTitle("Items Palette");
  setMinimumHeight(kShrunkHeight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  Label1 = new TPaletteTitle("Items", *this);
  Label1->setFixedHeight(13);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Label1->setStyleSheet("color: white; padding-left: 3px;");
  QFont small = Label1->font();
  small.setPixelSize(11);
  small.setBold(true);
  Label1->setFont(small);
  TreeView1 = new QTreeWidget(this);
  TreeView1->setHeaderHidden(true);
  // Long captions scroll sideways rather than being cut short.
  TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  TreeView1->header()->setStretchLastSection(false);
  TreeView1->setIndentation(19);
  TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeView1->setMinimumHeight(0);
  TreeView1->setMouseTracking(true);
  TreeView1->viewport()->installEventFilter(this);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setFixedHeight(16);
  StatusBar1->setAutoFillBackground(true);  // the title gradient shows only behind the title
  QFont tiny = StatusBar1->font();
  tiny.setPixelSize(9);
  StatusBar1->setFont(tiny);
  StatusBar1->installEventFilter(this);
  layout->addWidget(Label1);
  layout->addWidget(TreeView1, 1);
  layout->addWidget(StatusBar1);
}

void TForm2::Warn(const std::string& text) {
  services_.Dialogs->MessageBox(platform::mkWarning, text, platform::mbOK);
}

void TForm2::SetStatus(const char* text) { StatusBar1->showMessage(text); }

void TForm2::SetHeight(int height) { resize(width(), std::max(height, kShrunkHeight)); }

void TForm2::FormCreate() {
  platform::ISettings& s = *services_.Settings;
  int height = 300, width = 180, top = 20;
  QScreen* screen = QGuiApplication::primaryScreen();
  int left = (screen ? screen->geometry().width() : 1024) - 200;
  s.ReadInto("ItemsHeight", height);
  s.ReadInto("ItemsOrigHeight", OrigHeight);
  s.ReadInto("ItemsWidth", width);
  s.ReadInto("ItemsTop", top);
  s.ReadInto("ItemsLeft", left);
  s.ReadInto("ItemsVisible", VisibleAtStart);
  resize(width, std::max(height, kShrunkHeight));
  move(left, top);
  std::string path = sideFiles_.ReadPath("Items.txt");
  TItemTree items = BuiltInItemTree();
  if (services_.Files->IsFile(path)) {
    TItemsLoad load;
    try {
      load = ParseItemsFile(services_.Files->ReadWholeFile(path));
    } catch (const std::exception&) {
      load.Ok = false;
    }
    items = std::move(load.Tree);
    if (!load.Ok) Warn("Unable to load the items.txt file, contact author for a new file!");
  }
  SetItems(std::move(items));
}

void TForm2::SavePalettePlacement() {
  platform::ISettings& s = *services_.Settings;
  s.WriteInteger("ItemsHeight", height());
  s.WriteInteger("ItemsOrigHeight", OrigHeight);
  s.WriteInteger("ItemsWidth", width());
  s.WriteInteger("ItemsTop", y());
  s.WriteInteger("ItemsLeft", x());
  s.WriteBool("ItemsVisible", isVisible());
}

void TForm2::SetItems(TItemTree items) {
  items_ = std::move(items);
  ShowTree();
}

void TForm2::ShowTree() {
  TreeView1->setUpdatesEnabled(false);
  TreeView1->clear();
  AddNodes(items_, nullptr, TreeView1);
  TreeView1->setUpdatesEnabled(true);
}

void TForm2::RebuildCustomColorsBranch() {
  quorel::RebuildCustomColorsBranch(items_, *owner_.ColorNames, *owner_.ColorValues);
  ShowTree();
}

void TForm2::SaveItemsFile() {
  try {
    std::string path = sideFiles_.Write("Items.txt", WriteItemsFile(items_));
    std::string folder = path.substr(0, path.size() - std::string("Items.txt").size());
    services_.Dialogs->MessageBox(platform::mkConfirmation,
                                  "The file treeview has been save to\r\r" + folder + "Items.txt",
                                  platform::mbOK);
  } catch (const std::exception&) {
    Warn("Unable to save the items.txt file, check destination!");
  }
}

void TForm2::Label1Click() {
  if (height() < 34) {
    SetStatus("Click here to shrink the palette");
    SetHeight(OrigHeight);
  } else {
    OrigHeight = height();
    SetHeight(kShrunkHeight);
    SetStatus("Click to return the palette to full size");
  }
}

void TForm2::Label1MouseDown() {
  if (height() == kShrunkHeight) {
    SetStatus("Click here to shrink the palette");
    SetHeight(OrigHeight);
    ExpandedForDrag = true;
  }
  DragStart = pos();
}

void TForm2::Label1MouseMove() {
  if (!ExpandedForDrag) return;
  if (pos() != DragStart) {
    SetHeight(kShrunkHeight);
    SetStatus("Click to return the palette to full size");
  }
  ExpandedForDrag = false;
}

void TForm2::FormShow() {
  SetStatus(height() == kShrunkHeight ? "Click to return the palette to full size"
                                      : "Double Click an item to add it");
}

void TForm2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TForm2::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

void TForm2::ShrinkIfOver(QPoint p) {
  if (!isVisible() || height() <= kShrunkHeight) return;
  QRect r = frameGeometry();
  if (p.x() > r.left() && p.x() < r.left() + r.width() && p.y() > r.top() &&
      p.y() < r.top() + r.height())
    Label1Click();
}

void TForm2::TreeView1DblClick() {
  QTreeWidgetItem* item = TreeView1->itemAt(LastMouse);
  if (!item) return;
  // Only a click on the caption itself counts: not the expand button, not the blank after it.
  QRect label = TreeView1->visualItemRect(item);
  label.setWidth(TreeView1->fontMetrics().horizontalAdvance(item->text(0)) + 8);
  if (!label.contains(LastMouse)) return;
  RunCaption(item->text(0).toStdString());
}

void TForm2::RunCaption(const std::string& caption) {
  TCustomVrelMemo* view = owner_.View;
  if (caption == "Insert Custom Text") {
    if (owner_.InsertCustomText) owner_.InsertCustomText();
  } else if (caption == kCustomColorsCaption) {
  } else if (caption == "Edit Custom Text") {
    if (owner_.EditCustomText) owner_.EditCustomText();
  } else if (IsSnippet(caption)) {
    TViewTarget target(*view);
    InsertSnippet(target, *SnippetText(caption));
  } else if (caption == kEditColorsCaption) {
    if (owner_.EditColors) owner_.EditColors();
  } else if (std::optional<int> slot =
                 CustomColorSlotOf(caption, *owner_.ColorNames, *owner_.ColorValues)) {
    TViewTarget target(*view);
    InsertSnippet(target, (*owner_.ColorValues)[static_cast<size_t>(*slot - 1)]);
  } else if (caption == "Colours" || caption == "Tags" || caption == "JavaScripts") {
  } else {
    TViewTarget target(*view);
    InsertItem(target, caption);
  }
}

// White, then 257 strips from pure blue to red 0, green 160, blue 255; only the part behind the
// transparent title shows.
void TForm2::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const double w = width();
  for (int i = 0; i <= 256; ++i) {
    int from = static_cast<int>(std::nearbyint(i * w / 256));
    int to = static_cast<int>(std::nearbyint((i + 1) * w / 256));
    painter.fillRect(QRect(from, 0, to - from, height()),
                     QColor(0, static_cast<int>(std::nearbyint(i * 0.625)), 255));
  }
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  QEvent::Type type = event->type();
  if (watched == StatusBar1 &&
      (type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick)) {
    Label1Click();
    return true;
  }
  if (watched != TreeView1->viewport()) return QWidget::eventFilter(watched, event);
  if (type == QEvent::MouseMove) LastMouse = static_cast<QMouseEvent*>(event)->position().toPoint();
  if (type == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    LastMouse = mouse->position().toPoint();
    if (mouse->button() == Qt::RightButton) {
      Label1Click();
      Qt::KeyboardModifiers both = Qt::ControlModifier | Qt::ShiftModifier;
      if ((mouse->modifiers() & both) == both) SaveItemsFile();
      return true;
    }
    SetStatus("Double Click an item to add it");
  }
  if (type == QEvent::MouseButtonDblClick) {
    LastMouse = static_cast<QMouseEvent*>(event)->position().toPoint();
    TreeView1DblClick();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quorel
