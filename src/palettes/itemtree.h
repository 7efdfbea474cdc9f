// The items palette's tree of ready-made HTML pieces: every node is one caption, which is both
// what the user sees and, for ordinary entries, the text a double click inserts. The tree comes
// from "Items.txt" (one caption per line, its depth in leading tabs or spaces) or is built in.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "palettes/colorcodes.h"

namespace quorel {

struct TItemNode {
  std::string Caption;
  std::vector<TItemNode> Children;
  bool operator==(const TItemNode&) const = default;
};

// The top-level nodes in order.
using TItemTree = std::vector<TItemNode>;

inline constexpr std::string_view kCustomColorsCaption = "Custom Colors";
inline constexpr std::string_view kEditColorsCaption = "Edit Colors";

// The tree used when there is no "Items.txt".
const TItemTree& BuiltInItemTree();
// The text of a built-in snippet ("HyperLink Colour Changer", "Image Replacement", "Open Info
// Window", "Open in New Window"), every line ended by CR LF; nullptr for any other caption.
const std::string* SnippetText(std::string_view caption);

struct TItemsLoad {
  TItemTree Tree;  // the nodes read, also when the load stopped
  bool Ok = true;
  int FailedLine = 0;  // 1-based line of a depth jump of more than one level
};

// Reads an items file's bytes (UTF-8, or Windows-1252 when they are not valid UTF-8; captions
// come out UTF-8). Lines end at CR LF, CR or LF; a line's depth is its count of leading tabs and
// spaces. The first line is always top level; a line may go at most one level deeper than the
// one before it.
TItemsLoad ParseItemsFile(std::string_view bytes);
// The tree as an items file: each node's depth in tabs, its caption and CR LF, depth first.
std::string WriteItemsFile(const TItemTree& tree);

// Removes the last top-level-or-deeper node captioned "Custom Colors" (searching from the end in
// tree order), then adds a fresh one at the end with "Edit Colors" and one "name #RRGGBB" entry
// for every named slot.
void RebuildCustomColorsBranch(TItemTree& tree, const TSlotStrings& names,
                               const TSlotStrings& values);
// The slot (1 to 16) whose "name value" caption this is, or nothing.
std::optional<int> CustomColorSlotOf(std::string_view caption, const TSlotStrings& names,
                                     const TSlotStrings& values);

}  // namespace quorel
