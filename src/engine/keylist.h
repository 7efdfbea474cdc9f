// Key bindings: the commands a key can run, a view's list of bindings with its lookup, and the
// prefix state that two-key commands (Ctrl+K B) pass from one key to the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/memotypes.h"
#include "engine/virtualkeys.h"

namespace quorel {

// What a binding runs. Caret moves can also extend a selection (TKeyData::Select).
enum TKeyCommand : uint8_t {
  kcNone,  // a pure prefix key
  // Caret moves.
  kcCaretUp,
  kcCaretDown,
  kcCaretLeft,
  kcCaretRight,
  kcPageUp,
  kcPageDown,
  kcHome,  // the view's Home and End (display rows with word wrap)
  kcEnd,
  kcLineStart,  // column 0 and the end of the line, whatever the wrap
  kcLineEnd,
  kcTextStart,
  kcTextEnd,
  kcWindowTop,
  kcWindowBottom,
  kcWordLeft,
  kcWordRight,
  kcCaretToBlockBegin,
  kcCaretToBlockEnd,
  kcGotoBookmark,  // Arg: bookmark number
  kcMatchBracket,
  // Scrolling without moving the caret.
  kcScrollLineUp,
  kcScrollLineDown,
  // Editing.
  kcNewLine,
  kcInsertTab,
  kcBackTab,
  kcBackspace,
  kcDeleteChar,
  kcDeleteWordLeft,
  kcDeleteWord,
  kcDeleteLine,
  kcDeleteToLineEnd,
  kcDeleteToLineStart,
  kcSplitLine,
  kcToggleOverwrite,
  kcInsertGuid,
  kcUndo,
  kcRedo,
  // Selection and blocks.
  kcSelectAll,
  kcSelectLine,
  kcSelectWord,
  kcMarkBlockBegin,
  kcMarkBlockEnd,
  kcDeleteSelection,
  kcCopySelectionToCaret,
  kcMoveBlock,
  kcIndentBlock,
  kcUnindentBlock,
  kcUpperCaseBlock,
  kcLowerCaseBlock,
  kcToggleCaseBlock,
  kcQuoteBlock,
  kcUpperCaseWord,
  kcLowerCaseWord,
  kcCut,
  kcCopy,
  kcPaste,
  kcToggleBookmark,  // Arg: bookmark number
  // The view's own.
  kcCancelMouse,
  kcGotoLineDialog,
  kcFindDialog,
  kcReplaceDialog,
  kcSearchAgain,
  kcTemplatePopup,
};

// The binding applies whatever the prefix state.
constexpr uint8_t kAnyState = 255;

struct TKeyData {
  TKeyCode KeyCode = 0;
  TShiftState ShiftState = ssNone;
  uint8_t ActiveState = 0;  // the prefix state it applies in, or kAnyState
  uint8_t LeaveState = 0;   // the prefix state after it fired
  TKeyCommand Command = kcNone;
  int Arg = 0;
  // A caret move that extends a selection of this kind instead of dropping it.
  TSelectionType Select = stNone;
};

class TKeyList {
 public:
  void Add(const TKeyData& binding);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  const TKeyData& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  // The binding added last for this key, shift state and prefix state (or one for any state);
  // null when there is none. The last binding found is tried first: a held key repeats it.
  const TKeyData* FindBinding(TKeyCode key, TShiftState shift, uint8_t state) const;

 private:
  static bool Matches(const TKeyData& b, TKeyCode key, TShiftState shift, uint8_t state);
  std::vector<TKeyData> items_;
  // The last binding found and the question it answered.
  mutable int cached_ = -1;
  mutable TKeyCode cachedKey_ = 0;
  mutable TShiftState cachedShift_ = 0;
  mutable uint8_t cachedState_ = 0;
};

// What became of a key press.
enum TKeyOutcome {
  koLeftToDialog,  // Tab or Enter that the view does not want: the window around it gets it
  koUnbound,       // no binding: the key goes on and may type its character
  koBound,         // a binding took it and produces no character
};

// A view's bindings and the prefix state between its key presses.
class TKeyHandler {
 public:
  TKeyList& Keys() { return keys_; }
  const TKeyList& Keys() const { return keys_; }
  uint8_t PrefixState() const { return prefixState_; }
  void ResetPrefix() { prefixState_ = 0; }
  // Whether the last key pressed was taken by a binding.
  bool Handled() const { return handled_; }

  // Looks a key down up. On koBound `binding` is the binding to run and the prefix state has
  // become its LeaveState; an unbound key ends any prefix state. Without `wantTabs` or
  // `wantReturns` Tab or Enter goes to the dialog, unless Ctrl is held: then it is looked up as
  // if no modifier were held.
  TKeyOutcome Press(TKeyCode key, TShiftState shift, bool wantTabs, bool wantReturns,
                    const TKeyData*& binding);

 private:
  TKeyList keys_;
  uint8_t prefixState_ = 0;
  bool handled_ = false;
};

}  // namespace quorel
