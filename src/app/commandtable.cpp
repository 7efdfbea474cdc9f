// The command table: rows made into actions, menus and a toolbar, the refresh pass and the menu
// shortcuts.
#include "app/commandtable.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <set>
#include <stdexcept>

#include "app/toolbarimages.h"

namespace quorel {

TCommandTable::TCommandTable(QWidget* owner) : owner_(owner) {}

QAction* TCommandTable::Add(TCommand command) {
  if (actions_.count(command.Name)) throw std::logic_error("command " + command.Name + " twice");
  auto* action = new QAction(command.Caption, owner_);
  action->setObjectName(QString::fromStdString(command.Name));
  if (!command.Shortcut.isEmpty()) action->setShortcut(QKeySequence(command.Shortcut));
  if (!command.Hint.isEmpty()) {
    action->setToolTip(command.Hint);
    action->setStatusTip(command.Hint);
  }
  if (command.Image >= 0) action->setIcon(ToolBarIcon(command.Image));
  action->setCheckable(command.Checkable);
  action->setVisible(command.Visible);
  action->setData(command.Data);
  if (command.Run)
    connect(action, &QAction::triggered, this, [this, run = command.Run] {
      run();
      Refresh();
    });
  rows_[command.Name] = {action, std::move(command.Enabled), std::move(command.Checked)};
  actions_[command.Name] = action;
  order_.push_back(command.Name);
  return action;
}

QAction* TCommandTable::Action(const std::string& name) const {
  auto found = actions_.find(name);
  return found == actions_.end() ? nullptr : found->second;
}

QMenu* TCommandTable::Menu(const std::string& name) const {
  auto found = menus_.find(name);
  return found == menus_.end() ? nullptr : found->second;
}

QMenu* TCommandTable::AddMenu(const TMenuLayout& layout, std::function<void()> onOpen) {
  if (menus_.count(layout.Name)) throw std::logic_error("menu " + layout.Name + " twice");
  auto* menu = new QMenu(layout.Caption, owner_);
  menu->setObjectName(QString::fromStdString(layout.Name));
  for (const std::string& entry : layout.Entries) {
    if (entry == "-") {
      menu->addSeparator();
    } else if (entry[0] == '-') {
      QAction* separator = menu->addSeparator();
      separator->setObjectName(QString::fromStdString(entry.substr(1)));
      actions_[entry.substr(1)] = separator;
    } else if (entry[0] == '>') {
      QMenu* sub = Menu(entry.substr(1));
      if (!sub) throw std::logic_error("menu " + entry.substr(1) + " is not made yet");
      menu->addMenu(sub);
    } else {
      QAction* action = Action(entry);
      if (!action) throw std::logic_error("menu " + layout.Name + " names no row " + entry);
      menu->addAction(action);
    }
  }
  connect(menu, &QMenu::aboutToShow, this, [this, onOpen = std::move(onOpen)] {
    if (onOpen) onOpen();
    Refresh();
  });
  menus_[layout.Name] = menu;
  return menu;
}

void TCommandTable::FillMenuBar(QMenuBar& bar, const std::vector<std::string>& menus) {
  for (const std::string& name : menus) bar.addMenu(Menu(name));
}

void TCommandTable::FillToolBar(QToolBar& bar, const std::vector<std::string>& buttons) {
  for (const std::string& name : buttons) {
    if (name == "-")
      bar.addSeparator();
    else
      bar.addAction(Action(name));
  }
}

void TCommandTable::SetDropDown(QToolBar& bar, const std::string& button, const std::string& menu) {
  if (auto* tool = qobject_cast<QToolButton*>(bar.widgetForAction(Action(button)))) {
    tool->setMenu(Menu(menu));
    tool->setPopupMode(QToolButton::MenuButtonPopup);
  }
}

void TCommandTable::Refresh() {
  for (auto& [name, row] : rows_) {
    if (row.Enabled) row.Action->setEnabled(row.Enabled());
    if (row.Checked) row.Action->setChecked(row.Checked());
  }
}

bool TCommandTable::Run(const std::string& name) {
  QAction* action = Action(name);
  if (!action) throw std::logic_error("no command " + name);
  Refresh();
  if (!action->isEnabled()) return false;
  action->trigger();
  return true;
}

void TCommandTable::WireShortcuts(QMenuBar& bar) {
  std::set<QKeySequence> claimed;
  std::function<void(QMenu*, std::vector<QMenu*>)> walk = [&](QMenu* menu,
                                                              std::vector<QMenu*> chain) {
    chain.push_back(menu);
    for (QAction* item : menu->actions()) {
      if (QMenu* sub = item->menu()) {
        walk(sub, chain);
        continue;
      }
      QKeySequence key = item->shortcut();
      if (key.isEmpty()) continue;
      // The window's own shortcut takes the key; the item keeps showing it in its menu.
      item->setShortcutContext(Qt::WidgetShortcut);
      if (!claimed.insert(key).second) continue;
      auto run = [item, chain] {
        for (QMenu* m : chain) emit m->aboutToShow();
        if (item->isEnabled()) item->trigger();
      };
      shortcuts_[key] = run;
      auto* shortcut = new QShortcut(key, owner_);
      connect(shortcut, &QShortcut::activated, this, run);
    }
  };
  for (QAction* top : bar.actions())
    if (QMenu* menu = top->menu()) walk(menu, {});
}

bool TCommandTable::RunShortcut(const QKeyEvent& key) {
  QKeyCombination combination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key()));
  auto found = shortcuts_.find(QKeySequence(combination));
  if (found == shortcuts_.end()) return false;
  // Copied first: the item may rebuild the menus and so the table.
  std::function<void()> run = found->second;
  run();
  return true;
}

}  // namespace quorel
