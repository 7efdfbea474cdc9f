// The image map creator's model: rectangular areas drawn, moved and stretched on a picture with
// the mouse, and the HTML of the client-side map they make. The window feeds it mouse events in
// picture coordinates and draws what it holds; everything here works without a display.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "codecs/imagetag.h"

namespace quorel {

// One area: "MyShape" and a counter, its place on the picture, its hyperlink and alternate text.
struct TMapShape {
  std::string Name;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::string Hint;       // the hyperlink
  bool ShowHint = false;  // set once the hyperlink was edited: it shows as a tooltip
  std::string Text;       // the alternate text
  bool Highlighted = false;
  bool operator==(const TMapShape&) const = default;
};

// The mouse cursor over the picture: the split cursors mark the current area's bottom edge
// (vertical split) or right edge (horizontal split) under the mouse.
enum TMapCursor { mcDefault, mcVerticalSplit, mcHorizontalSplit };
enum TMapButton { mbtnLeft, mbtnRight, mbtnMiddle };

// What the map palette's value labels show.
struct TMapReadouts {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TMapReadouts&) const = default;
};

// One row of the map palette's list, and the area's name in the hidden list beside it.
struct TMapListRow {
  std::string Hyperlink;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  std::string Name;
  bool operator==(const TMapListRow&) const = default;
};

class TImageMapModel {
 public:
  // A fresh start, as each opening of the creator is: no areas, the counter at 0, no gesture.
  void Reset();
  // The picture shown and its pixel size; without one, presses on the picture do nothing.
  void SetPicture(int width, int height);
  bool HasPicture() const { return hasPicture_; }
  int PictureWidth() const { return pictureWidth_; }
  int PictureHeight() const { return pictureHeight_; }

  // Mouse events at (x, y) on the picture. While a button is held the control that took the
  // press (the picture or an area) keeps the mouse, also outside its bounds. MouseDown answers
  // true when the area's pop-up menu is to open (a right press on an area).
  bool MouseDown(int x, int y, TMapButton button);
  void MouseMove(int x, int y, bool leftHeld);
  void MouseUp(int x, int y, TMapButton button);

  // Deletes the highlighted areas. Their names are not used again until Reset.
  void DeleteHighlighted();
  // The area a dialog edits: the last highlighted one in creation order.
  TMapShape* HighlightedShape();
  // Highlights the area named `name` alone; no area is highlighted when none has that name.
  void HighlightOnly(const std::string& name);
  TMapShape* ShapeNamed(const std::string& name);
  // The topmost area containing the picture point, or nothing.
  std::optional<size_t> ShapeAt(int x, int y) const;

  const std::vector<TMapShape>& Shapes() const { return shapes_; }
  std::vector<TMapShape>& Shapes() { return shapes_; }
  int ShapeCount() const { return shapeCount_; }
  bool HasShapes() const { return hasShapes_; }
  bool Drawing() const { return drawing_; }
  bool Moving() const { return moving_; }
  bool Resizing() const { return resizing_; }
  TMapCursor Cursor() const { return cursor_; }
  const TMapReadouts& Readouts() const { return readouts_; }
  // The list row the last pointing selected (an area under the mouse), if any since asked.
  std::optional<size_t> TakeSelectedRow();

  // The map palette's rows, in creation order.
  std::vector<TMapListRow> ListRows() const;

 private:
  void Press(TMapShape& shape, size_t index, int x, int y, TMapButton button);
  void StartDrawing(int x, int y);
  void PointAt(size_t index, int x, int y);
  void MoveShape(TMapShape& shape, int x, int y);
  // The control the mouse event at (x, y) goes to: the captured one while a button is held, else
  // the topmost area there. An area's index, or nothing for the picture.
  std::optional<size_t> ControlAt(int x, int y) const;

  std::vector<TMapShape> shapes_;
  int shapeCount_ = 0;
  std::string newShape_;  // the name of the area last drawn
  int anchorX_ = 0, anchorY_ = 0;
  int grabX_ = 0, grabY_ = 0;
  bool drawing_ = false, moving_ = false, resizing_ = false, hasShapes_ = false;
  bool hasPicture_ = false;
  int pictureWidth_ = 0, pictureHeight_ = 0;
  TMapCursor cursor_ = mcDefault;
  TMapReadouts readouts_;
  // The area that took the press while a button is held (nothing: the picture took it).
  std::optional<std::string> captured_;
  bool buttonHeld_ = false;
  std::optional<size_t> selectedRow_;
};

// The path as the map code writes it: spaces replaced unless they are kept, backslashes made "/".
std::string MapPicturePath(const std::string& path, const TImageTagOptions& options);

// The map code: the MAP line, one AREA line per area in creation order, the closing tag, and the
// IMG line using the map (the source as PictureSource writes it; an empty path gives "file:///").
std::vector<std::string> MapCode(const std::vector<TMapShape>& shapes, const std::string& mapName,
                                 const std::string& picturePath, int pictureWidth,
                                 int pictureHeight);

}  // namespace quorel
