// Key bindings: lookup rules, the prefix state between keys, the registry of named maps and the
// bindings of the "Default" map.
#include <gtest/gtest.h>

#include "engine/keymaps.h"

namespace quorel {
namespace {

TEST(KeyList, LaterBindingWinsAndShiftStatesCompareWhole) {
  TKeyList keys;
  keys.Add({'K', ssCtrl, 0, 0, kcMarkBlockEnd, 0, stNone});
  keys.Add({'K', ssCtrl, 0, 0, kcSelectLine, 0, stNone});
  ASSERT_NE(keys.FindBinding('K', ssCtrl, 0), nullptr);
  EXPECT_EQ(keys.FindBinding('K', ssCtrl, 0)->Command, kcSelectLine);
  EXPECT_EQ(keys.FindBinding('K', ssCtrl | ssShift, 0), nullptr);
  EXPECT_EQ(keys.FindBinding('K', ssNone, 0), nullptr);
  EXPECT_EQ(keys.FindBinding('K', ssCtrl, 1), nullptr);
}

TEST(KeyList, AnyStateBindingAndTheCacheDoNotHideAStateOfItsOwn) {
  TKeyList keys;
  keys.Add({vkUp, ssNone, kAnyState, 0, kcCaretUp, 0, stNone});
  keys.Add({vkUp, ssNone, 2, 0, kcScrollLineUp, 0, stNone});
  // The first question fills the cache with the any-state binding...
  EXPECT_EQ(keys.FindBinding(vkUp, ssNone, 0)->Command, kcCaretUp);
  EXPECT_EQ(keys.FindBinding(vkUp, ssNone, 0)->Command, kcCaretUp);
  // ...which must not answer for state 2, where a later binding wins.
  EXPECT_EQ(keys.FindBinding(vkUp, ssNone, 2)->Command, kcScrollLineUp);
  EXPECT_EQ(keys.FindBinding(vkUp, ssNone, 7)->Command, kcCaretUp);
  keys.Clear();
  EXPECT_EQ(keys.FindBinding(vkUp, ssNone, 0), nullptr);
}

struct Handler : ::testing::Test {
  TKeyHandler handler;
  void SetUp() override { InstallDefaultKeyMap(handler.Keys()); }
  // Presses a key as a view that wants Tab and Enter; the command run, or kcNone.
  TKeyOutcome Press(TKeyCode key, TShiftState shift, TKeyCommand* command = nullptr,
                    bool want = true) {
    const TKeyData* b = nullptr;
    TKeyOutcome outcome = handler.Press(key, shift, want, want, b);
    if (command) *command = b ? b->Command : kcNone;
    return outcome;
  }
};

TEST_F(Handler, PrefixKeyWaitsForItsSecondKey) {
  TKeyCommand command;
  EXPECT_EQ(Press('K', ssCtrl, &command), koBound);
  EXPECT_EQ(command, kcNone);
  EXPECT_EQ(handler.PrefixState(), 1);
  EXPECT_TRUE(handler.Handled());
  EXPECT_EQ(Press('B', ssNone, &command), koBound);
  EXPECT_EQ(command, kcMarkBlockBegin);
  EXPECT_EQ(handler.PrefixState(), 0);
  // B alone is no command.
  EXPECT_EQ(Press('B', ssNone), koUnbound);
  EXPECT_FALSE(handler.Handled());
}

TEST_F(Handler, UnboundSecondKeyEndsThePrefix) {
  Press('K', ssCtrl);
  EXPECT_EQ(Press('B', ssCtrl), koUnbound);  // B works only without Ctrl after Ctrl+K
  EXPECT_EQ(handler.PrefixState(), 0);
  Press('K', ssCtrl);
  EXPECT_EQ(Press('Z', ssNone), koUnbound);
  EXPECT_EQ(handler.PrefixState(), 0);
}

TEST_F(Handler, AnyStateKeysWorkInsideAPrefixAndEndIt) {
  TKeyCommand command;
  Press('Q', ssCtrl);
  EXPECT_EQ(Press(vkDown, ssNone, &command), koBound);
  EXPECT_EQ(command, kcCaretDown);
  EXPECT_EQ(handler.PrefixState(), 0);
  // Ctrl+Up is bound in state 0 only.
  Press('Q', ssCtrl);
  EXPECT_EQ(Press(vkUp, ssCtrl), koUnbound);
}

TEST_F(Handler, UnwantedTabAndEnterGoToTheDialogUnlessCtrlIsHeld) {
  TKeyCommand command;
  EXPECT_EQ(Press(vkTab, ssNone, &command, false), koLeftToDialog);
  EXPECT_EQ(Press(vkReturn, ssNone, &command, false), koLeftToDialog);
  EXPECT_EQ(Press(vkTab, ssCtrl, &command, false), koBound);
  EXPECT_EQ(command, kcInsertTab);
  EXPECT_EQ(Press(vkReturn, ssCtrl, &command, false), koBound);
  EXPECT_EQ(command, kcNewLine);
  // Wanted, Ctrl+Tab is a key of its own, which the map leaves unbound.
  EXPECT_EQ(Press(vkTab, ssCtrl, &command, true), koUnbound);
}

TEST_F(Handler, KeyZeroChangesNothing) {
  Press('K', ssCtrl);
  EXPECT_EQ(Press(0, ssNone), koUnbound);
  EXPECT_EQ(handler.PrefixState(), 1);
}

// One row per group of the "Default" map: the keys pressed (a prefix key first when given) and
// the binding that fires.
struct TDefaultRow {
  const char* Group;
  TKeyCode PrefixKey;
  TKeyCode Key;
  TShiftState Shift;
  TKeyCommand Command;
  int Arg;
  TSelectionType Select;
};

class DefaultMap : public ::testing::TestWithParam<TDefaultRow> {};

TEST_P(DefaultMap, KeyRunsItsCommand) {
  const TDefaultRow& row = GetParam();
  TKeyHandler handler;
  ASSERT_TRUE(InstallKeyMap("Default", handler.Keys()));
  const TKeyData* b = nullptr;
  if (row.PrefixKey) {
    ASSERT_EQ(handler.Press(row.PrefixKey, ssCtrl, true, true, b), koBound);
  }
  ASSERT_EQ(handler.Press(row.Key, row.Shift, true, true, b), koBound);
  EXPECT_EQ(b->Command, row.Command);
  EXPECT_EQ(b->Arg, row.Arg);
  EXPECT_EQ(b->Select, row.Select);
  EXPECT_EQ(handler.PrefixState(), 0);
}

constexpr TShiftState C = ssCtrl, S = ssShift, A = ssAlt, N = ssNone;

INSTANTIATE_TEST_SUITE_P(
    Groups, DefaultMap,
    ::testing::Values(
        TDefaultRow{"Arrows", 0, vkLeft, N, kcCaretLeft, 0, stNone},
        TDefaultRow{"PageKeys", 0, vkNext, N, kcPageDown, 0, stNone},
        TDefaultRow{"HomeEnd", 0, vkEnd, N, kcEnd, 0, stNone},
        TDefaultRow{"CtrlHomeEnd", 0, vkHome, C, kcTextStart, 0, stNone},
        TDefaultRow{"CtrlPageKeys", 0, vkPrior, C, kcWindowTop, 0, stNone},
        TDefaultRow{"CtrlUpDownScroll", 0, vkDown, C, kcScrollLineDown, 0, stNone},
        TDefaultRow{"CtrlLeftRightWords", 0, vkLeft, C, kcWordLeft, 0, stNone},
        TDefaultRow{"ShiftArrowsExtend", 0, vkUp, S, kcCaretUp, 0, stStream},
        TDefaultRow{"ShiftHomeEndExtend", 0, vkHome, S, kcHome, 0, stStream},
        TDefaultRow{"ShiftPageExtend", 0, vkPrior, S, kcPageUp, 0, stStream},
        TDefaultRow{"CtrlShiftPageExtendWindow", 0, vkNext, C | S, kcWindowBottom, 0, stStream},
        TDefaultRow{"CtrlShiftHomeEndExtendText", 0, vkEnd, C | S, kcTextEnd, 0, stStream},
        TDefaultRow{"CtrlShiftWordsExtend", 0, vkRight, C | S, kcWordRight, 0, stStream},
        TDefaultRow{"AltShiftArrowsBlock", 0, vkRight, A | S, kcCaretRight, 0, stBlock},
        TDefaultRow{"AltShiftHomeEndBlock", 0, vkEnd, A | S, kcLineEnd, 0, stBlock},
        TDefaultRow{"AltShiftPageBlock", 0, vkNext, A | S, kcPageDown, 0, stBlock},
        TDefaultRow{"CtrlAltShiftHomeEndBlock", 0, vkHome, C | A | S, kcWindowTop, 0, stBlock},
        TDefaultRow{"CtrlAltShiftPageBlock", 0, vkPrior, C | A | S, kcTextStart, 0, stBlock},
        TDefaultRow{"CtrlAltShiftWordsBlock", 0, vkLeft, C | A | S, kcWordLeft, 0, stBlock},
        TDefaultRow{"ShiftEnter", 0, vkReturn, S, kcNewLine, 0, stNone},
        TDefaultRow{"ShiftTab", 0, vkTab, S, kcBackTab, 0, stNone},
        TDefaultRow{"CtrlI", 0, 'I', C, kcInsertTab, 0, stNone},
        TDefaultRow{"ShiftBackspace", 0, vkBack, S, kcBackspace, 0, stNone},
        TDefaultRow{"CtrlBackspace", 0, vkBack, C, kcDeleteWordLeft, 0, stNone},
        TDefaultRow{"AltBackspaceUndo", 0, vkBack, A, kcUndo, 0, stNone},
        TDefaultRow{"AltShiftBackspaceRedo", 0, vkBack, A | S, kcRedo, 0, stNone},
        TDefaultRow{"CtrlDelete", 0, vkDelete, C, kcDeleteSelection, 0, stNone},
        TDefaultRow{"ShiftDeleteCuts", 0, vkDelete, S, kcCut, 0, stNone},
        TDefaultRow{"CtrlInsertCopies", 0, vkInsert, C, kcCopy, 0, stNone},
        TDefaultRow{"ShiftInsertPastes", 0, vkInsert, S, kcPaste, 0, stNone},
        TDefaultRow{"Insert", 0, vkInsert, N, kcToggleOverwrite, 0, stNone},
        TDefaultRow{"Escape", 0, vkEscape, N, kcCancelMouse, 0, stNone},
        TDefaultRow{"CtrlShiftZRedo", 0, 'Z', C | S, kcRedo, 0, stNone},
        TDefaultRow{"CtrlYDeletesTheLine", 0, 'Y', C, kcDeleteLine, 0, stNone},
        TDefaultRow{"CtrlShiftY", 0, 'Y', C | S, kcDeleteToLineEnd, 0, stNone},
        TDefaultRow{"CtrlT", 0, 'T', C, kcDeleteWord, 0, stNone},
        TDefaultRow{"CtrlN", 0, 'N', C, kcSplitLine, 0, stNone},
        TDefaultRow{"CtrlShiftU", 0, 'U', C | S, kcUnindentBlock, 0, stNone},
        TDefaultRow{"F3", 0, vkF3, N, kcSearchAgain, 0, stNone},
        TDefaultRow{"CtrlJ", 0, 'J', C, kcTemplatePopup, 0, stNone},
        TDefaultRow{"CtrlShiftG", 0, 'G', C | S, kcInsertGuid, 0, stNone},
        TDefaultRow{"CtrlAltQ", 0, 'Q', C | A, kcQuoteBlock, 0, stNone},
        TDefaultRow{"CtrlBracket", 0, vkOemOpenBracket, C, kcMatchBracket, 0, stNone},
        TDefaultRow{"CtrlDigitJumps", 0, '0', C, kcGotoBookmark, 10, stNone},
        TDefaultRow{"CtrlShiftDigitToggles", 0, '3', C | S, kcToggleBookmark, 3, stNone},
        TDefaultRow{"BlockK", 'K', 'K', C, kcMarkBlockEnd, 0, stNone},
        TDefaultRow{"BlockV", 'K', 'V', N, kcMoveBlock, 0, stNone},
        TDefaultRow{"BlockCaseN", 'K', 'N', C, kcUpperCaseBlock, 0, stNone},
        TDefaultRow{"BlockWordE", 'K', 'E', N, kcLowerCaseWord, 0, stNone},
        TDefaultRow{"BlockDigit", 'K', '0', N, kcToggleBookmark, 10, stNone},
        TDefaultRow{"QuickBlockBegin", 'Q', 'B', C, kcCaretToBlockBegin, 0, stNone},
        TDefaultRow{"QuickTextEnd", 'Q', 'C', C, kcTextEnd, 0, stNone},
        TDefaultRow{"QuickWindowBottom", 'Q', 'U', C, kcWindowBottom, 0, stNone},
        TDefaultRow{"QuickDigit", 'Q', '7', N, kcGotoBookmark, 7, stNone},
        TDefaultRow{"QuickCtrlShiftDigit", 'Q', '7', C | S, kcToggleBookmark, 7, stNone},
        TDefaultRow{"OptionsGotoLine", 'O', 'G', C, kcGotoLineDialog, 0, stNone},
        TDefaultRow{"OptionsToggleCase", 'O', 'U', C, kcToggleCaseBlock, 0, stNone}),
    [](const auto& info) { return std::string(info.param.Group); });

TEST(KeyMaps, UnknownNameLeavesTheListAlone) {
  TKeyList keys;
  ASSERT_TRUE(InstallKeyMap("Default", keys));
  int count = keys.Count();
  EXPECT_GT(count, 150);
  EXPECT_FALSE(InstallKeyMap("No such map", keys));
  EXPECT_EQ(keys.Count(), count);
}

TEST(KeyMaps, RegisteredMapReplacesTheBindings) {
  RegisterKeyMap("Test one key", [](TKeyList& keys) {
    keys.Add({'X', ssCtrl, 0, 0, kcUndo, 0, stNone});
  });
  TKeyList keys;
  InstallDefaultKeyMap(keys);
  ASSERT_TRUE(InstallKeyMap("Test one key", keys));
  EXPECT_EQ(keys.Count(), 1);
  EXPECT_EQ(keys.FindBinding('X', ssCtrl, 0)->Command, kcUndo);
  std::vector<std::string> names = KeyMapNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "Default"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "Test one key"), names.end());
}

}  // namespace
}  // namespace quorel
