// The main window's commands, one row each, and the menus and toolbar built from the rows. A
// row names its component ("Open1", "ToolButton16"), says how it looks, what it runs and the
// rules that enable and check it; one pass applies every rule.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace quorel {

struct TCommand {
  std::string Name{};  // the component name, unique in the window: "Open1"
  QString Caption{};   // "&Open..."
  QString Shortcut{};  // "Ctrl+O"; empty for none
  QString Hint{};      // the tool tip, also shown in the status bar
  int Image = -1;      // the toolbar picture (toolbarimages.h); -1 for none
  bool Checkable = false;
  bool Visible = true;  // shown at start (recent files and colour slots start hidden)
  QVariant Data{};      // the item's tag: a font size, a colour slot, a placement
  std::function<void()> Run{};
  // Whether the command may run now; none: always. The refresh pass asks every row.
  std::function<bool()> Enabled{};
  // For a checkable item: whether it is checked now; none: it keeps what it shows.
  std::function<bool()> Checked{};
};

// A menu of rows: each entry a row's name, "-" a separator, "-Name" a separator the window shows
// and hides by its name, ">Name" a menu made before.
struct TMenuLayout {
  std::string Name;  // "File1"
  QString Caption;   // "&File"; empty for a pop-up menu
  std::vector<std::string> Entries;
};

class TCommandTable : public QObject {
  Q_OBJECT

 public:
  // The actions and menus belong to `owner`, which also takes the shortcuts.
  explicit TCommandTable(QWidget* owner);

  // Adds a row and makes its action at once, so that its rules apply before it is placed.
  QAction* Add(TCommand command);
  // The action of the row `name` (also a named separator); null when there is none.
  QAction* Action(const std::string& name) const;
  QAction* operator[](const std::string& name) const { return Action(name); }
  // The menu made under `name`; null when there is none.
  QMenu* Menu(const std::string& name) const;
  // Every row's name, in the order the rows were added.
  const std::vector<std::string>& Names() const { return order_; }

  // Makes a menu from its layout; every row it names must exist. Opening it runs `onOpen` (the
  // menu's own opening handler, if any) and then the refresh pass.
  QMenu* AddMenu(const TMenuLayout& layout, std::function<void()> onOpen = {});
  // Puts menus made before on `bar`, in this order.
  void FillMenuBar(QMenuBar& bar, const std::vector<std::string>& menus);
  // Puts rows on `bar` in this order ("-" a separator); their pictures and hints show.
  void FillToolBar(QToolBar& bar, const std::vector<std::string>& buttons);
  // The button of toolbar row `button` drops the menu `menu` down from its arrow.
  void SetDropDown(QToolBar& bar, const std::string& button, const std::string& menu);

  // One pass: every row's enabled state and check mark from its rules.
  void Refresh();
  // Runs the row `name` as a click would once its rules are fresh: nothing when it is disabled.
  // True when it ran.
  bool Run(const std::string& name);

  // Every menu item's shortcut on the bar's menus runs the opening handlers of the menus that
  // hold it first (so that its rules are fresh), then the item when it is still enabled. The
  // first item to claim a key keeps it.
  void WireShortcuts(QMenuBar& bar);
  // Runs the menu item whose shortcut `key` is; false when no item has it. The views ask this
  // before their key map, so a menu shortcut wins over a two-key command that starts with it.
  bool RunShortcut(const QKeyEvent& key);

 private:
  struct TRow {
    QAction* Action = nullptr;
    std::function<bool()> Enabled;
    std::function<bool()> Checked;
  };
  QWidget* owner_;
  std::map<std::string, TRow> rows_;
  std::map<std::string, QAction*> actions_;  // rows and named separators
  std::map<std::string, QMenu*> menus_;
  std::vector<std::string> order_;
  std::map<QKeySequence, std::function<void()>> shortcuts_;
};

}  // namespace quorel
