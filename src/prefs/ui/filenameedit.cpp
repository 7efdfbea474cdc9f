// The file-name box and its pick button.
#include "prefs/ui/filenameedit.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QTimer>

#include "platform/qt/cp1252.h"

namespace quorel {

TVrelFileNameEdit::TVrelFileNameEdit(QWidget* parent) : QWidget(parent) {
  Edit = new QLineEdit(this);
  Edit->setMinimumWidth(260);
  Button = new QToolButton(this);
  Button->setText("...");
  Button->setFocusPolicy(Qt::TabFocus);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  row->addWidget(Edit, 1);
  row->addWidget(Button);
  setFocusProxy(Edit);
  Edit->installEventFilter(this);
  connect(Button, &QToolButton::clicked, this, [this] {
    std::string name = Text();
    if (OnPick && OnPick(name)) SetText(name);
  });
}

std::string TVrelFileNameEdit::Text() const { return platform::QStringToText(Edit->text()); }

void TVrelFileNameEdit::SetText(const std::string& text) {
  Edit->setText(platform::TextToQString(text));
}

bool TVrelFileNameEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit && event->type() == QEvent::FocusOut && OnExit) {
    // Only a move to another control counts: not the window losing the focus to a popup, a
    // message box or another program.
    Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason ||
        reason == Qt::OtherFocusReason)
      // Asked once the focus has arrived at the other control, so that the box can take it
      // back; not when the window has gone meanwhile.
      QTimer::singleShot(0, this, [this] {
        if (OnExit && window()->isVisible()) OnExit();
      });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quorel
