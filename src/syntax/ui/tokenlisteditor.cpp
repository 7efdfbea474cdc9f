// The rule lists: filling, the check boxes, keys, buttons and moving items by dragging.
#include "syntax/ui/tokenlisteditor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace quorel {

namespace {

QColor ToQColor(TColor color) {
  TColor rgb = ColorToRgb(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

}  // namespace

TTokenListEditor::TTokenListEditor(QWidget* parent, bool checkBoxes)
    : QWidget(parent), checkBoxes_(checkBoxes) {
  List = new QListWidget(this);
  List->setDragDropMode(QAbstractItemView::InternalMove);
  List->installEventFilter(this);
  AddBut = new QPushButton("Add", this);
  EditBut = new QPushButton("Edit", this);
  RemoveBut = new QPushButton("Remove", this);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {AddBut, EditBut, RemoveBut}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(List, 1);
  layout->addLayout(buttons);
  connect(AddBut, &QPushButton::clicked, this, [this] { AddClick(); });
  connect(EditBut, &QPushButton::clicked, this, [this] { EditClick(); });
  connect(RemoveBut, &QPushButton::clicked, this, [this] { RemoveClick(); });
  connect(List, &QListWidget::itemDoubleClicked, this, [this] { EditClick(); });
  connect(List, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (filling_ || !checkBoxes_ || !Ops.SetUsed) return;
    Ops.SetUsed(List->row(item), item->checkState() == Qt::Checked);
    if (OnChange) OnChange();
  });
  connect(List->model(), &QAbstractItemModel::rowsMoved, this,
          [this](const QModelIndex&, int from, int, const QModelIndex&, int to) {
            if (filling_ || !Ops.Move) return;
            int target = to > from ? to - 1 : to;
            Ops.Move(from, target);
            // The list is filled again once Qt has finished its own move.
            QMetaObject::invokeMethod(
                this,
                [this, target] {
                  Refill(target);
                  if (OnChange) OnChange();
                },
                Qt::QueuedConnection);
          });
}

void TTokenListEditor::Refill(int select) {
  filling_ = true;
  List->clear();
  const int count = Ops.Count ? Ops.Count() : 0;
  for (int i = 0; i < count; ++i) {
    auto* item = new QListWidgetItem(QString::fromStdString(Ops.Text(i)), List);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (checkBoxes_) {
      flags |= Qt::ItemIsUserCheckable;
      item->setCheckState(Ops.Used && Ops.Used(i) ? Qt::Checked : Qt::Unchecked);
    }
    item->setFlags(flags);
    // Each item is drawn in the style it is highlighted with.
    if (const TFont* font = Ops.Font ? Ops.Font(i) : nullptr) {
      QFont f(QString::fromStdString(font->Name));
      f.setBold(font->Style.Contains(fsBold));
      f.setItalic(font->Style.Contains(fsItalic));
      f.setUnderline(font->Style.Contains(fsUnderline));
      f.setStrikeOut(font->Style.Contains(fsStrikeOut));
      item->setFont(f);
      item->setForeground(ToQColor(font->Color));
    }
    if (Ops.Back) item->setBackground(ToQColor(Ops.Back(i)));
  }
  if (count > 0) List->setCurrentRow(std::clamp(select, 0, count - 1));
  filling_ = false;
}

void TTokenListEditor::AddClick() {
  if (!Ops.Add || !Ops.Add(AddBut)) return;
  Refill(Ops.Count() - 1);
  if (OnChange) OnChange();
}

void TTokenListEditor::EditClick() {
  int row = List->currentRow();
  if (row < 0 || !Ops.Edit || !Ops.Edit(EditBut, row)) return;
  Refill(row);
  if (OnChange) OnChange();
}

void TTokenListEditor::RemoveClick() {
  int row = List->currentRow();
  if (row < 0 || !Ops.Remove) return;
  Ops.Remove(row);
  // The item now at its place is selected, or the last one.
  Refill(std::min(row, Ops.Count() - 1));
  if (OnChange) OnChange();
}

bool TTokenListEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == List && event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Insert:
        AddClick();
        return true;
      case Qt::Key_Delete:
        RemoveClick();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        EditClick();
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quorel
