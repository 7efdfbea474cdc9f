// The pick list the view opens at the caret for completions and code templates: a top-most
// window that never takes the focus, entries drawn in columns split at "|" with the part between
// "~" marks in bold.
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace quorel {

class TVrelPopupListBox : public QWidget {
 public:
  // `chosen` is called once when the list closes: with the selected entry, or -1 without a
  // choice. Entries are UTF-8.
  TVrelPopupListBox(const QFont& font, std::vector<std::string> entries,
                    std::function<void(int)> chosen);
  ~TVrelPopupListBox() override;

  // Shows the list with its top-left corner at `at` (global), inside `screen`: the width grows
  // to the columns; a list that would pass the screen's bottom or right edge opens above or to
  // the left of `at` by its own height or width.
  void ShowAt(QPoint at, QRect screen);
  bool IsOpen() const { return open_; }
  // Closes it, choosing the selected entry or none.
  void Close(bool choose);

  int Selected() const { return selected_; }
  void Select(int index);  // -1: no entry
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }
  // Up, Down, PgUp, PgDn: true when the key was one of them.
  bool MoveByKey(int key);
  // The first entry that begins with `typed`, without regard to case; -1 when none does.
  int FindPrefix(const std::string& typed) const;
  int RowHeight() const { return rowHeight_; }
  int VisibleRows() const;
  // The columns' widths (each its widest piece plus a space).
  const std::vector<int>& ColumnWidths() const { return columnWidths_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // Watches the whole program while open: a press or release anywhere else closes the list.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int RowAt(int y) const;
  void ScrollToSelected();
  void MeasureColumns();
  // Draws one piece of an entry, bold between "~" marks, within [left, right).
  void DrawPiece(QPainter& painter, const QString& piece, int left, int right, int top,
                 bool alignRight) const;
  int PieceWidth(const QString& piece) const;

  QFont font_, bold_;
  std::vector<std::string> entries_;
  std::vector<QStringList> pieces_;
  std::vector<int> columnWidths_;
  std::function<void(int)> chosen_;
  int selected_ = 0;
  int top_ = 0;  // first entry shown
  int rowHeight_ = 9;
  bool open_ = false;
  bool pressedInside_ = false;
};

}  // namespace quorel
