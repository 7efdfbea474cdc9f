// The system clipboard through Qt.
#pragma once

#include <QObject>
#include <functional>

#include "platform/clipboard.h"
#include "platform/watchers.h"

namespace quorel::platform {

class TQtClipboard : public QObject, public IClipboard {
  Q_OBJECT
 public:
  TQtClipboard();

  bool HasText() const override;
  std::string GetText() const override;
  void SetText(const std::string& text) override;
  void SetTextAndRtf(const std::string& text, const std::string& rtf) override;
  bool HasRtf() const override;
  std::string GetRtf() const override;
  bool OwnedByThisApplication() const override;
  int Watch(std::function<void()> changed) override { return watchers_.Add(std::move(changed)); }
  void Unwatch(int id) override { watchers_.Remove(id); }

 private:
  TWatchers watchers_;
};

}  // namespace quorel::platform
