// A separate window that shows stores in one view, one tab per store, with a status bar of the
// caret position, the modified or read-only state and the typing mode.
#pragma once

#include <QWidget>
#include <vector>

#include "view/vrelmemo.h"

class QLabel;
class QTabBar;

namespace quorel {

class TEditWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TEditWindow(QWidget* parent = nullptr);
  ~TEditWindow() override;

  // Shows `store` in the view, under a tab named after the store's file name (added once).
  void ShowStore(TCustomMemoSource& store);
  TVrelMemo* Memo() const { return memo_; }
  QTabBar* Tabs() const { return tabs_; }
  QString StatusText(int panel) const;

 private:
  void StoreChanged(TCustomMemoSource& store);
  void ShowStatus();
  void Detach();

  QTabBar* tabs_;
  TVrelMemo* memo_;
  std::vector<TCustomMemoSource*> stores_;
  QLabel* status_[3];
};

}  // namespace quorel
