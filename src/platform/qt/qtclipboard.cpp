// The system clipboard through Qt.
#include "platform/qt/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/qt/cp1252.h"

namespace quorel::platform {

TQtClipboard::TQtClipboard() {
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          [this] { watchers_.Notify(); });
}

bool TQtClipboard::HasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

std::string TQtClipboard::GetText() const {
  return QGuiApplication::clipboard()->text().toStdString();
}

void TQtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

bool TQtClipboard::OwnedByThisApplication() const {
  return QGuiApplication::clipboard()->ownsClipboard();
}

}  // namespace quorel::platform
