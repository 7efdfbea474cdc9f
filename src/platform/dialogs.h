// Modal dialogs the engine may show; tests replace them with scripted answers.
#pragma once

#include <string>

namespace quorel::platform {

class IDialogs {
 public:
  virtual ~IDialogs() = default;

  // A one-line input box. Returns false when the user cancels; on OK `value` holds the text.
  virtual bool InputQuery(const std::string& caption, const std::string& prompt,
                          std::string& value) = 0;
};

}  // namespace quorel::platform
