// The system clipboard through Qt.
#pragma once

#include <QObject>
#include <functional>
#include <map>

#include "platform/clipboard.h"

namespace quorel::platform {

class TQtClipboard : public QObject, public IClipboard {
  Q_OBJECT
 public:
  TQtClipboard();

  bool HasText() const override;
  std::string GetText() const override;
  void SetText(const std::string& text) override;
  bool OwnedByThisApplication() const override;
  int Watch(std::function<void()> changed) override;
  void Unwatch(int id) override;

 private:
  void Changed();

  int nextId_ = 1;
  std::map<int, std::function<void()>> watchers_;
};

}  // namespace quorel::platform
