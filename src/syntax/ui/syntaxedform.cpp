// The scheme editor's window: the working copy, the buttons at the bottom and the block tree.
// The block pages are in syntaxedpages.cpp.
#include "syntax/ui/syntaxedform.h"

#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <map>

#include "engine/vrelerror.h"
#include "syntax/syntaxparser.h"
#include "syntax/ui/schemepopups.h"

namespace quorel {

namespace {

// The block tree lets a node be dropped on another; the form decides what that means.
class TBlockTreeWidget : public QTreeWidget {
 public:
  std::function<bool(int dragged, int target, bool asChild)> OnDropBlock;
  std::function<void(int key)> OnKey;
  using QTreeWidget::QTreeWidget;

 protected:
  void dropEvent(QDropEvent* event) override {
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    QTreeWidgetItem* dragged = currentItem();
    event->setDropAction(Qt::IgnoreAction);
    event->accept();  // the tree is rebuilt from the scheme, never moved by Qt itself
    if (!target || !dragged || !OnDropBlock) return;
    OnDropBlock(dragged->data(0, Qt::UserRole).toInt(), target->data(0, Qt::UserRole).toInt(),
                event->modifiers().testFlag(Qt::ControlModifier));
  }
  void keyPressEvent(QKeyEvent* event) override {
    int key = event->key();
    if (OnKey && (key == Qt::Key_Insert || key == Qt::Key_Delete || key == Qt::Key_Return ||
                  key == Qt::Key_Enter)) {
      OnKey(key);
      return;
    }
    QTreeWidget::keyPressEvent(event);
  }
};

platform::TFileDialog SchemeDialog(const std::string& title) {
  return FileDialog(title, "Syntax Scheme files (*.sch)", "*.sch", "sch");
}

}  // namespace

TSyntaxEdForm::TSyntaxEdForm(const platform::TServices& services, QWidget* parent)
    : QWidget(parent), services_(platform::WithDefaults(services)) {
  setWindowTitle("TSyntaxScheme Editor");
  setObjectName("SyntaxEdForm");
  CreateTreePage();
  CreateBlockPages();
  CreateButtons();
  auto* top = new QHBoxLayout;
  top->addWidget(TreePages, 2);
  top->addWidget(BlockPages, 5);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {LoadBut, SaveBut, SaveAsBut, ClearBut}) buttons->addWidget(b);
  buttons->addStretch();
  for (QPushButton* b : {OkBut, ApplyBut, CancelBut}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  FillTree();
  FillPages();
}

void TSyntaxEdForm::CreateButtons() {
  OkBut = new QPushButton("OK", this);
  ApplyBut = new QPushButton("Apply", this);
  CancelBut = new QPushButton("Cancel", this);
  LoadBut = new QPushButton("&Load", this);
  SaveBut = new QPushButton("&Save", this);
  SaveAsBut = new QPushButton("Save As", this);
  ClearBut = new QPushButton("Clear", this);
  connect(OkBut, &QPushButton::clicked, this, [this] { OkButClick(); });
  connect(ApplyBut, &QPushButton::clicked, this, [this] { ApplyButClick(); });
  connect(CancelBut, &QPushButton::clicked, this, [this] { CancelButClick(); });
  connect(LoadBut, &QPushButton::clicked, this, [this] { LoadButClick(); });
  connect(SaveBut, &QPushButton::clicked, this, [this] { SaveButClick(); });
  connect(SaveAsBut, &QPushButton::clicked, this, [this] { SaveAsButClick(); });
  connect(ClearBut, &QPushButton::clicked, this, [this] { ClearButClick(); });
}

void TSyntaxEdForm::CreateTreePage() {
  TreePages = new QTabWidget(this);
  auto* page = new QWidget;
  auto* tree = new TBlockTreeWidget(page);
  BlockTree = tree;
  BlockTree->setHeaderHidden(true);
  BlockTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  BlockTree->setDragDropMode(QAbstractItemView::InternalMove);
  tree->OnDropBlock = [this](int dragged, int target, bool asChild) {
    return DropBlock(dragged, target, asChild);
  };
  tree->OnKey = [this](int key) {
    if (key == Qt::Key_Insert) AddBlockClick();
    if (key == Qt::Key_Delete) RemoveBlockClick();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) EditBlockClick();
  };
  connect(BlockTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (filling_ || !item) return;
    selected_ = item->data(0, Qt::UserRole).toInt();
    FillPages();
  });
  connect(BlockTree, &QTreeWidget::itemDoubleClicked, this, [this] { EditBlockClick(); });
  AddBlockBut = new QPushButton("Add", page);
  EditBlockBut = new QPushButton("Edit", page);
  RemoveBlockBut = new QPushButton("Remove", page);
  CopyBlockBut = new QPushButton("Copy", page);
  connect(AddBlockBut, &QPushButton::clicked, this, [this] { AddBlockClick(); });
  connect(EditBlockBut, &QPushButton::clicked, this, [this] { EditBlockClick(); });
  connect(RemoveBlockBut, &QPushButton::clicked, this, [this] { RemoveBlockClick(); });
  connect(CopyBlockBut, &QPushButton::clicked, this, [this] { CopyBlockClick(); });
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {AddBlockBut, EditBlockBut, RemoveBlockBut, CopyBlockBut})
    buttons->addWidget(b);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(BlockTree, 1);
  layout->addLayout(buttons);
  TreePages->addTab(page, "&Blocks");
}

void TSyntaxEdForm::EditScheme(TSyntaxScheme& scheme) {
  edited_ = &scheme;
  // New styles start from the font of the parser that colours with the scheme.
  DefaultFontName = "Courier New";
  DefaultFontSize = 10;
  if (scheme.Parser) {
    DefaultFontName = scheme.Parser->DefaultAttr().Font.Name;
    DefaultFontSize = scheme.Parser->DefaultAttr().Font.Size();
  }
  work_.Clear();
  work_.Assign(scheme);
  fileName_.clear();
  selected_ = 0;
  FillTree();
  FillPages();
}

void TSyntaxEdForm::FillTree() {
  filling_ = true;
  BlockTree->clear();
  if (work_.SyntaxBlocks.empty()) {
    // Every scheme the editor shows has its top block.
    TSyntaxBlock root;
    root.Name = "Default";
    root.ID = 0;
    work_.SyntaxBlocks.push_back(root);
  }
  selected_ = std::clamp(selected_, 0, static_cast<int>(work_.SyntaxBlocks.size()) - 1);
  TBlockTree tree = BuildBlockTree(work_);
  std::map<int, QTreeWidgetItem*> items;
  for (int b : tree.DepthFirst()) {
    int parent = tree.Nodes[static_cast<size_t>(b)].Parent;
    auto* item = parent < 0 ? new QTreeWidgetItem(BlockTree) : new QTreeWidgetItem(items[parent]);
    item->setText(0, QString::fromStdString(work_.SyntaxBlocks[static_cast<size_t>(b)].Name));
    item->setData(0, Qt::UserRole, b);
    items[b] = item;
  }
  BlockTree->expandAll();
  BlockTree->setCurrentItem(items[selected_]);
  BlockTree->scrollToItem(items[selected_]);
  filling_ = false;
}

void TSyntaxEdForm::SelectBlock(int index) {
  selected_ = index;
  FillTree();
  FillPages();
}

// ---- The buttons ----

void TSyntaxEdForm::ApplyButClick() {
  NormaliseScheme(work_);
  // The block order follows the tree now; the selection follows its block.
  FillTree();
  FillPages();
  if (edited_) edited_->Assign(work_);
}

void TSyntaxEdForm::OkButClick() {
  ApplyButClick();
  if (OnClose) OnClose(true);
}

void TSyntaxEdForm::CancelButClick() {
  if (OnClose) OnClose(false);
}

void TSyntaxEdForm::LoadButClick() {
  platform::TFileDialog dialog = SchemeDialog("Load syntax scheme");
  if (!services_.Dialogs->OpenFileDialog(dialog)) return;
  try {
    work_.LoadFromFile(dialog.FileName, services_);
  } catch (const EVrelError&) {
    return;  // the loader has said what was wrong
  }
  fileName_ = dialog.FileName;
  selected_ = 0;
  FillTree();
  FillPages();
}

bool TSyntaxEdForm::SaveTo(const std::string& fileName) {
  NormaliseScheme(work_);
  FillTree();
  FillPages();
  try {
    work_.SaveToFile(fileName, services_);
  } catch (const EVrelError& e) {
    services_.Dialogs->MessageBox(platform::mkError, e.what(), platform::mbOK);
    return false;
  }
  return true;
}

void TSyntaxEdForm::SaveButClick() {
  if (fileName_.empty()) return SaveAsButClick();
  SaveTo(fileName_);
}

void TSyntaxEdForm::SaveAsButClick() {
  platform::TFileDialog dialog = SchemeDialog("Save syntax scheme");
  dialog.FileName = fileName_;
  if (!services_.Dialogs->SaveFileDialog(dialog)) return;
  fileName_ = dialog.FileName;
  SaveTo(fileName_);
}

void TSyntaxEdForm::ClearButClick() {
  work_.Clear();
  TSyntaxBlock root;
  root.Name = "Default";
  root.ID = 0;
  work_.SyntaxBlocks.push_back(root);
  fileName_.clear();
  selected_ = 0;
  FillTree();
  FillPages();
}

// ---- The block tree ----

void TSyntaxEdForm::AddBlockClick() {
  std::string name;
  int parent = 0;
  if (!BlockPopup(AddBlockBut, work_, -1, name, parent, true)) return;
  SelectBlock(AddBlock(work_, name, parent));
}

void TSyntaxEdForm::EditBlockClick() {
  if (selected_ <= 0) return;  // not the top node
  TBlockTree tree = BuildBlockTree(work_);
  std::string name = Block().Name;
  int parent = tree.Nodes[static_cast<size_t>(selected_)].Parent;
  const bool parentEnabled = Block().ParentID >= 0;
  if (!BlockPopup(EditBlockBut, work_, selected_, name, parent, parentEnabled)) return;
  EditBlock(work_, selected_, name, parentEnabled ? parent : -1);
  SelectBlock(selected_);
}

void TSyntaxEdForm::RemoveBlockClick() {
  if (selected_ <= 0) return;
  std::string question = "Do you really want to remove syntax block '" + Block().Name + "'?";
  if (services_.Dialogs->MessageBox(platform::mkConfirmation, question, platform::mbYesNo) !=
      platform::mrYes)
    return;
  SelectBlock(RemoveBlock(work_, selected_));
}

void TSyntaxEdForm::CopyBlockClick() {
  platform::TFileDialog dialog = SchemeDialog("Copy syntax block");
  if (!services_.Dialogs->OpenFileDialog(dialog)) return;
  TSyntaxScheme source;
  try {
    source.LoadFromFile(dialog.FileName, services_);
  } catch (const EVrelError&) {
    return;
  }
  int from = -1, parent = 0;
  if (!CopyBlockPopup(CopyBlockBut, source, work_, from, parent)) return;
  SelectBlock(CopyBlock(work_, source, from, parent));
}

bool TSyntaxEdForm::DropBlock(int dragged, int target, bool asChild) {
  int moved = DragBlock(work_, dragged, target, asChild);
  if (moved < 0) return false;
  SelectBlock(moved);
  return true;
}

platform::TFileDialog FileDialog(const std::string& title, const std::string& description,
                                 const std::string& pattern, const std::string& ext) {
  platform::TFileDialog dialog;
  dialog.Title = title;
  dialog.Filters = {{description, pattern}, {"All files (*.*)", "*.*"}};
  dialog.DefaultExt = ext;
  dialog.InitialDir = ".";
  return dialog;
}

void TSyntaxEdForm::Changed() {
  if (!filling_) UpdateEnabling();
}

}  // namespace quorel
