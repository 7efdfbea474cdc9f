// The command table on a bare window: menus and a toolbar made from rows, the one refresh pass,
// running by name, and shortcuts that refresh their menus before they run.
#include "app/commandtable.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <stdexcept>

#include "app/ui/mainwindowfixture.h"

namespace quorel {
namespace {

struct CommandTable : ::testing::Test {
  QApplication& app = App();  // before any widget
  QMainWindow window;
  TCommandTable table{&window};
  bool canCut = false;
  bool wrapped = false;
  int cuts = 0;
  int opened = 0;

  void SetUp() override {
    table.Add({.Name = "Cut1",
               .Caption = "Cu&t",
               .Shortcut = "Ctrl+X",
               .Run = [this] { ++cuts; },
               .Enabled = [this] { return canCut; }});
    table.Add({.Name = "Wrap1",
               .Caption = "&Wrap",
               .Checkable = true,
               .Run = [this] { wrapped = !wrapped; },
               .Checked = [this] { return wrapped; }});
    table.Add({.Name = "ToolButton5", .Caption = "Cut", .Hint = "Cut", .Image = 4, .Run = [this] {
                 ++cuts;
               }});
    table.AddMenu({"Edit1", "&Edit", {"Cut1", "-", "-Sep1", "Wrap1"}}, [this] {
      ++opened;
      canCut = true;  // the menu's opening handler finds a selection
    });
    table.FillMenuBar(*window.menuBar(), {"Edit1"});
  }
  QKeyEvent Key(int key, Qt::KeyboardModifiers modifiers) {
    return QKeyEvent(QEvent::KeyPress, key, modifiers);
  }
};

TEST_F(CommandTable, AMenuIsMadeFromItsRowsInOrder) {
  QMenu* edit = table.Menu("Edit1");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(window.menuBar()->actions().at(0)->text(), "&Edit");
  QList<QAction*> items = edit->actions();
  ASSERT_EQ(items.size(), 4);
  EXPECT_EQ(items[0], table["Cut1"]);
  EXPECT_EQ(items[0]->text(), "Cu&t");
  EXPECT_EQ(items[0]->shortcut(), QKeySequence("Ctrl+X"));
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[2], table["Sep1"]);  // a named separator the window can hide
  EXPECT_TRUE(items[3]->isCheckable());
  EXPECT_EQ(table["Nothing"], nullptr);
  EXPECT_EQ(table.Names(), (std::vector<std::string>{"Cut1", "Wrap1", "ToolButton5"}));

  // A layout naming a row that does not exist, or a row twice, is a mistake in the program.
  EXPECT_THROW(table.AddMenu({"View1", "&View", {"Missing1"}}), std::logic_error);
  EXPECT_THROW(table.Add({.Name = "Cut1"}), std::logic_error);
}

TEST_F(CommandTable, TheToolbarShowsPicturesAndHints) {
  QToolBar bar;
  table.FillToolBar(bar, {"ToolButton5", "-", "Wrap1"});
  ASSERT_EQ(bar.actions().size(), 3);
  EXPECT_EQ(bar.actions()[0]->toolTip(), "Cut");
  EXPECT_FALSE(bar.actions()[0]->icon().isNull());
  EXPECT_TRUE(bar.actions()[1]->isSeparator());
}

TEST_F(CommandTable, OnePassAppliesEveryRule) {
  table.Refresh();
  EXPECT_FALSE(table["Cut1"]->isEnabled());
  EXPECT_FALSE(table["Wrap1"]->isChecked());
  EXPECT_TRUE(table["ToolButton5"]->isEnabled());  // no rule: always
  canCut = true;
  wrapped = true;
  table.Refresh();
  EXPECT_TRUE(table["Cut1"]->isEnabled());
  EXPECT_TRUE(table["Wrap1"]->isChecked());
}

TEST_F(CommandTable, RunningByNameRefreshesFirstAndSkipsADisabledCommand) {
  EXPECT_FALSE(table.Run("Cut1"));
  EXPECT_EQ(cuts, 0);
  canCut = true;
  EXPECT_TRUE(table.Run("Cut1"));
  EXPECT_EQ(cuts, 1);
  // A checkable command's mark follows its rule after it ran, not the click's toggle alone.
  EXPECT_TRUE(table.Run("Wrap1"));
  EXPECT_TRUE(wrapped);
  EXPECT_TRUE(table["Wrap1"]->isChecked());
  EXPECT_TRUE(table.Run("Wrap1"));
  EXPECT_FALSE(table["Wrap1"]->isChecked());
  EXPECT_THROW(table.Run("Missing1"), std::logic_error);
}

TEST_F(CommandTable, AShortcutOpensItsMenusFirst) {
  table.WireShortcuts(*window.menuBar());
  // The opening handler enables Cut, so the shortcut runs it.
  QKeyEvent cut = Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_TRUE(table.RunShortcut(cut));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(cuts, 1);
  // A key no item has is left to the view.
  QKeyEvent none = Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_FALSE(table.RunShortcut(none));
}

TEST_F(CommandTable, ADisabledItemsShortcutDoesNothing) {
  TCommandTable other(&window);
  bool enabled = false;
  int runs = 0;
  other.Add({.Name = "Save1",
             .Caption = "&Save",
             .Shortcut = "Ctrl+S",
             .Run = [&] { ++runs; },
             .Enabled = [&] { return enabled; }});
  other.AddMenu({"File1", "&File", {"Save1"}});
  QMenuBar bar;
  other.FillMenuBar(bar, {"File1"});
  other.WireShortcuts(bar);
  QKeyEvent save = Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(other.RunShortcut(save));
  EXPECT_EQ(runs, 0);
  enabled = true;
  EXPECT_TRUE(other.RunShortcut(save));
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace quorel
