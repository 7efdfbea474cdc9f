// The main window with every platform service replaced by a fake: dialogs answered by a script,
// processes recorded, a desktop whose Ctrl key the test holds.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <memory>
#include <string>

#include "app/form1.h"
#include "platform/memoryclipboard.h"
#include "platform/services.h"
#include "platform/settings.h"
#include "support/faultyfilesystem.h"
#include "support/recordingprocesses.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"

namespace quorel {

// One application for the whole program, never destroyed: Qt's own globals go away at exit
// before a static application object would.
inline QApplication& App() {
  static int argc = 1;
  static char name[] = "mainwindow_test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// A mouse event at `at` in `target`'s coordinates, delivered as the window system would.
inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QMouseEvent event(type, at, target->mapToGlobal(at), button, held, modifiers);
  QApplication::sendEvent(target, &event);
}

struct MainWindow : ::testing::Test {
  test::TScriptedDialogs dialogs;
  test::TRecordingProcesses processes;
  test::TFakeShell shell;
  test::TFaultyFileSystem files;
  platform::TMemoryClipboard clipboard;
  platform::TMemorySettings settings;
  platform::TServices services{&clipboard, &dialogs, &files, &processes, &shell, &settings};
  test::TTempDir dir;
  std::unique_ptr<TForm1> form;

  void SetUp() override {
    App();
    shell.DataFolder = dir.File("userdata");
    form = std::make_unique<TForm1>(services);
  }
  void TearDown() override {
    // Closing asks nothing more than the test scripted.
    form->MemoSource1.SetModified(false);
    form.reset();
  }
  std::string Caption() const { return form->windowTitle().toStdString(); }
  std::string Panel(int i) const { return form->PanelText(i).toStdString(); }
  void Type(const std::string& text) { form->MemoSource1.InsertText(text); }
  // A command of the window by its component name ("Save1"), as its menu or toolbar shows it.
  QAction* Command(const std::string& name) const {
    QAction* action = form->Commands[name];
    EXPECT_TRUE(action) << "no command " << name;
    return action;
  }
  QMenu* Menu(const std::string& name) const {
    QMenu* menu = form->Commands.Menu(name);
    EXPECT_TRUE(menu) << "no menu " << name;
    return menu;
  }
  // Opens `path` in the window, as the Open dialog would.
  void Open(const std::string& path) { form->OpenDocument(path); }
  // Runs a command as the user would: its rules are refreshed first, and a disabled command
  // does nothing. True when it ran.
  bool Run(const std::string& name) { return form->Commands.Run(name); }
  // Opens a menu as a click would: its opening handler and the rules of every command run.
  void OpenMenu(const std::string& name) const { emit Menu(name)->aboutToShow(); }
  std::string LastMessage() const {
    return dialogs.Messages().empty() ? "" : dialogs.Messages().back().Text;
  }
};

}  // namespace quorel
