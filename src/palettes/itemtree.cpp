// Reading and writing items files, and the branch of the user's custom colours.
#include "palettes/itemtree.h"

#include <algorithm>

#include "engine/utf8.h"

namespace quorel {

namespace {

// Calls `line` for each line of `text`; a line break at the very end makes no extra line.
template <typename F>
void ForEachLine(std::string_view text, F line) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      line(text.substr(start));
      return;
    }
    if (!line(text.substr(start, end - start))) return;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

void WriteNode(const TItemNode& node, int depth, std::string& out) {
  out.append(static_cast<size_t>(depth), '\t');
  out += node.Caption;
  out += "\r\n";
  for (const TItemNode& child : node.Children) WriteNode(child, depth + 1, out);
}

// Removes the last node captioned `caption` in tree order (children before later siblings).
bool RemoveLast(std::vector<TItemNode>& nodes, std::string_view caption) {
  for (size_t i = nodes.size(); i-- > 0;) {
    if (RemoveLast(nodes[i].Children, caption)) return true;
    if (nodes[i].Caption == caption) {
      nodes.erase(nodes.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  }
  return false;
}

}  // namespace

TItemsLoad ParseItemsFile(std::string_view bytes) {
  const std::string text = MakeValidUtf8(bytes);
  TItemsLoad load;
  // path[k] is the last node made at tree depth k; appending to the deepest level's list never
  // moves the nodes the shallower entries point at.
  std::vector<TItemNode*> path;
  int lineNumber = 0;
  ForEachLine(text, [&](std::string_view line) {
    ++lineNumber;
    size_t depth = std::min(line.find_first_not_of(" \t"), line.size());
    std::string caption(line.substr(depth));
    if (path.empty()) depth = 0;  // the first line is top level whatever its indent
    if (depth > path.size()) {
      load.Ok = false;
      load.FailedLine = lineNumber;
      return false;
    }
    path.resize(depth);
    std::vector<TItemNode>& siblings = depth == 0 ? load.Tree : path.back()->Children;
    siblings.push_back({std::move(caption), {}});
    path.push_back(&siblings.back());
    return true;
  });
  return load;
}

std::string WriteItemsFile(const TItemTree& tree) {
  std::string out;
  for (const TItemNode& node : tree) WriteNode(node, 0, out);
  return out;
}

void RebuildCustomColorsBranch(TItemTree& tree, const TSlotStrings& names,
                               const TSlotStrings& values) {
  RemoveLast(tree, kCustomColorsCaption);
  TItemNode branch{std::string(kCustomColorsCaption), {{std::string(kEditColorsCaption), {}}}};
  for (size_t i = 0; i < names.size(); ++i)
    if (!names[i].empty()) branch.Children.push_back({names[i] + " " + values[i], {}});
  tree.push_back(std::move(branch));
}

std::optional<int> CustomColorSlotOf(std::string_view caption, const TSlotStrings& names,
                                     const TSlotStrings& values) {
  for (size_t i = 0; i < names.size(); ++i)
    if (!names[i].empty() && caption == names[i] + " " + values[i]) return static_cast<int>(i + 1);
  return std::nullopt;
}

}  // namespace quorel
