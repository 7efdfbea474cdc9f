// The image map creator: a picture on which rectangular areas are drawn, moved and stretched
// with the mouse (the gestures live in TImageMapModel), each given a hyperlink; from them it
// writes the HTML of a client-side image map.
#pragma once

#include <QImage>
#include <QMenu>
#include <QToolBar>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "imagemap/mapmodel.h"
#include "imagemap/ui/hyperprop.h"
#include "imagemap/ui/mapcodeform.h"
#include "imagemap/ui/mappalette.h"
#include "platform/dialogs.h"
#include "platform/services.h"

class QFrame;

namespace quorel {

class TCustomVrelMemo;
class TSyntaxParser;

// What the creator needs from the main window.
struct TImageMapOwner {
  QWidget* MainWindow = nullptr;
  TCustomVrelMemo* View = nullptr;  // receives the code, and lends its font to the code window
  TSyntaxParser* Parser = nullptr;  // colours the code
  QWidget* ItemsPalette = nullptr;  // hidden while the creator is open
  std::function<TImageTagOptions()> TagOptions;
  std::function<std::string()> CurrentFolder;
  std::function<void()> ClipboardFilled;
};

class TImageMap;

// The picture with its areas drawn over it; it hands the mouse to the model.
class TMapPicture : public QWidget {
 public:
  TMapPicture(QWidget* parent, TImageMap& creator);
  QImage Picture;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  TImageMap& creator_;
};

class TImageMap : public QWidget {
 public:
  TImageMap(QWidget* parent, const platform::TServices& services, TImageMapOwner owner);
  ~TImageMap() override;

  // Each showing starts afresh: no areas, the items palette hidden, the map palette shown.
  void FormShow();
  // "Open an Image to Use as an Image Map".
  void ToolButton1Click();
  // Shows the picture at `path`; false (with a message) when it cannot be read.
  bool OpenPicture(const std::string& path);
  // "Create Image Map Code": asks for the map's name, fills the code window and closes.
  void ToolButton2Click();
  // "Close Image Map Creator": asks first.
  void ToolButton5Click();
  void Delete1Click();
  void EditHyperlink1Click();
  // After every gesture and list action: the list, the read-outs, the cursor and the picture.
  void AreasChanged();

  void PictureMouseDown(QPoint at, Qt::MouseButton button, QPoint global);
  void PictureMouseMove(QPoint at, Qt::MouseButtons buttons);
  void PictureMouseUp(QPoint at, Qt::MouseButton button);

  TImageMapModel Model;
  bool CloseConfirmed = false;
  bool SavedItemsVisible = false;
  std::string MapName;
  platform::TFileDialog OpenDialog1;

  QToolBar* ToolBar1;
  QAction* ToolButton1;
  QAction* ToolButton2;
  QAction* ToolButton5;
  QFrame* Panel1;
  TMapPicture* Image1;
  QMenu* PopupMenu1;
  QAction* EditHyperlink1;
  QAction* Delete1;
  std::unique_ptr<TMapPalette> MapPalette;
  std::unique_ptr<THyperProp1> HyperProp1;
  std::unique_ptr<TForm4> Form4;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool FormCloseQuery();
  void Warn(const std::string& text);

  const platform::TServices services_;
  TImageMapOwner owner_;
};

}  // namespace quorel
