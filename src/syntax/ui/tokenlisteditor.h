// A rule list of the scheme editor: its items with a check box each (the item's UseToken),
// drawn in their style, with Add, Edit and Remove beside it; Insert adds, Delete removes, Enter
// or a double click edits, and dragging an item moves it within the list.
#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>

#include "engine/fonttypes.h"

namespace quorel {

// What the list does with the data it shows; the owner binds these to a block's list.
struct TTokenListOps {
  std::function<int()> Count;
  std::function<std::string(int)> Text;
  std::function<bool(int)> Used;
  std::function<void(int, bool)> SetUsed;
  // The font and background an item is drawn with (null: the list's own).
  std::function<const TFont*(int)> Font;
  std::function<TColor(int)> Back;
  // The popups: true when the user gave an item (Add returns with the item appended).
  std::function<bool(QWidget* anchor)> Add;
  std::function<bool(QWidget* anchor, int)> Edit;
  std::function<void(int)> Remove;
  std::function<void(int from, int to)> Move;
};

class TTokenListEditor : public QWidget {
  Q_OBJECT

 public:
  explicit TTokenListEditor(QWidget* parent = nullptr, bool checkBoxes = true);
  TTokenListOps Ops;
  // Shows the items again (after the block or a style changed).
  void Refill(int select = -1);
  void AddClick();
  void EditClick();
  void RemoveClick();
  // Tells every change made through the list.
  std::function<void()> OnChange;

  QListWidget* List;
  QPushButton* AddBut;
  QPushButton* EditBut;
  QPushButton* RemoveBut;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool checkBoxes_;
  bool filling_ = false;
};

}  // namespace quorel
