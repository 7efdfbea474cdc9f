// The pictures of the main toolbar, drawn as vector shapes so that they stay sharp at any screen
// scale: index 0 New ... 15 Image Map, 16 Undo and 17 Redo, each with a plain and a highlighted
// (under the mouse) form.
#pragma once

#include <QIcon>

namespace quorel {

constexpr int kToolBarImageCount = 18;
constexpr int kUndoImage = 16;
constexpr int kRedoImage = 17;

// The picture `index` as an icon: the plain form normally, the highlighted one when active.
QIcon ToolBarIcon(int index);

}  // namespace quorel
