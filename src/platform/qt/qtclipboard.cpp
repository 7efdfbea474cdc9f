// The system clipboard through Qt.
#include "platform/qt/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <vector>

#include "platform/qt/cp1252.h"

namespace quorel::platform {

TQtClipboard::TQtClipboard() {
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TQtClipboard::Changed);
}

bool TQtClipboard::HasText() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

std::string TQtClipboard::GetText() const {
  return QStringToCp1252(QGuiApplication::clipboard()->text());
}

void TQtClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(Cp1252ToQString(text));
}

bool TQtClipboard::OwnedByThisApplication() const {
  return QGuiApplication::clipboard()->ownsClipboard();
}

int TQtClipboard::Watch(std::function<void()> changed) {
  int id = nextId_++;
  watchers_[id] = std::move(changed);
  return id;
}

void TQtClipboard::Unwatch(int id) { watchers_.erase(id); }

void TQtClipboard::Changed() {
  std::vector<int> ids;
  for (auto& entry : watchers_) ids.push_back(entry.first);
  for (int id : ids) {
    auto it = watchers_.find(id);
    if (it != watchers_.end()) {
      auto fn = it->second;
      fn();
    }
  }
}

}  // namespace quorel::platform
