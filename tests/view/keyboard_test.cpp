// The keyboard in the editing view, offscreen: real key presses through the "Default" map, one row
// per group of bindings, compared by text, caret and selection; the two-key commands; typing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <regex>
#include <sstream>

#include "view/qtkeys.h"
#include "view/vrelmemo.h"

namespace quorel {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "keyboard_test";
  static char* argv[] = {name, nullptr};
  if (auto* existing = qobject_cast<QApplication*>(QApplication::instance())) return *existing;
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

std::string Text(const TCustomMemoSource& store) {
  std::string out;
  for (int y = 0; y < store.LineCount(); ++y) {
    if (y) out += '\n';
    out += store.RawLine(y);
  }
  return out;
}

// Presses keys written as "C+K B S+Right x": modifiers C (Ctrl), S (Shift), A (Alt) joined by "+"
// to a key name; a lone lower-case letter types it.
void Press(QWidget* widget, const std::string& keys) {
  static const std::map<std::string, Qt::Key> named = {
      {"Left", Qt::Key_Left},     {"Right", Qt::Key_Right},    {"Up", Qt::Key_Up},
      {"Down", Qt::Key_Down},     {"Home", Qt::Key_Home},      {"End", Qt::Key_End},
      {"PgUp", Qt::Key_PageUp},   {"PgDn", Qt::Key_PageDown},  {"Enter", Qt::Key_Return},
      {"Tab", Qt::Key_Tab},       {"BkSp", Qt::Key_Backspace}, {"Del", Qt::Key_Delete},
      {"Ins", Qt::Key_Insert},    {"Esc", Qt::Key_Escape},     {"F3", Qt::Key_F3},
      {"[", Qt::Key_BracketLeft}, {"Space", Qt::Key_Space}};
  std::istringstream in(keys);
  for (std::string token; in >> token;) {
    Qt::KeyboardModifiers modifiers;
    for (size_t plus; token.size() > 2 && (plus = token.find('+')) == 1; token.erase(0, 2)) {
      if (token[0] == 'C') modifiers |= Qt::ControlModifier;
      if (token[0] == 'S') modifiers |= Qt::ShiftModifier;
      if (token[0] == 'A') modifiers |= Qt::AltModifier;
    }
    if (token.size() == 1 && std::islower(static_cast<unsigned char>(token[0])) && !modifiers) {
      QTest::keyClick(widget, token[0]);
    } else if (token.size() == 1 && std::isalnum(static_cast<unsigned char>(token[0]))) {
      QTest::keyClick(widget,
                      static_cast<Qt::Key>(std::toupper(static_cast<unsigned char>(token[0]))),
                      modifiers);
    } else {
      auto it = named.find(token);
      ASSERT_NE(it, named.end()) << token;
      QTest::keyClick(widget, it->second, modifiers);
    }
  }
}

struct Keyboard : ::testing::Test {
  TMemoSource store;
  std::unique_ptr<TVrelMemo> view;
  void SetUp() override {
    App();
    view = std::make_unique<TVrelMemo>();
    view->resize(400, 200);
    view->WantTabs = true;
    view->SetMemoSource(&store);
    view->show();
    view->setFocus();
    QApplication::processEvents();
  }
  void TearDown() override {
    view.reset();
    TCustomMemoSource::SetOverwriteMode(false);
  }
};

struct TKeyCase {
  const char* Name;
  const char* Before;
  TPoint Caret;
  const char* Keys;
  const char* After;
  TPoint CaretAfter;
  const char* Selected;  // "" for no selection
};

class KeyGroups : public Keyboard, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(KeyGroups, PressingTheKeysGivesTextCaretAndSelection) {
  const TKeyCase& c = GetParam();
  store.LoadFromBuffer(c.Before);
  store.SetCaretPos(c.Caret.X, c.Caret.Y);
  Press(view.get(), c.Keys);
  EXPECT_EQ(Text(store), c.After);
  EXPECT_EQ(store.CaretPos(), c.CaretAfter);
  EXPECT_EQ(store.HasSelection() ? store.SelectedText() : std::string(), c.Selected);
  EXPECT_EQ(view->KeyHandler().PrefixState(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Default, KeyGroups,
    ::testing::Values(
        TKeyCase{"Arrows", "ab\ncd", {1, 0}, "Right Down", "ab\ncd", {2, 1}, ""},
        TKeyCase{"WordMoves",
                 "one two three",
                 {0, 0},
                 "C+Right C+Right C+Left",
                 "one two three",
                 {4, 0},
                 ""},
        TKeyCase{"HomeEnd", "  abc", {3, 0}, "Home End", "  abc", {5, 0}, ""},
        TKeyCase{"TextStartEnd", "ab\ncde", {1, 0}, "C+End", "ab\ncde", {3, 1}, ""},
        TKeyCase{"ExtendByCharacters", "abcdef", {1, 0}, "S+Right S+Right", "abcdef", {3, 0}, "bc"},
        TKeyCase{"ExtendToLineEnd", "abcdef", {2, 0}, "S+End", "abcdef", {6, 0}, "cdef"},
        TKeyCase{"ExtendByWords", "one two", {0, 0}, "C+S+Right", "one two", {4, 0}, "one "},
        TKeyCase{"ExtendToTextEnd", "ab\ncd", {1, 0}, "C+S+End", "ab\ncd", {2, 1}, "b\r\ncd"},
        TKeyCase{"ExtendBlock",
                 "abcd\nefgh",
                 {1, 0},
                 "A+S+Down A+S+Right",
                 "abcd\nefgh",
                 {2, 1},
                 "bc\r\nfg"},
        TKeyCase{
            "PlainMoveDropsTheSelection", "abcdef", {1, 0}, "S+Right Up", "abcdef", {2, 0}, ""},
        TKeyCase{"EnterAutoIndents", "    foo", {7, 0}, "Enter", "    foo\n    ", {4, 1}, ""},
        TKeyCase{"ShiftEnter", "ab", {1, 0}, "S+Enter", "a\nb", {0, 1}, ""},
        TKeyCase{"SmartTab", "int  x;\n\n", {0, 1}, "Tab", "int  x;\n     ", {5, 1}, ""},
        TKeyCase{"CtrlIIsTab", "ab", {0, 0}, "C+I", "         ab", {9, 0}, ""},
        TKeyCase{"BackTab",
                 "abcdefghijklmnopqrstuvwxyz",
                 {12, 0},
                 "S+Tab",
                 "abcdefghijklmnopqrstuvwxyz",
                 {9, 0},
                 ""},
        TKeyCase{"BackspaceUnindents",
                 "    bar\n        foo",
                 {8, 1},
                 "BkSp",
                 "    bar\n    foo",
                 {4, 1},
                 ""},
        TKeyCase{"ShiftBackspace", "abc", {2, 0}, "S+BkSp", "ac", {1, 0}, ""},
        TKeyCase{"CtrlBackspaceDeletesAWord", "one two", {7, 0}, "C+BkSp", "one ", {4, 0}, ""},
        TKeyCase{
            "AltBackspaceUndoesAndRedoes", "ab", {2, 0}, "x y A+BkSp A+S+BkSp", "abxy", {4, 0}, ""},
        TKeyCase{"DeleteAndJoin", "abc\nd", {1, 0}, "Del End Del", "acd", {2, 0}, ""},
        TKeyCase{"CtrlDeleteDeletesTheSelection",
                 "abcdef",
                 {1, 0},
                 "S+Right S+Right C+Del",
                 "adef",
                 {1, 0},
                 ""},
        TKeyCase{
            "CutAndPaste", "abcdef", {0, 0}, "S+Right S+Right C+X End C+V", "cdefab", {6, 0}, ""},
        TKeyCase{"ShiftDeleteAndShiftInsert",
                 "abcdef",
                 {0, 0},
                 "S+Right S+Del S+Ins S+Ins",
                 "aabcdef",
                 {2, 0},
                 ""},
        TKeyCase{"CopyAndPaste", "ab", {0, 0}, "S+Right C+Ins End C+V", "aba", {3, 0}, ""},
        TKeyCase{"InsertTogglesOverwrite", "abc", {0, 0}, "Ins x Ins y", "xybc", {2, 0}, ""},
        TKeyCase{"SelectAll", "ab\ncd", {0, 0}, "C+A", "ab\ncd", {2, 1}, "ab\r\ncd"},
        TKeyCase{"UndoRedo", "ab", {2, 0}, "x C+Z C+S+Z", "abx", {3, 0}, ""},
        TKeyCase{"CtrlYDeletesTheLine", "one\ntwo\nthree", {1, 1}, "C+Y", "one\nthree", {0, 1}, ""},
        TKeyCase{"CtrlShiftYDeletesToTheEnd", "abcdef", {2, 0}, "C+S+Y", "ab", {2, 0}, ""},
        TKeyCase{"CtrlTDeletesAWord", "one two", {0, 0}, "C+T", "two", {0, 0}, ""},
        TKeyCase{"CtrlNSplitsInPlace", "abcd", {2, 0}, "C+N", "ab\ncd", {2, 0}, ""},
        TKeyCase{"IndentSelectedLines",
                 "a\nb\nc",
                 {0, 0},
                 "S+Down S+Down C+S+I",
                 " a\n b\nc",
                 {0, 2},
                 " a\r\n b\r\n"},
        TKeyCase{"UnindentSelectedLines",
                 " a\n b\nc",
                 {0, 0},
                 "S+Down S+Down C+S+U",
                 "a\nb\nc",
                 {0, 2},
                 "a\r\nb\r\n"},
        TKeyCase{"QuoteSelectedLines",
                 "a\nb\nc",
                 {0, 0},
                 "S+Down S+End C+A+Q",
                 ">a\n>b\nc",
                 {2, 1},
                 ">a\r\n>b"},
        TKeyCase{"MatchBracket", "f(a(b)c)", {1, 0}, "C+[", "f(a(b)c)", {7, 0}, ""},
        TKeyCase{
            "BookmarkTenByDigitZero", "a\nb\nc", {0, 2}, "C+S+0 Up Up C+0", "a\nb\nc", {0, 2}, ""},
        TKeyCase{"PrefixMarksABlock",
                 "abcdef",
                 {1, 0},
                 "C+K B Right Right Right C+K K",
                 "abcdef",
                 {4, 0},
                 "bcd"},
        TKeyCase{"PrefixCtrlBIsNothing", "ab", {0, 0}, "C+K C+B x", "xab", {1, 0}, ""},
        TKeyCase{"PrefixThenUnboundLetterTypes", "ab", {0, 0}, "C+K z", "zab", {1, 0}, ""},
        TKeyCase{"PrefixUpperCase", "abc def", {0, 0}, "S+End C+K N", "ABC DEF", {7, 0}, "ABC DEF"},
        TKeyCase{"PrefixLowerCaseWord", "ABC DEF", {5, 0}, "C+K E", "ABC def", {4, 0}, ""},
        TKeyCase{
            "PrefixDeletesTheBlock", "abc", {0, 0}, "C+K B Right C+K K C+K Y", "bc", {0, 0}, ""},
        TKeyCase{"PrefixBookmarks", "a\nb", {0, 1}, "C+K 1 Up C+Q 1", "a\nb", {0, 1}, ""},
        TKeyCase{"QuickTextEnd", "ab\ncd", {0, 0}, "C+Q C+C", "ab\ncd", {2, 1}, ""},
        TKeyCase{"QuickLineEnd", "abc", {0, 0}, "C+Q C+D", "abc", {3, 0}, ""},
        TKeyCase{"QuickDeleteToLineEnd", "abc", {1, 0}, "C+Q C+Y", "a", {1, 0}, ""},
        TKeyCase{"OptionsToggleCase", "aB", {0, 0}, "S+End C+O C+U", "Ab", {2, 0}, "Ab"},
        TKeyCase{"OptionsSelectLine", "ab\ncd", {1, 0}, "C+O C+L", "ab\ncd", {1, 0}, "ab\r\n"},
        TKeyCase{"TypingReplacesTheSelection",
                 "hello world",
                 {0, 0},
                 "S+C+Right x",
                 "xworld",
                 {1, 0},
                 ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Keyboard, PrefixCopiesAndMovesAPersistentBlock) {
  store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
  store.LoadFromBuffer("abc");
  store.SetCaretPos(0, 0);
  Press(view.get(), "C+K B Right C+K C+K End C+K C");
  EXPECT_EQ(Text(store), "abca");
  store.SetCaretPos(0, 0);
  Press(view.get(), "C+K B Right C+K K End C+K V");
  EXPECT_EQ(Text(store), "bcaa");
}

TEST_F(Keyboard, GuidGoesInBracketed) {
  store.LoadFromBuffer("");
  Press(view.get(), "C+S+G");
  EXPECT_TRUE(std::regex_match(store.RawLine(0), std::regex(R"(\['\{[0-9A-F-]{36}\}'\])")))
      << store.RawLine(0);
}

TEST_F(Keyboard, PageKeysMoveByTheWindowAndCtrlPageKeysToItsEdges) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\n";
  store.LoadFromBuffer(text);
  int rows = view->VisibleRows();
  ASSERT_GT(rows, 3);
  store.SetCaretPos(2, 0);
  Press(view.get(), "PgDn");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, rows}));
  Press(view.get(), "PgDn PgUp");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, rows}));
  int top = view->TopLine();
  Press(view.get(), "C+PgUp");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, top}));
  Press(view.get(), "C+PgDn");
  EXPECT_EQ(store.CaretPos(), (TPoint{2, top + rows - 1}));
  // Ctrl+Up and Ctrl+Down scroll without moving the caret.
  Press(view.get(), "C+Down C+Down");
  EXPECT_EQ(view->TopLine(), top + 2);
  EXPECT_EQ(store.CaretPos(), (TPoint{2, top + rows - 1}));
  Press(view.get(), "S+PgUp");
  EXPECT_EQ(store.CaretY(), top + rows - 1 - rows);
  EXPECT_TRUE(store.HasSelection());
}

TEST_F(Keyboard, ControlCharactersAnd127TypeNothing) {
  store.LoadFromBuffer("ab");
  store.SetEncoding(enWindows1252);
  EXPECT_FALSE(view->TypeChar('\x7f'));
  EXPECT_FALSE(view->TypeChar('\x1f'));
  EXPECT_TRUE(view->TypeChar('\xe9'));  // 128..255 are characters
  EXPECT_EQ(Text(store),
            "\xe9"
            "ab");
  // Alt or Ctrl with a letter the map does not bind types nothing either.
  Press(view.get(), "A+W C+W");
  EXPECT_EQ(Text(store),
            "\xe9"
            "ab");
  // In a UTF-8 document the same Windows-1252 character is stored as UTF-8.
  store.LoadFromBuffer("ab");
  EXPECT_TRUE(view->TypeChar('\xe9'));
  EXPECT_EQ(Text(store),
            "\xC3\xA9"
            "ab");
}

TEST_F(Keyboard, TypingKeepsOrDropsTheSelectionByTheBlockOptions) {
  // Neither overwriting nor persistent blocks: the selection goes, the text stays.
  store.SetOptions(store.Options() - TStringsOptions{soOverwriteBlocks});
  store.LoadFromBuffer("hello world");
  store.SetCaretPos(0, 0);
  Press(view.get(), "C+S+Right x");
  EXPECT_EQ(Text(store), "hello xworld");
  EXPECT_FALSE(store.HasSelection());
  // Persistent blocks in overwrite mode: the selection stays exactly where it was.
  store.SetOptions(store.Options() | TStringsOptions{soPersistentBlocks});
  store.SetCaretPos(0, 0);
  store.SetSelection(stStream, 0, 0, 5, 0);
  Press(view.get(), "Ins y z");
  EXPECT_EQ(Text(store), "yzllo xworld");
  EXPECT_EQ(store.SelectionRect(), (TRect{0, 0, 5, 0}));
  EXPECT_EQ(store.CaretPos(), (TPoint{2, 0}));
}

TEST_F(Keyboard, TypingIsOneUndoStepAndRightFollowsLimitEol) {
  store.SetOptions(store.Options() | TStringsOptions{soLimitEOL});
  store.LoadFromBuffer("ab\ncd");
  store.SetCaretPos(2, 0);
  Press(view.get(), "x y z Right");
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 1}));
  Press(view.get(), "C+Z");  // the caret move is a step of its own
  EXPECT_EQ(Text(store), "abxyz\ncd");
  EXPECT_EQ(store.CaretPos(), (TPoint{5, 0}));
  Press(view.get(), "C+Z");
  EXPECT_EQ(Text(store), "ab\ncd");
}

TEST_F(Keyboard, TypingIsRefusedWhileAPrefixWaits) {
  store.LoadFromBuffer("ab");
  Press(view.get(), "C+K");
  EXPECT_FALSE(view->TypeChar('x'));
  Press(view.get(), "Esc");  // Esc ends the prefix as any other bound key
  EXPECT_TRUE(view->TypeChar('x'));
}

TEST_F(Keyboard, PrefixSecondKeyBeatsAMenuShortcut) {
  QWidget window;
  auto* editor = new TVrelMemo(&window);
  editor->SetMemoSource(&store);
  QAction save("Save", &window);
  save.setShortcut(QKeySequence("Ctrl+S"));
  window.addAction(&save);
  int saves = 0;
  QObject::connect(&save, &QAction::triggered, [&] { ++saves; });
  window.show();
  editor->setFocus();
  QApplication::processEvents();
  store.LoadFromBuffer("abc");
  store.SetCaretPos(2, 0);
  Press(editor, "C+S");
  EXPECT_EQ(saves, 1);  // alone, the menu gets it
  Press(editor, "C+Q C+S");
  EXPECT_EQ(saves, 1);  // after Ctrl+Q it is the view's Home
  EXPECT_EQ(store.CaretX(), 0);
}

TEST_F(Keyboard, KeyMappingNamesAMapAndUnknownNamesKeepIt) {
  EXPECT_EQ(view->KeyMapping(), "Default");
  int count = view->KeyHandler().Keys().Count();
  view->SetKeyMapping("No such map");
  EXPECT_EQ(view->KeyMapping(), "Default");
  EXPECT_EQ(view->KeyHandler().Keys().Count(), count);
}

TEST_F(Keyboard, UnwantedReturnGoesToTheWindowButCtrlReturnStillBreaks) {
  view->WantReturns = false;
  store.LoadFromBuffer("ab");
  store.SetCaretPos(1, 0);
  Press(view.get(), "Enter");
  EXPECT_EQ(Text(store), "ab");
  Press(view.get(), "C+Enter");
  EXPECT_EQ(Text(store), "a\nb");
}

TEST_F(Keyboard, WordWrapHomeAndEndStayInTheDisplayRow) {
  view->SetWordWrap(true);
  int width = view->WrapWidth();
  store.LoadFromBuffer(std::string(static_cast<size_t>(width) + 10, 'x'));
  store.SetCaretPos(width + 3, 0);
  Press(view.get(), "Home");
  EXPECT_EQ(store.CaretX(), width);
  store.SetCaretPos(3, 0);
  Press(view.get(), "End");
  EXPECT_EQ(store.CaretX(), width - 1);  // before the row's last character
}

TEST_F(Keyboard, HideCaretArrowsScroll) {
  std::string text;
  for (int i = 0; i < 50; ++i) text += "line\n";
  store.LoadFromBuffer(text);
  view->HideCaret = true;
  Press(view.get(), "Down Down");
  EXPECT_EQ(view->TopLine(), 2);
  EXPECT_EQ(store.CaretPos(), (TPoint{0, 0}));
}

TEST(QtKeys, ShiftedDigitsAndBracesAreTheirKeys) {
  EXPECT_EQ(VirtualKeyOf(Qt::Key_ParenRight), '0');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Exclam), '1');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_BraceLeft), vkOemOpenBracket);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Backtab), vkTab);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_F3), vkF3);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Q), 'Q');
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Eacute), 0);
  EXPECT_EQ(ShiftStateOf(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier),
            ssCtrl | ssAlt | ssShift);
}

}  // namespace
}  // namespace quorel

namespace quorel {
namespace {

// Code templates: a typed name inserted at once, a prefix offered as a list the keys drive.
TEST_F(Keyboard, CtrlJInsertsTheTemplateNamedBeforeTheCaret) {
  store.SetTemplatesType("Unknown set");  // ignored
  EXPECT_EQ(store.TemplatesType(), "None");
  store.SetTemplatesType("JavaScript");
  ASSERT_EQ(store.CodeTemplates().size(), 22u);
  store.LoadFromBuffer("  ife");
  store.SetCaretPos(5, 0);
  Press(view.get(), "C+J");
  // Later lines are indented to the caret's column; the caret goes where "|" was.
  EXPECT_EQ(Text(store), "  if () {\n  } else {\n  }");
  EXPECT_EQ(store.CaretPos(), (TPoint{6, 0}));
  store.Undo();
  EXPECT_EQ(Text(store), "  ife");
}

TEST_F(Keyboard, APrefixOffersTheTemplatesThatBeginWithIt) {
  store.SetTemplatesType("JavaScript");
  store.LoadFromBuffer("fo");
  store.SetCaretPos(2, 0);
  Press(view.get(), "C+J");
  TVrelPopupListBox* list = view->PopupListBox();
  ASSERT_TRUE(view->PopupListOpen());
  ASSERT_EQ(list->Count(), 3);  // for, forin, forof
  EXPECT_EQ(list->Entry(0), "for loop|~for~");
  // The list keeps the keyboard: a letter moves in it and types nothing.
  Press(view.get(), "Down Down");
  EXPECT_EQ(list->Selected(), 2);
  Press(view.get(), "Enter");
  EXPECT_FALSE(view->PopupListOpen());
  EXPECT_EQ(Text(store), "for (const item of ) {\n}");
  EXPECT_EQ(store.CaretPos(), (TPoint{19, 0}));

  store.LoadFromBuffer("x = y");
  store.SetCaretPos(4, 0);
  Press(view.get(), "C+J");  // no word before the caret: every template is offered
  ASSERT_TRUE(view->PopupListOpen());
  EXPECT_EQ(view->PopupListBox()->Count(), 22);
  Press(view.get(), "Esc");
  EXPECT_FALSE(view->PopupListOpen());
  EXPECT_EQ(Text(store), "x = y");
}

}  // namespace
}  // namespace quorel
