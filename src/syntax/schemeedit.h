// Editing a syntax scheme the way the scheme editor does: tidying it before it is applied or
// saved, the tree of its blocks, adding, moving, copying and removing blocks, and the styles of
// the font table that style fields share. No windows here: the editor's window only copies values
// in and out.
#pragma once

#include <string>
#include <vector>

#include "syntax/syntaxscheme.h"

namespace quorel {

// ---- Tidying ----

// Switches off every rule whose list is empty (and the comment and string switches when no kind
// is left on), removes the font table entries no block names (unless no block names any FontID)
// and puts the blocks into the order of their tree.
void NormaliseScheme(TSyntaxScheme& scheme);
// Every FontID in 0..255 that a block's fields and list items name.
std::vector<bool> UsedFontIDs(const TSyntaxScheme& scheme);

// ---- The block tree ----

// One node per block (node i is block i). The first block is the top node; a block goes under
// the block whose ID is its ParentID; a negative ParentID makes another top node. A block whose
// parent names no block, or whose parents form a circle, goes under the top node.
struct TBlockTree {
  struct TNode {
    int Parent = -1;  // the parent's block index, -1 for a top node
    std::vector<int> Children;
  };
  std::vector<TNode> Nodes;
  std::vector<int> Roots;

  // Block indexes depth first, the top node first.
  std::vector<int> DepthFirst() const;
  // `block` itself and every block below it.
  std::vector<int> Subtree(int block) const;
  bool IsInSubtree(int block, int of) const;
};
TBlockTree BuildBlockTree(const TSyntaxScheme& scheme);

// Reorders the blocks into tree order (depth first, the top node first).
void SortBlocksByTree(TSyntaxScheme& scheme);

// Whether block `parent` may be the parent of block `block`: neither the block nor one of its
// descendants.
bool CanBeParent(const TSyntaxScheme& scheme, int block, int parent);

// A new block with the scheme's free block ID, `name` and the parent's ID; returns its index.
int AddBlock(TSyntaxScheme& scheme, const std::string& name, int parentIndex);
// Renames block `index` and moves it under `parentIndex` (-1 keeps a negative ParentID); false
// when that parent is the block or below it.
bool EditBlock(TSyntaxScheme& scheme, int index, const std::string& name, int parentIndex);
// Removes block `index` (not the top node) and every block below it; returns the index the
// parent has afterwards (the block to select).
int RemoveBlock(TSyntaxScheme& scheme, int index);
// Whether a node may be dragged onto another: not the top node, not onto itself or below
// itself, and without Ctrl not onto the top node.
bool CanDragBlock(const TSyntaxScheme& scheme, int dragged, int target, bool asChild);
// With `asChild` (Ctrl held) the dragged block goes under the target; otherwise it takes the
// target's place in the block order and the target's parent. The blocks then follow the tree.
// Returns the dragged block's new index, -1 when the drag is not allowed.
int DragBlock(TSyntaxScheme& scheme, int dragged, int target, bool asChild);
// Adds a copy of `source`'s block `sourceIndex` under `parentIndex`, with the free block ID; a
// block named "Default" takes the source scheme's name. Each FontID it names gets a new font
// table entry copying the source entry's font and UseDefFont. Returns the new block's index.
int CopyBlock(TSyntaxScheme& scheme, const TSyntaxScheme& source, int sourceIndex, int parentIndex);

// ---- Styles ----

// What the style popup shows and returns.
struct TStyleChoice {
  bool UseDefFont = true;
  std::string FontName;  // empty: none chosen
  int Size = 0;          // points; 0: none chosen
  TColor Color = clBlack;
  TFontStyles Styles;
  bool UseDefBack = true;
  TColor BackColor = clWindow;
  std::string TextStyle;  // the editor-wide named style (GlobalAttrID), empty for none
  bool operator==(const TStyleChoice&) const = default;
};

// The style a field with `fontId` opens with: its font table entry; without one (a negative
// FontID, or one with no entry) the entry of the block's FIText; without that the defaults.
TStyleChoice StyleOfField(const TSyntaxScheme& scheme, const TSyntaxBlock& block, int fontId);
// Stores a chosen style for a field: a field without an entry gets a new one (the lowest free
// FontID from 1, BlockID the block's ID) and takes its FontID. Fields sharing a FontID share the
// entry. A choice without font name or size takes the default font's.
void SetFieldStyle(TSyntaxScheme& scheme, const TSyntaxBlock& block, int& fontId,
                   const TStyleChoice& choice, const std::string& defaultFontName,
                   int defaultFontSize);

// ---- Keywords ----

// Adds `keyword` (trimmed) to a sorted list unless it is empty or already there (compared without
// case); returns the index of the new or existing entry, -1 for an empty keyword.
int AddKeyword(std::vector<std::string>& sorted, const std::string& keyword);

}  // namespace quorel
