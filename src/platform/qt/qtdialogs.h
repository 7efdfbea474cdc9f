// The engine's modal dialogs as Qt dialogs.
#pragma once

#include "platform/dialogs.h"

namespace quorel::platform {

class TQtDialogs : public IDialogs {
 public:
  bool InputQuery(const std::string& caption, const std::string& prompt,
                  std::string& value) override;
};

}  // namespace quorel::platform
