// The hyperlink dialog.
#include "imagemap/ui/hyperprop.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace quorel {

THyperProp1::THyperProp1(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle("HyperProp1");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Edit1 = new QLineEdit(this);
  Edit2 = new QLineEdit(this);
  Edit1->setMinimumWidth(300);
  layout->addWidget(new QLabel("Please enter the hyperlink for this area.", this));
  layout->addWidget(Edit1);
  layout->addWidget(new QLabel("Please enter an Alternate Text for this link.", this));
  layout->addWidget(Edit2);
  auto* buttons = new QHBoxLayout;
  Button1 = new QPushButton("OK", this);
  Button2 = new QPushButton("Cancel", this);
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  layout->addLayout(buttons);
  Button1->setAutoDefault(false);
  Button2->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
  connect(Edit2, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
  Edit2->installEventFilter(this);
  Button1->installEventFilter(this);
  Edit1Change();
}

void THyperProp1::FormShow(TImageMapModel& model) {
  LinkShape.clear();
  if (TMapShape* shape = model.HighlightedShape()) {
    Edit2->setText(QString::fromStdString(shape->Text));
    Edit1->setText(QString::fromStdString(shape->Hint));
    LinkShape = shape->Name;
  }
  Edit1Change();
  Edit1->setFocus();
}

void THyperProp1::Edit1Change() {
  Button1->setEnabled(!Edit1->text().isEmpty() && !Edit2->text().isEmpty());
}

bool THyperProp1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  int key = static_cast<QKeyEvent*>(event)->key();
  // Enter in the alternate text box closes with OK, also while the button is disabled.
  if (watched == Edit2 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
    accept();
    return true;
  }
  if (watched == Edit2 && key == Qt::Key_Escape) {
    Button2->click();
    return true;
  }
  // Any key on the OK button closes with OK.
  if (watched == Button1) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace quorel
