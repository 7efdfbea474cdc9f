// The key-map registry and the "Default" map: caret moves and selections, editing keys, and the
// two-key commands after Ctrl+K (state 1), Ctrl+Q (state 2) and Ctrl+O (state 5).
#include "engine/keymaps.h"

#include <map>

namespace quorel {

namespace {

std::map<std::string, TKeyMapInstaller>& Registry() {
  static std::map<std::string, TKeyMapInstaller> maps{{"Default", InstallDefaultKeyMap}};
  return maps;
}

constexpr uint8_t kBlockState = 1;    // after Ctrl+K
constexpr uint8_t kQuickState = 2;    // after Ctrl+Q
constexpr uint8_t kOptionsState = 5;  // after Ctrl+O
constexpr TShiftState ssCtrlShift = ssCtrl | ssShift;
constexpr TShiftState ssAltShift = ssAlt | ssShift;
constexpr TShiftState ssCtrlAltShift = ssCtrl | ssAlt | ssShift;

TKeyCode Letter(char c) { return static_cast<TKeyCode>(c); }

// Bookmark 10 sits on the digit 0.
int BookmarkOfDigit(int digit) { return digit == 0 ? 10 : digit; }

class TBinder {
 public:
  explicit TBinder(TKeyList& keys) : keys_(keys) {}
  void Key(TKeyCode key, TShiftState shift, uint8_t state, TKeyCommand command, int arg = 0) {
    keys_.Add({key, shift, state, 0, command, arg, stNone});
  }
  void Extend(TKeyCode key, TShiftState shift, TKeyCommand move, TSelectionType kind) {
    keys_.Add({key, shift, 0, 0, move, 0, kind});
  }
  void Prefix(TKeyCode key, TShiftState shift, uint8_t enters) {
    keys_.Add({key, shift, 0, enters, kcNone, 0, stNone});
  }
  // A second key that works with or without Ctrl.
  void Second(char letter, uint8_t state, TKeyCommand command) {
    Key(Letter(letter), ssNone, state, command);
    Key(Letter(letter), ssCtrl, state, command);
  }

 private:
  TKeyList& keys_;
};

void BindMoves(TBinder& b) {
  b.Key(vkUp, ssNone, kAnyState, kcCaretUp);
  b.Key(vkDown, ssNone, kAnyState, kcCaretDown);
  b.Key(vkLeft, ssNone, kAnyState, kcCaretLeft);
  b.Key(vkRight, ssNone, kAnyState, kcCaretRight);
  b.Key(vkPrior, ssNone, kAnyState, kcPageUp);
  b.Key(vkNext, ssNone, kAnyState, kcPageDown);
  b.Key(vkHome, ssNone, kAnyState, kcHome);
  b.Key(vkEnd, ssNone, kAnyState, kcEnd);
  b.Key(vkHome, ssCtrl, kAnyState, kcTextStart);
  b.Key(vkEnd, ssCtrl, kAnyState, kcTextEnd);
  b.Key(vkPrior, ssCtrl, kAnyState, kcWindowTop);
  b.Key(vkNext, ssCtrl, kAnyState, kcWindowBottom);
  b.Key(vkUp, ssCtrl, 0, kcScrollLineUp);
  b.Key(vkDown, ssCtrl, 0, kcScrollLineDown);
  b.Key(vkLeft, ssCtrl, 0, kcWordLeft);
  b.Key(vkRight, ssCtrl, 0, kcWordRight);
}

void BindSelections(TBinder& b) {
  const std::pair<TKeyCode, TKeyCommand> arrows[] = {
      {vkUp, kcCaretUp}, {vkDown, kcCaretDown}, {vkLeft, kcCaretLeft}, {vkRight, kcCaretRight}};
  for (auto [key, move] : arrows) {
    b.Extend(key, ssShift, move, stStream);
    b.Extend(key, ssAltShift, move, stBlock);
  }
  b.Extend(vkHome, ssShift, kcHome, stStream);
  b.Extend(vkEnd, ssShift, kcEnd, stStream);
  b.Extend(vkPrior, ssShift, kcPageUp, stStream);
  b.Extend(vkNext, ssShift, kcPageDown, stStream);
  b.Extend(vkPrior, ssCtrlShift, kcWindowTop, stStream);
  b.Extend(vkNext, ssCtrlShift, kcWindowBottom, stStream);
  b.Extend(vkHome, ssCtrlShift, kcTextStart, stStream);
  b.Extend(vkEnd, ssCtrlShift, kcTextEnd, stStream);
  b.Extend(vkLeft, ssCtrlShift, kcWordLeft, stStream);
  b.Extend(vkRight, ssCtrlShift, kcWordRight, stStream);
  b.Extend(vkHome, ssAltShift, kcLineStart, stBlock);
  b.Extend(vkEnd, ssAltShift, kcLineEnd, stBlock);
  b.Extend(vkPrior, ssAltShift, kcPageUp, stBlock);
  b.Extend(vkNext, ssAltShift, kcPageDown, stBlock);
  b.Extend(vkHome, ssCtrlAltShift, kcWindowTop, stBlock);
  b.Extend(vkEnd, ssCtrlAltShift, kcWindowBottom, stBlock);
  b.Extend(vkPrior, ssCtrlAltShift, kcTextStart, stBlock);
  b.Extend(vkNext, ssCtrlAltShift, kcTextEnd, stBlock);
  b.Extend(vkLeft, ssCtrlAltShift, kcWordLeft, stBlock);
  b.Extend(vkRight, ssCtrlAltShift, kcWordRight, stBlock);
}

void BindEditing(TBinder& b) {
  b.Key(vkReturn, ssNone, 0, kcNewLine);
  b.Key(vkReturn, ssShift, 0, kcNewLine);
  b.Key(vkTab, ssNone, 0, kcInsertTab);
  b.Key(vkTab, ssShift, 0, kcBackTab);
  b.Key(Letter('I'), ssCtrl, 0, kcInsertTab);
  b.Key(vkBack, ssNone, 0, kcBackspace);
  b.Key(vkBack, ssShift, 0, kcBackspace);
  b.Key(vkBack, ssCtrl, 0, kcDeleteWordLeft);
  b.Key(vkBack, ssAlt, 0, kcUndo);
  b.Key(vkBack, ssAltShift, 0, kcRedo);
  b.Key(vkDelete, ssNone, 0, kcDeleteChar);
  b.Key(vkDelete, ssCtrl, 0, kcDeleteSelection);
  b.Key(vkDelete, ssShift, 0, kcCut);
  b.Key(Letter('X'), ssCtrl, 0, kcCut);
  b.Key(vkInsert, ssCtrl, 0, kcCopy);
  b.Key(Letter('C'), ssCtrl, 0, kcCopy);
  b.Key(vkInsert, ssShift, 0, kcPaste);
  b.Key(Letter('V'), ssCtrl, 0, kcPaste);
  b.Key(vkInsert, ssNone, 0, kcToggleOverwrite);
  b.Key(vkEscape, ssNone, 0, kcCancelMouse);
  b.Key(Letter('A'), ssCtrl, 0, kcSelectAll);
  b.Key(Letter('Z'), ssCtrl, 0, kcUndo);
  b.Key(Letter('Z'), ssCtrlShift, 0, kcRedo);
  b.Key(Letter('Y'), ssCtrl, 0, kcDeleteLine);
  b.Key(Letter('Y'), ssCtrlShift, 0, kcDeleteToLineEnd);
  b.Key(Letter('T'), ssCtrl, 0, kcDeleteWord);
  b.Key(Letter('N'), ssCtrl, 0, kcSplitLine);
  b.Key(Letter('I'), ssCtrlShift, 0, kcIndentBlock);
  b.Key(Letter('U'), ssCtrlShift, 0, kcUnindentBlock);
  b.Key(Letter('F'), ssCtrl, 0, kcFindDialog);
  b.Key(Letter('R'), ssCtrl, 0, kcReplaceDialog);
  b.Key(vkF3, ssNone, 0, kcSearchAgain);
  b.Key(Letter('E'), ssCtrl, 0, kcSearchAgain);
  b.Key(Letter('L'), ssCtrl, 0, kcSearchAgain);
  b.Key(Letter('J'), ssCtrl, 0, kcTemplatePopup);
  b.Key(Letter('G'), ssCtrlShift, 0, kcInsertGuid);
  b.Key(Letter('Q'), ssCtrl | ssAlt, 0, kcQuoteBlock);
  b.Key(vkOemOpenBracket, ssCtrl, 0, kcMatchBracket);
  for (int digit = 0; digit <= 9; ++digit) {
    TKeyCode key = static_cast<TKeyCode>('0' + digit);
    b.Key(key, ssCtrl, 0, kcGotoBookmark, BookmarkOfDigit(digit));
    b.Key(key, ssCtrlShift, 0, kcToggleBookmark, BookmarkOfDigit(digit));
  }
}

void BindBlockPrefix(TBinder& b) {
  b.Prefix(Letter('K'), ssCtrl, kBlockState);
  b.Key(Letter('B'), ssNone, kBlockState, kcMarkBlockBegin);
  b.Second('K', kBlockState, kcMarkBlockEnd);
  b.Second('C', kBlockState, kcCopySelectionToCaret);
  b.Second('V', kBlockState, kcMoveBlock);
  b.Second('Y', kBlockState, kcDeleteSelection);
  b.Second('I', kBlockState, kcIndentBlock);
  b.Second('U', kBlockState, kcUnindentBlock);
  b.Second('L', kBlockState, kcSelectLine);
  b.Second('T', kBlockState, kcSelectWord);
  b.Second('N', kBlockState, kcUpperCaseBlock);
  b.Second('O', kBlockState, kcLowerCaseBlock);
  b.Second('E', kBlockState, kcLowerCaseWord);
  b.Second('F', kBlockState, kcUpperCaseWord);
  for (int digit = 0; digit <= 9; ++digit) {
    TKeyCode key = static_cast<TKeyCode>('0' + digit);
    b.Key(key, ssNone, kBlockState, kcToggleBookmark, BookmarkOfDigit(digit));
    b.Key(key, ssCtrl, kBlockState, kcToggleBookmark, BookmarkOfDigit(digit));
  }
}

void BindQuickPrefix(TBinder& b) {
  b.Prefix(Letter('Q'), ssCtrl, kQuickState);
  const std::pair<char, TKeyCommand> seconds[] = {{'B', kcCaretToBlockBegin},
                                                  {'K', kcCaretToBlockEnd},
                                                  {'R', kcTextStart},
                                                  {'C', kcTextEnd},
                                                  {'S', kcHome},
                                                  {'D', kcEnd},
                                                  {'E', kcWindowTop},
                                                  {'T', kcWindowTop},
                                                  {'X', kcWindowBottom},
                                                  {'U', kcWindowBottom},
                                                  {'F', kcFindDialog},
                                                  {'A', kcReplaceDialog},
                                                  {'Y', kcDeleteToLineEnd}};
  for (auto [letter, command] : seconds) b.Key(Letter(letter), ssCtrl, kQuickState, command);
  for (int digit = 0; digit <= 9; ++digit) {
    TKeyCode key = static_cast<TKeyCode>('0' + digit);
    b.Key(key, ssNone, kQuickState, kcGotoBookmark, BookmarkOfDigit(digit));
    b.Key(key, ssCtrl, kQuickState, kcGotoBookmark, BookmarkOfDigit(digit));
    b.Key(key, ssCtrlShift, kQuickState, kcToggleBookmark, BookmarkOfDigit(digit));
  }
}

void BindOptionsPrefix(TBinder& b) {
  b.Prefix(Letter('O'), ssCtrl, kOptionsState);
  b.Key(Letter('G'), ssCtrl, kOptionsState, kcGotoLineDialog);
  b.Key(Letter('U'), ssCtrl, kOptionsState, kcToggleCaseBlock);
  b.Key(Letter('L'), ssCtrl, kOptionsState, kcSelectLine);
}

}  // namespace

void RegisterKeyMap(const std::string& name, TKeyMapInstaller installer) {
  Registry()[name] = std::move(installer);
}

bool InstallKeyMap(const std::string& name, TKeyList& keys) {
  auto it = Registry().find(name);
  if (it == Registry().end()) return false;
  keys.Clear();
  it->second(keys);
  return true;
}

std::vector<std::string> KeyMapNames() {
  std::vector<std::string> names;
  for (const auto& [name, installer] : Registry()) names.push_back(name);
  return names;
}

void InstallDefaultKeyMap(TKeyList& keys) {
  TBinder b(keys);
  BindMoves(b);
  BindSelections(b);
  BindEditing(b);
  BindBlockPrefix(b);
  BindQuickPrefix(b);
  BindOptionsPrefix(b);
}

}  // namespace quorel
