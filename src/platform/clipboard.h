// The clipboard as the engine sees it: 8-bit plain text and a watch on changes.
#pragma once

#include <functional>
#include <string>

namespace quorel::platform {

class IClipboard {
 public:
  virtual ~IClipboard() = default;

  virtual bool HasText() const = 0;
  // The text as 8-bit Windows-1252 bytes; empty when the clipboard holds no text.
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text) = 0;
  // True while the clipboard content was put there by this program.
  virtual bool OwnedByThisApplication() const = 0;

  // Calls `changed` after every change of the clipboard content, whoever made it.
  // Returns an id for Unwatch.
  virtual int Watch(std::function<void()> changed) = 0;
  virtual void Unwatch(int id) = 0;
};

}  // namespace quorel::platform
