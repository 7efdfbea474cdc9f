// A store that collects every text copied to the clipboard, one after another.
#pragma once

#include "engine/memosource.h"

namespace quorel {

namespace platform {
class IClipboard;
}

class TClipBoardSource : public TMemoSource {
 public:
  explicit TClipBoardSource(const platform::TServices& services = platform::DefaultServices());
  ~TClipBoardSource() override;

  void CopyToClipboard(const std::function<std::string()>& rtf = nullptr) override;

 protected:
  // The clipboard store's name stays "Clipboard".
  bool ChangeFileName(const std::string&) override { return false; }

 private:
  void ClipboardChanged();

  platform::IClipboard* clipboard_;
  int watchId_ = 0;
  bool copying_ = false;
};

}  // namespace quorel
