// Starting programs and the desktop's services through Qt.
#include "platform/qt/qtprocesses.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

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

bool TQtProcesses::LaunchSimple(const std::string& program,
                                const std::vector<std::string>& arguments) {
  TStdProcesses fallback;
  return fallback.Launch(program, arguments);
}

std::string TQtProcesses::FindProgram(const std::string& name) {
  return TStdProcesses().FindProgram(name);
}

bool TQtShell::CtrlDown() {
  return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

std::string TQtShell::UserDataFolder() {
  QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QFile::encodeName(data + "/Quorel").toStdString();
}

// Qt names no state folder of its own here, so the XDG rule applies.
std::string TQtShell::UserStateFolder() { return XdgStateFolder(); }

std::string TQtShell::SendToFolder() {
  return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation))
      .toStdString();
}

std::string TQtShell::DocumentsFolder() {
  return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
      .toStdString();
}

bool TQtShell::Open(const std::string& target) {
  // A plain path opens as a local file; anything with a scheme ("http:", "mailto:") as it is.
  QString text = QString::fromStdString(target);
  QUrl url = QUrl::fromUserInput(text, QString(), QUrl::AssumeLocalFile);
  return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace quorel::platform
