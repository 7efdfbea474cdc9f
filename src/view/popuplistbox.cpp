// The pick list window: layout in columns, drawing, keys handed over by the view, the mouse.
#include "view/popuplistbox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace quorel {

namespace {

// A new list before it grows to its columns.
constexpr int kStartWidth = 121;
constexpr int kStartHeight = 97;
// Entries are drawn this far in from both sides.
constexpr int kInset = 2;

}  // namespace

TVrelPopupListBox::TVrelPopupListBox(const QFont& font, std::vector<std::string> entries,
                                     std::function<void(int)> chosen)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      font_(font),
      bold_(font),
      entries_(std::move(entries)),
      chosen_(std::move(chosen)) {
  // Shown without taking the focus: the caret keeps blinking in the view and typing goes on.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  bold_.setBold(true);
  rowHeight_ = std::max(QFontMetrics(font_).height(), 9);
  for (const std::string& e : entries_) pieces_.push_back(QString::fromStdString(e).split('|'));
  MeasureColumns();
  resize(kStartWidth, kStartHeight);
  setMouseTracking(true);
}

TVrelPopupListBox::~TVrelPopupListBox() {
  if (open_) qApp->removeEventFilter(this);
}

int TVrelPopupListBox::PieceWidth(const QString& piece) const {
  // The bold part is measured in the bold font.
  QStringList parts = piece.split('~');
  int width = 0;
  for (int i = 0; i < parts.size(); ++i)
    width += QFontMetrics(i == 1 ? bold_ : font_).horizontalAdvance(parts[i]);
  return width;
}

void TVrelPopupListBox::MeasureColumns() {
  // Two columns: the first piece left, the rest (joined) right.
  columnWidths_.assign(2, 0);
  const int space = QFontMetrics(font_).horizontalAdvance(QChar(' '));
  for (const QStringList& p : pieces_)
    for (int k = 0; k < std::min<int>(p.size(), 2); ++k)
      columnWidths_[static_cast<size_t>(k)] =
          std::max(columnWidths_[static_cast<size_t>(k)], PieceWidth(p[k]) + space);
}

void TVrelPopupListBox::ShowAt(QPoint at, QRect screen) {
  int columns = 0;
  for (int w : columnWidths_) columns += w;
  int width = std::max(kStartWidth, columns + 8);
  int height = kStartHeight;
  QPoint place = at;
  if (place.y() + height > screen.bottom() + 1) place.ry() -= height;
  if (place.x() + width > screen.right() + 1) place.rx() -= width;
  setGeometry(QRect(place, QSize(width, height)));
  open_ = true;
  qApp->installEventFilter(this);
  show();
  raise();
}

void TVrelPopupListBox::Close(bool choose) {
  if (!open_) return;
  open_ = false;
  qApp->removeEventFilter(this);
  hide();
  int index = choose ? selected_ : -1;
  if (chosen_) chosen_(index);
}

int TVrelPopupListBox::VisibleRows() const {
  return std::max((height() - 2 * kInset) / rowHeight_, 1);
}

void TVrelPopupListBox::Select(int index) {
  selected_ = index >= 0 && index < Count() ? index : -1;
  ScrollToSelected();
  update();
}

void TVrelPopupListBox::ScrollToSelected() {
  if (selected_ < 0) return;
  if (selected_ < top_) top_ = selected_;
  if (selected_ >= top_ + VisibleRows()) top_ = selected_ - VisibleRows() + 1;
}

bool TVrelPopupListBox::MoveByKey(int key) {
  int page = VisibleRows();
  int from = selected_ < 0 ? 0 : selected_;
  int to;
  switch (key) {
    case Qt::Key_Up:
      to = from - 1;
      break;
    case Qt::Key_Down:
      to = selected_ < 0 ? 0 : from + 1;
      break;
    case Qt::Key_PageUp:
      to = from - page;
      break;
    case Qt::Key_PageDown:
      to = from + page;
      break;
    default:
      return false;
  }
  if (Count() > 0) Select(std::clamp(to, 0, Count() - 1));
  return true;
}

int TVrelPopupListBox::FindPrefix(const std::string& typed) const {
  QString prefix = QString::fromStdString(typed);
  for (int i = 0; i < Count(); ++i)
    if (QString::fromStdString(entries_[static_cast<size_t>(i)])
            .startsWith(prefix, Qt::CaseInsensitive))
      return i;
  return -1;
}

int TVrelPopupListBox::RowAt(int y) const { return top_ + (y - kInset) / rowHeight_; }

void TVrelPopupListBox::DrawPiece(QPainter& painter, const QString& piece, int left, int right,
                                  int top, bool alignRight) const {
  int x = alignRight ? right - PieceWidth(piece) : left;
  QStringList parts = piece.split('~');
  int ascent = QFontMetrics(font_).ascent();
  for (int i = 0; i < parts.size(); ++i) {
    const QFont& f = i == 1 ? bold_ : font_;
    painter.setFont(f);
    painter.drawText(x, top + ascent, parts[i]);
    x += QFontMetrics(f).horizontalAdvance(parts[i]);
  }
}

void TVrelPopupListBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.fillRect(rect(), colours.color(QPalette::Base));
  painter.setPen(colours.color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  int rows = VisibleRows();
  for (int r = 0; r < rows && top_ + r < Count(); ++r) {
    int i = top_ + r;
    int y = kInset + r * rowHeight_;
    bool selected = i == selected_;
    QRect row(1, y, width() - 2, rowHeight_);
    if (selected) painter.fillRect(row, colours.color(QPalette::Highlight));
    painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QStringList& p = pieces_[static_cast<size_t>(i)];
    int left = kInset, right = width() - kInset;
    if (!p.isEmpty()) DrawPiece(painter, p[0], left, right, y, false);
    if (p.size() > 1) DrawPiece(painter, p.mid(1).join(' '), left, right, y, true);
  }
  if (Count() > rows) {
    // A thin bar on the right shows where the shown rows lie among all entries.
    int track = height() - 2 * kInset;
    int barTop = kInset + track * top_ / Count();
    int barHeight = std::max(track * rows / Count(), 4);
    painter.fillRect(QRect(width() - 4, barTop, 2, barHeight), colours.color(QPalette::Mid));
  }
}

void TVrelPopupListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressedInside_ = true;
  Select(std::clamp(RowAt(event->position().toPoint().y()), 0, std::max(Count() - 1, 0)));
}

void TVrelPopupListBox::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || !pressedInside_) return;
  int y = event->position().toPoint().y();
  // Above or below the list the neighbour of the selected entry comes next.
  if (y < 0)
    MoveByKey(Qt::Key_Up);
  else if (y >= height())
    MoveByKey(Qt::Key_Down);
  else
    Select(std::clamp(RowAt(y), 0, std::max(Count() - 1, 0)));
}

void TVrelPopupListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressedInside_ = false;
  Close(rect().contains(event->position().toPoint()));
}

void TVrelPopupListBox::wheelEvent(QWheelEvent* event) {
  int steps = event->angleDelta().y() / 120;
  top_ = std::clamp(top_ - steps, 0, std::max(Count() - VisibleRows(), 0));
  update();
}

bool TVrelPopupListBox::eventFilter(QObject* watched, QEvent* event) {
  if (!open_) return false;
  QEvent::Type type = event->type();
  bool button = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                type == QEvent::NonClientAreaMouseButtonPress ||
                type == QEvent::NonClientAreaMouseButtonRelease;
  // Only widgets count: the press reaches this list's own window object first.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (button && widget && widget != this && !isAncestorOf(widget) && !pressedInside_) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) Close(false);
  }
  if (type == QEvent::ApplicationDeactivate) Close(false);
  return false;
}

}  // namespace quorel
