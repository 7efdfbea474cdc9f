// The one Qt application of a test program, made by whichever fixture needs it first and never
// destroyed (Qt's own globals go away at exit before a static application would).
#pragma once

#include <QApplication>

namespace quorel::test {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "quorel_tests";
  static char* argv[] = {name, nullptr};
  if (auto* existing = qobject_cast<QApplication*>(QApplication::instance())) return *existing;
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace quorel::test
