// Starting programs and the desktop's services through Qt.
#include "platform/qt/qtprocesses.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>

#include "platform/stdprocesses.h"

namespace quorel::platform {

std::string TQtProcesses::ProgramPath() {
  return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

bool TQtProcesses::Launch(const std::string& program, const std::vector<std::string>& arguments) {
  QStringList args;
  for (const std::string& a : arguments) args << QFile::decodeName(a.c_str());
  return QProcess::startDetached(QFile::decodeName(program.c_str()), args);
}

bool TQtProcesses::LaunchSimple(const std::string& program, const std::vector<std::string>& arguments) {
  TStdProcesses fallback;
  return fallback.Launch(program, arguments);
}

bool TQtShell::CtrlDown() {
  return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

}  // namespace quorel::platform
