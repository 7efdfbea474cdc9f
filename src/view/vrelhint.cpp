// The hint window: rich text from the caption, placing, and the tick that hides it.
#include "view/vrelhint.h"

#include <QCursor>
#include <QTimerEvent>
#include <QToolTip>

#include "platform/qt/cp1252.h"

namespace quorel {

TVrelHint::TVrelHint() = default;
TVrelHint::~TVrelHint() = default;

QString TVrelHint::RichText(const std::string& caption) {
  QString out;
  bool bold = false;
  for (size_t i = 0; i < caption.size();) {
    char c = caption[i];
    if (c == '~') {
      out += bold ? "</b>" : "<b>";
      bold = !bold;
      ++i;
    } else if (c == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') {
      out += "<br>";
      i += 2;
    } else {
      size_t end = i + 1;
      while (end < caption.size() && caption[end] != '~' && caption[end] != '\r') ++end;
      out += platform::TextToQString(std::string_view(caption).substr(i, end - i)).toHtmlEscaped();
      i = end;
    }
  }
  if (bold) out += "</b>";
  return "<nobr>" + out + "</nobr>";
}

void TVrelHint::Show(const std::string& caption, QPoint at) {
  if (!window_) {
    window_ = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    window_->setPalette(QToolTip::palette());
    window_->setAutoFillBackground(true);
    window_->setTextFormat(Qt::RichText);
    window_->setFrameStyle(QFrame::Box | QFrame::Plain);
  }
  caption_ = caption;
  window_->setText(RichText(caption));
  QSize size = window_->sizeHint();
  window_->setGeometry(QRect(at, QSize(size.width() + 8, size.height())));
  shownFor_ = 0;
  tick_.start(Interval, this);
  SetVisible(true);
}

void TVrelHint::Hide() {
  tick_.stop();
  SetVisible(false);
}

bool TVrelHint::Visible() const { return window_ && window_->isVisible(); }

QRect TVrelHint::Geometry() const { return window_ ? window_->geometry() : QRect(); }

void TVrelHint::SetVisible(bool visible) {
  if (!window_ || window_->isVisible() == visible) return;
  window_->setVisible(visible);
  if (OnVisibleChanged) OnVisibleChanged();
}

bool TVrelHint::MouseInHintArea() const {
  QRect area = Geometry();
  area.setTop(area.top() - area.height());
  return area.contains(QCursor::pos());
}

void TVrelHint::timerEvent(QTimerEvent* event) {
  if (event->timerId() != tick_.timerId()) {
    QObject::timerEvent(event);
    return;
  }
  shownFor_ += Interval;
  if ((AutoHide && shownFor_ >= kHidePauseMs) || !MouseInHintArea()) Hide();
}

}  // namespace quorel
