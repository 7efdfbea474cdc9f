// The map palette.
#include "imagemap/ui/mappalette.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace quorel {

TMapPalette::TMapPalette(QWidget* parent, TImageMapModel& model)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      model_(model) {
  setWindowTitle("Map Palette");
  resize(470, 300);
  ListView1 = new QTreeWidget(this);
  ListView1->setRootIsDecorated(false);
  ListView1->setHeaderLabels({"HyperLink", "X", "Y", "Width", "Height"});
  ListView1->header()->setSectionsClickable(false);
  ListView1->setColumnWidth(0, 250);
  for (int column = 1; column <= 4; ++column) ListView1->setColumnWidth(column, 52);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListView1->setMouseTracking(true);
  ListView1->viewport()->installEventFilter(this);
  connect(ListView1, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (!filling_ && column == 0) ListView1Edited(item);
  });
  connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { EditHyperlink1Click(); });
  auto value = [this] {
    auto* label = new QLabel("0", this);
    label->setMinimumWidth(40);
    return label;
  };
  XValue = value();
  YValue = value();
  WidthValue = value();
  HeightValue = value();
  PictureFile = new QLabel("None", this);
  PictureFile->setWordWrap(true);
  PictureFile->setTextFormat(Qt::PlainText);  // ampersands as typed
  auto* readouts = new QGridLayout;
  readouts->addWidget(new QLabel("X (Horizontal)", this), 0, 0);
  readouts->addWidget(XValue, 0, 1);
  readouts->addWidget(new QLabel("Y (Vertical)", this), 1, 0);
  readouts->addWidget(YValue, 1, 1);
  readouts->addWidget(new QLabel("Width", this), 0, 2);
  readouts->addWidget(WidthValue, 0, 3);
  readouts->addWidget(new QLabel("Height", this), 1, 2);
  readouts->addWidget(HeightValue, 1, 3);
  readouts->addWidget(new QLabel("Picture File:-", this), 2, 0);
  readouts->addWidget(PictureFile, 3, 0, 1, 4);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->addWidget(ListView1, 1);
  layout->addLayout(readouts);
  layout->addWidget(StatusBar1);
  PopupMenu1 = new QMenu(this);
  EditHyperlink1 = PopupMenu1->addAction("Edit Hyperlink");
  DeleteLink1 = PopupMenu1->addAction("Delete Link");
  PopupMenu1->setDefaultAction(EditHyperlink1);
  connect(EditHyperlink1, &QAction::triggered, this, [this] { EditHyperlink1Click(); });
  connect(DeleteLink1, &QAction::triggered, this, [this] { DeleteLink1Click(); });
  ListView1Change();
}

void TMapPalette::RefreshMapList() {
  filling_ = true;
  ListView1->clear();
  ListView2.clear();
  for (const TMapListRow& row : model_.ListRows()) {
    auto* item = new QTreeWidgetItem(ListView1);
    item->setText(0, QString::fromStdString(row.Hyperlink));
    item->setText(1, QString::number(row.X));
    item->setText(2, QString::number(row.Y));
    item->setText(3, QString::number(row.Width));
    item->setText(4, QString::number(row.Height));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    ListView2.push_back(row.Name);
    ListView1->setCurrentItem(item);
  }
  filling_ = false;
  ListView1Change();
}

void TMapPalette::ListView1Change() {
  StatusBar1->showMessage("Mapped Areas: " + QString::number(ListView1->topLevelItemCount()));
}

void TMapPalette::ShowReadouts(const TMapReadouts& r) {
  XValue->setText(QString::number(r.X));
  YValue->setText(QString::number(r.Y));
  WidthValue->setText(QString::number(r.Width));
  HeightValue->setText(QString::number(r.Height));
}

void TMapPalette::ShowPictureFile(const std::string& name) {
  PictureFile->setText(QString::fromStdString(name));
}

void TMapPalette::SelectRow(int row) {
  QTreeWidgetItem* item = ListView1->topLevelItem(row);
  if (!item) return;
  ListView1->clearSelection();
  ListView1->setCurrentItem(item);
}

int TMapPalette::SelectedRow() const {
  QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
  return selected.isEmpty() ? -1 : ListView1->indexOfTopLevelItem(selected.first());
}

void TMapPalette::ListView1MouseMove(QPoint at) {
  if (SelectedRow() < 0) return;
  QTreeWidgetItem* item = ListView1->itemAt(at);
  if (!item) {
    model_.HighlightOnly("");
  } else {
    int row = ListView1->indexOfTopLevelItem(item);
    SelectRow(row);
    model_.HighlightOnly(ListView2[static_cast<size_t>(row)]);
  }
  if (OnAreasChanged) OnAreasChanged();
}

void TMapPalette::EditHyperlink1Click() {
  int row = SelectedRow();
  if (row < 0) return;
  QTreeWidgetItem* item = ListView1->topLevelItem(row);
  ListView1->setCurrentItem(item);
  ListView1->editItem(item, 0);
}

void TMapPalette::ListView1Edited(QTreeWidgetItem* item) {
  int row = ListView1->indexOfTopLevelItem(item);
  if (row < 0 || static_cast<size_t>(row) >= ListView2.size()) return;
  TMapShape* shape = model_.ShapeNamed(ListView2[static_cast<size_t>(row)]);
  if (!shape) return;  // the area is gone: nothing changes
  shape->Hint = item->text(0).toStdString();
  shape->ShowHint = true;
  if (OnAreasChanged) OnAreasChanged();
}

void TMapPalette::DeleteLink1Click() {
  int row = SelectedRow();
  if (row < 0) return;
  SelectRow(row);
  model_.HighlightOnly(ListView2[static_cast<size_t>(row)]);
  if (OnDelete) OnDelete();
}

bool TMapPalette::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListView1->viewport()) {
    if (event->type() == QEvent::MouseMove)
      ListView1MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (event->type() == QEvent::ContextMenu) {
      PopupMenu1->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quorel
