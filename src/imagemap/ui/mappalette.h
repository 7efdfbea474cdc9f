// The map palette: the creator's areas listed with their hyperlinks and places, the mouse
// position, the size being drawn and the picture's file name. Pointing at a row shows its area.
#pragma once

#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "imagemap/mapmodel.h"

namespace quorel {

class TMapPalette : public QWidget {
 public:
  TMapPalette(QWidget* parent, TImageMapModel& model);

  // Rebuilds the list from the areas; the last row ends up selected.
  void RefreshMapList();
  void ShowReadouts(const TMapReadouts& readouts);
  void ShowPictureFile(const std::string& name);
  // Selects and focuses `row` alone.
  void SelectRow(int row);
  // Pointing at the list at `at` (in the list's viewport).
  void ListView1MouseMove(QPoint at);
  // Opens the selected row's hyperlink for editing in place.
  void EditHyperlink1Click();
  // The edited hyperlink goes to the area named in the hidden list's row.
  void ListView1Edited(QTreeWidgetItem* item);
  // "Delete Link": the selected row's area is deleted.
  void DeleteLink1Click();
  int SelectedRow() const;

  // Run after a list action changed the areas: the creator repaints.
  std::function<void()> OnAreasChanged;
  // The creator's Delete, which deletes the highlighted areas and rebuilds this list.
  std::function<void()> OnDelete;

  QTreeWidget* ListView1;
  std::vector<std::string> ListView2;  // the area names, row by row
  QLabel* XValue;
  QLabel* YValue;
  QLabel* WidthValue;
  QLabel* HeightValue;
  QLabel* PictureFile;
  QStatusBar* StatusBar1;
  QMenu* PopupMenu1;
  QAction* EditHyperlink1;
  QAction* DeleteLink1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ListView1Change();

  TImageMapModel& model_;
  bool filling_ = false;
};

}  // namespace quorel
