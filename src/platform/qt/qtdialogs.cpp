// The engine's modal dialogs as Qt dialogs.
#include "platform/qt/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>

#include "platform/qt/cp1252.h"

namespace quorel::platform {

namespace {

// Captions and prompts mark their access key with '&', as Qt does.
QString Text(const std::string& s) { return Cp1252ToQString(s); }

}  // namespace

bool TQtDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                            std::string& value) {
  bool ok = false;
  QString answer = QInputDialog::getText(QApplication::activeWindow(), Text(caption),
                                         Text(prompt).remove('&'), QLineEdit::Normal, Text(value),
                                         &ok);
  if (ok) value = QStringToCp1252(answer);
  return ok;
}

}  // namespace quorel::platform
