// Putting an items-palette entry into the document: the rules that decide where the caret ends
// (between a pair of tags, between the quotes of an empty attribute, inside a tag just typed).
#pragma once

#include <string>
#include <string_view>

namespace quorel {

// The editing view the palette writes into.
class IItemTarget {
 public:
  virtual ~IItemTarget() = default;
  virtual bool Visible() const = 0;
  // Replaces a selection, as one undo step; the caret ends after the text.
  virtual void InsertText(const std::string& text) = 0;
  virtual void CaretLeft() = 0;
  virtual void CaretRight() = 0;
  virtual void SelectCharLeft() = 0;
  virtual std::string SelectedText() const = 0;
  virtual int CaretColumn() const = 0;
  virtual void Focus() = 0;
  // Everything between the two is undone in one step, the caret's walk with the text.
  virtual void BeginUndoGroup() = 0;
  virtual void EndUndoGroup() = 0;
};

enum TItemKind {
  ikPairedTag,       // a "<" after the first character: "<B></B>"
  ikSingleTag,       // "<" only as the first character: "<BR>", "<IMG SRC="">"
  ikEmptyAttribute,  // `=""` and no "<": `Name=""`
  ikPlainText,       // anything else: "Border=0", "Aqua", "Width="100%""
};

TItemKind KindOfCaption(std::string_view caption);

// The character left of the caret (empty at the start of a line), read by selecting it and
// moving back, so that the caret stays and nothing is left selected.
std::string CharBeforeCaret(IItemTarget& target);

// Inserts an ordinary entry by its kind, as one undo step. A paired tag walks the caret back
// until a ">" is left of it, but never past the start of the inserted text.
void InsertItem(IItemTarget& target, const std::string& caption);

// Inserts a snippet's text; a hidden view takes nothing.
void InsertSnippet(IItemTarget& target, const std::string& text);

}  // namespace quorel
