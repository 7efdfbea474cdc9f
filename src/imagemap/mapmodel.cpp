// The image map creator's model: the mouse gestures on the picture and its areas, and the map code.
#include "imagemap/mapmodel.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "engine/pathtext.h"

namespace quorel {

namespace {

const std::string kShapePrefix = "MyShape";

// True for "MyShape" and a counter value from 0 to `count`, written as the counter writes it.
bool IsNumberedShape(const std::string& name, int count) {
  if (name.compare(0, kShapePrefix.size(), kShapePrefix) != 0) return false;
  const char* first = name.data() + kShapePrefix.size();
  const char* last = name.data() + name.size();
  int n = -1;
  auto [end, error] = std::from_chars(first, last, n);
  if (error != std::errc() || end != last || n < 0 || n > count) return false;
  // "MyShape01" and "MyShape+1" are not names the counter gives.
  return name == kShapePrefix + std::to_string(n);
}

}  // namespace

void TImageMapModel::Reset() {
  // The picture and the read-outs stay: the window shows them until they next change.
  shapes_.clear();
  shapeCount_ = 0;
  newShape_.clear();
  anchorX_ = anchorY_ = 0;
  grabX_ = grabY_ = 0;
  drawing_ = moving_ = resizing_ = hasShapes_ = false;
  cursor_ = mcDefault;
  captured_.reset();
  buttonHeld_ = false;
  selectedRow_.reset();
}

void TImageMapModel::SetPicture(int width, int height) {
  hasPicture_ = true;
  pictureWidth_ = width;
  pictureHeight_ = height;
}

std::optional<size_t> TImageMapModel::ShapeAt(int x, int y) const {
  // Later areas lie in front, so the search runs from the back of the list.
  for (size_t i = shapes_.size(); i-- > 0;) {
    const TMapShape& s = shapes_[i];
    if (x >= s.Left && x < s.Left + s.Width && y >= s.Top && y < s.Top + s.Height) return i;
  }
  return std::nullopt;
}

std::optional<size_t> TImageMapModel::ControlAt(int x, int y) const {
  if (!buttonHeld_) return ShapeAt(x, y);
  if (!captured_) return std::nullopt;  // the picture took the press
  for (size_t i = 0; i < shapes_.size(); ++i)
    if (shapes_[i].Name == *captured_) return i;
  return std::nullopt;
}

bool TImageMapModel::MouseDown(int x, int y, TMapButton button) {
  if (!hasPicture_) return false;
  std::optional<size_t> index = ControlAt(x, y);
  if (index) {
    // The pop-up menu takes the mouse from here on, so the area does not capture it.
    if (button == mbtnRight && hasShapes_) return true;
    Press(shapes_[*index], *index, x, y, button);
  } else if (button == mbtnLeft) {
    StartDrawing(x, y);
  }
  // A press on the picture with another button does nothing and takes nothing.
  return false;
}

void TImageMapModel::Press(TMapShape& shape, size_t, int x, int y, TMapButton button) {
  const int relX = x - shape.Left;
  const int relY = y - shape.Top;
  if (button == mbtnLeft && cursor_ == mcVerticalSplit) {
    // Pressing on the last row (relY = height - 1) already stretches the area by one pixel.
    resizing_ = true;
    shape.Height = 2 * shape.Height - relY;
    readouts_.Height = shape.Height;
  } else if (button == mbtnLeft && cursor_ == mcHorizontalSplit) {
    resizing_ = true;
    shape.Width = 2 * shape.Width - relX;
    readouts_.Width = shape.Width;
  } else {
    shape.Highlighted = true;
    moving_ = true;
    grabX_ = relX;
    grabY_ = relY;
    readouts_.X = shape.Left;
    readouts_.Y = shape.Top;
  }
  captured_ = shape.Name;
  buttonHeld_ = true;
}

void TImageMapModel::StartDrawing(int x, int y) {
  TMapShape shape;
  shape.Name = kShapePrefix + std::to_string(shapeCount_);
  ++shapeCount_;
  shape.Highlighted = true;
  shape.Left = x;
  shape.Top = y;
  // A click without moving leaves a small area one can still grab.
  shape.Width = shape.Height = 3;
  newShape_ = shape.Name;
  shapes_.push_back(std::move(shape));
  hasShapes_ = true;
  anchorX_ = x;
  anchorY_ = y;
  readouts_ = {x, y, 1, 1};
  drawing_ = true;
  captured_.reset();
  buttonHeld_ = true;
}

void TImageMapModel::MouseMove(int x, int y, bool leftHeld) {
  std::optional<size_t> index = ControlAt(x, y);
  TMapShape* shape = index ? &shapes_[*index] : nullptr;
  // Relative to the control under the mouse, taken once: moving the area below changes its Left
  // and Top, but the rules read the position as it was when the event came.
  const int relX = shape ? x - shape->Left : x;
  const int relY = shape ? y - shape->Top : y;

  if (resizing_) {
    if (shape) {
      // Two pixels at least, so that the edge can still be caught.
      if (cursor_ == mcVerticalSplit && relY > 2) shape->Height = relY;
      if (cursor_ == mcHorizontalSplit && relX > 2) shape->Width = relX;
      if (cursor_ == mcVerticalSplit) readouts_.Height = shape->Height;
      if (cursor_ == mcHorizontalSplit) readouts_.Width = shape->Width;
    }
    return;
  }

  if (shape) {
    PointAt(*index, relX, relY);
  } else {
    cursor_ = mcDefault;
    for (TMapShape& s : shapes_) s.Highlighted = false;
  }
  if (!shape || !moving_) {
    // Either way the picture point: an area's relative position plus its place.
    readouts_.X = x;
    readouts_.Y = y;
  }

  // While drawing the picture has the mouse, so (x, y) are picture coordinates.
  if (drawing_ && !shape) {
    if (TMapShape* drawn = ShapeNamed(newShape_)) {
      drawn->Left = std::min(anchorX_, x);
      drawn->Top = std::min(anchorY_, y);
      drawn->Width = std::abs(x - anchorX_);
      drawn->Height = std::abs(y - anchorY_);
      readouts_.Width = drawn->Width;
      readouts_.Height = drawn->Height;
    }
  }

  if (moving_ && leftHeld && shape) MoveShape(*shape, relX, relY);
}

void TImageMapModel::PointAt(size_t index, int x, int y) {
  for (size_t i = 0; i < shapes_.size(); ++i) shapes_[i].Highlighted = i == index;
  selectedRow_ = index;
  if (moving_) return;
  const TMapShape& shape = shapes_[index];
  // Near the bottom or right edge the cursor offers stretching; the bottom edge wins the corner.
  if (std::abs(y - shape.Height) < 2)
    cursor_ = mcVerticalSplit;
  else if (std::abs(x - shape.Width) < 2)
    cursor_ = mcHorizontalSplit;
  else
    cursor_ = mcDefault;
}

void TImageMapModel::MoveShape(TMapShape& shape, int x, int y) {
  // (x, y) are relative to the area before this move. An area pushed past the top or left edge
  // stops at 1, one pushed past the bottom or right edge at the picture's size - its size + 1;
  // the map code written for areas placed so stays the same.
  const int top = y + shape.Top - grabY_;
  if (top > 0 && top + shape.Height <= pictureHeight_) {
    shape.Top = top;
  } else {
    if (top + shape.Height > pictureHeight_) shape.Top = pictureHeight_ - shape.Height + 1;
    if (y + shape.Top - grabY_ <= 0) shape.Top = 1;
  }
  const int left = x + shape.Left - grabX_;
  if (left > 0 && left + shape.Width <= pictureWidth_) {
    shape.Left = left;
  } else {
    if (left <= 0) shape.Left = 1;
    if (x + shape.Left - grabX_ + shape.Width > pictureWidth_)
      shape.Left = pictureWidth_ - shape.Width + 1;
  }
  readouts_.X = shape.Left;
  readouts_.Y = shape.Top;
}

void TImageMapModel::MouseUp(int, int, TMapButton button) {
  if (cursor_ == mcVerticalSplit) cursor_ = mcDefault;
  if (!moving_ && hasShapes_ && button == mbtnLeft)
    if (TMapShape* drawn = ShapeNamed(newShape_)) drawn->Highlighted = false;
  drawing_ = moving_ = resizing_ = false;
  grabX_ = grabY_ = 0;
  captured_.reset();
  buttonHeld_ = false;
}

void TImageMapModel::DeleteHighlighted() {
  std::erase_if(shapes_, [&](const TMapShape& s) {
    return s.Highlighted && IsNumberedShape(s.Name, shapeCount_);
  });
  drawing_ = moving_ = resizing_ = false;
  // The rows after a deleted one moved up; a row picked before no longer names the same area.
  selectedRow_.reset();
}

TMapShape* TImageMapModel::HighlightedShape() {
  for (size_t i = shapes_.size(); i-- > 0;)
    if (shapes_[i].Highlighted) return &shapes_[i];
  return nullptr;
}

void TImageMapModel::HighlightOnly(const std::string& name) {
  for (TMapShape& s : shapes_) s.Highlighted = s.Name == name;
}

TMapShape* TImageMapModel::ShapeNamed(const std::string& name) {
  for (TMapShape& s : shapes_)
    if (s.Name == name) return &s;
  return nullptr;
}

std::optional<size_t> TImageMapModel::TakeSelectedRow() {
  std::optional<size_t> row = selectedRow_;
  selectedRow_.reset();
  return row;
}

std::vector<TMapListRow> TImageMapModel::ListRows() const {
  std::vector<TMapListRow> rows;
  rows.reserve(shapes_.size());
  for (const TMapShape& s : shapes_)
    rows.push_back({s.Hint, s.Left, s.Top, s.Width, s.Height, s.Name});
  return rows;
}

std::string MapPicturePath(const std::string& path, const TImageTagOptions& options) {
  if (path.empty()) return path;
  std::string p = path;
  if (!options.FileNameSpaces) p = ReplaceSeparator(p, ' ', options.SpaceReplacement);
  return ReplaceSeparator(p, '\\', "/");
}

std::vector<std::string> MapCode(const std::vector<TMapShape>& shapes, const std::string& mapName,
                                 const std::string& picturePath, int pictureWidth,
                                 int pictureHeight) {
  std::vector<std::string> lines;
  lines.reserve(shapes.size() + 3);
  lines.push_back("<MAP NAME=\"" + mapName + "\">");
  for (const TMapShape& s : shapes) {
    std::string line = "<AREA SHAPE=\"RECT\" COORDS=\"" + std::to_string(s.Left) + "," +
                       std::to_string(s.Top) + "," + std::to_string(s.Left + s.Width) + "," +
                       std::to_string(s.Top + s.Height) + "\" HREF=\"" + s.Hint;
    line += s.Text.empty() ? "\">" : "\" Alt=\"" + s.Text + "\">";
    lines.push_back(std::move(line));
  }
  lines.push_back("</MAP>");
  // The path is converted already: keep its spaces and let PictureSource only add the scheme.
  const std::string source = PictureSource(picturePath, {true, ""});
  lines.push_back("<img src=\"" + source + "\" width=\"" + std::to_string(pictureWidth) +
                  "\" height=\"" + std::to_string(pictureHeight) + "\" Border=\"0\" usemap=\"#" +
                  mapName + "\">");
  return lines;
}

}  // namespace quorel
