// The separate edit window: tabs of stores over one view.
#include "view/editwindow.h"

#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "platform/qt/cp1252.h"

namespace quorel {

TEditWindow::TEditWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  resize(520, 392);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tabs_ = new QTabBar(this);
  tabs_->setDocumentMode(true);
  memo_ = new TVrelMemo(this);
  auto* bar = new QStatusBar(this);
  for (QLabel*& panel : status_) {
    panel = new QLabel(this);
    bar->addWidget(panel);
  }
  layout->addWidget(tabs_);
  layout->addWidget(memo_, 1);
  layout->addWidget(bar);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (index < 0 || static_cast<size_t>(index) >= stores_.size()) return;
    memo_->SetMemoSource(stores_[static_cast<size_t>(index)]);
    ShowStatus();
  });
}

TEditWindow::~TEditWindow() { Detach(); }

void TEditWindow::Detach() {
  for (TCustomMemoSource* store : stores_) store->RemoveListener(this);
  stores_.clear();
}

void TEditWindow::ShowStore(TCustomMemoSource& store) {
  size_t index = 0;
  while (index < stores_.size() && stores_[index] != &store) ++index;
  if (index == stores_.size()) {
    stores_.push_back(&store);
    store.AddListener([this](TCustomMemoSource& s, int, int) { StoreChanged(s); }, this, false);
    tabs_->addTab(platform::TextToQString(store.FileName()));
  }
  memo_->SetMemoSource(&store);
  tabs_->setCurrentIndex(static_cast<int>(index));
  setWindowTitle(platform::TextToQString(store.FileName()));
  ShowStatus();
  if (isMinimized()) showNormal();
  show();
  raise();
}

void TEditWindow::StoreChanged(TCustomMemoSource& store) {
  if (&store == &memo_->MemoSource()) ShowStatus();
}

void TEditWindow::ShowStatus() {
  TCustomMemoSource& store = memo_->MemoSource();
  status_[0]->setText(QString("%1: %2").arg(store.CaretY() + 1).arg(store.CaretCharColumn()));
  status_[1]->setText(store.ReadOnly() ? "Read only" : store.Modified() ? "Modified" : "");
  status_[2]->setText(store.OverwriteMode() ? "Overwrite" : "Insert");
}

QString TEditWindow::StatusText(int panel) const { return status_[panel]->text(); }

}  // namespace quorel
