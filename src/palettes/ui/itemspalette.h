// The items palette: a narrow tool window floating above the main window with a tree of ready
// HTML pieces; a double click puts one into the document with the caret where typing goes on.
// It shrinks to its title strip, is dragged by its title, and closing it only hides it.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <string>

#include "palettes/itemtree.h"
#include "platform/services.h"
#include "platform/sidefiles.h"

namespace quorel {

class TCustomVrelMemo;

// What the palette needs from the main window.
struct TItemsPaletteOwner {
  TCustomVrelMemo* View = nullptr;
  const TSlotStrings* ColorNames = nullptr;
  const TSlotStrings* ColorValues = nullptr;
  std::function<void()> InsertCustomText;
  std::function<void()> EditCustomText;
  std::function<void()> EditColors;
};

class TForm2;

// The title strip: a click toggles the size, a press and drag moves the window.
class TPaletteTitle : public QLabel {
 public:
  TPaletteTitle(const QString& text, TForm2& palette);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TForm2& palette_;
  bool moving_ = false;
};

class TForm2 : public QWidget {
 public:
  static constexpr int kShrunkHeight = 33;

  TForm2(QWidget* parent, const platform::TServices& services, platform::TSideFiles& sideFiles,
         TItemsPaletteOwner owner);

  // Reads the placement and loads "Items.txt" (the user's copy, else the shipped one, else the
  // built-in tree). Whether it was shown last time is kept in VisibleAtStart for the main
  // window's first showing.
  void FormCreate();
  bool VisibleAtStart = true;
  void SavePalettePlacement();
  // Replaces the "Custom Colors" branch from the owner's slots.
  void RebuildCustomColorsBranch();
  // Writes the tree to the user's "Items.txt" and says how it went.
  void SaveItemsFile();
  // The size toggle: full height back from the strip, or down to the strip.
  void Label1Click();
  void Label1MouseDown();
  // A mouse movement over the title without the button: a palette expanded for a drag shrinks
  // again once it was moved.
  void Label1MouseMove();
  void FormShow();
  // The double click at the last mouse position over the tree.
  void TreeView1DblClick();
  // Shrinks the palette when `screenPoint` (the caret) lies inside it.
  void ShrinkIfOver(QPoint screenPoint);
  std::string StatusText() const { return StatusBar1->currentMessage().toStdString(); }
  const TItemTree& Items() const { return items_; }
  void SetItems(TItemTree items);

  int OrigHeight = 300;
  QPoint LastMouse;
  bool ExpandedForDrag = false;
  QPoint DragStart;

  TPaletteTitle* Label1;
  QTreeWidget* TreeView1;
  QStatusBar* StatusBar1;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowTree();
  void SetHeight(int height);
  void SetStatus(const char* text);
  void Warn(const std::string& text);
  void RunCaption(const std::string& caption);

  const platform::TServices services_;
  platform::TSideFiles& sideFiles_;
  TItemsPaletteOwner owner_;
  TItemTree items_;
};

}  // namespace quorel
