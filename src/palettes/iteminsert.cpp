// Items-palette insertion rules.
#include "palettes/iteminsert.h"

namespace quorel {

namespace {

class TUndoStep {
 public:
  explicit TUndoStep(IItemTarget& target) : target_(target) { target_.BeginUndoGroup(); }
  ~TUndoStep() { target_.EndUndoGroup(); }
  TUndoStep(const TUndoStep&) = delete;
  TUndoStep& operator=(const TUndoStep&) = delete;

 private:
  IItemTarget& target_;
};

// Characters, not bytes: the caret steps over a whole UTF-8 character at a time.
size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

void InsertPairedTag(IItemTarget& target, const std::string& caption) {
  target.InsertText(caption);
  for (size_t steps = CharCount(caption); steps > 0; --steps) {
    target.Focus();
    target.CaretLeft();
    if (CharBeforeCaret(target) == ">") break;
  }
}

void InsertEmptyAttribute(IItemTarget& target, const std::string& caption) {
  // Right after a tag's ">", the attribute goes inside the tag. The space is inserted, not
  // typed: typed in overwrite mode it would replace the ">".
  if (CharBeforeCaret(target) == ">") {
    target.CaretLeft();
    target.InsertText(" ");
  }
  target.InsertText(caption);
  target.CaretLeft();
  target.Focus();
}

}  // namespace

TItemKind KindOfCaption(std::string_view caption) {
  if (caption.find('<', 1) != std::string_view::npos) return ikPairedTag;
  if (caption.find('<') != std::string_view::npos) return ikSingleTag;
  if (caption.find("=\"\"") != std::string_view::npos) return ikEmptyAttribute;
  return ikPlainText;
}

std::string CharBeforeCaret(IItemTarget& target) {
  if (target.CaretColumn() == 0) return {};
  target.SelectCharLeft();
  std::string selected = target.SelectedText();
  target.CaretRight();
  if (selected.empty()) return {};
  // The whole first character, however many bytes it has.
  size_t length = 1;
  while (length < selected.size() && (static_cast<unsigned char>(selected[length]) & 0xC0) == 0x80)
    ++length;
  return selected.substr(0, length);
}

void InsertItem(IItemTarget& target, const std::string& caption) {
  TUndoStep step(target);
  switch (KindOfCaption(caption)) {
    case ikPairedTag:
      InsertPairedTag(target, caption);
      return;
    case ikEmptyAttribute:
      InsertEmptyAttribute(target, caption);
      return;
    case ikSingleTag:
    case ikPlainText:
      target.InsertText(caption);
      target.Focus();
      return;
  }
}

void InsertSnippet(IItemTarget& target, const std::string& text) {
  if (!target.Visible()) return;
  target.InsertText(text);
  target.Focus();
}

}  // namespace quorel
