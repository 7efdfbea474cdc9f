// The clipboard as the engine sees it: plain text in UTF-8 and a watch on changes.
#pragma once

#include <functional>
#include <string>

namespace quorel::platform {

class IClipboard {
 public:
  virtual ~IClipboard() = default;

  virtual bool HasText() const = 0;
  // The text in UTF-8; empty when the clipboard holds no text. Documents in another encoding
  // convert on their way in and out.
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text) = 0;
  // Puts plain text and the same text as an RTF document on the clipboard together.
  virtual void SetTextAndRtf(const std::string& text, const std::string& rtf) = 0;
  // The clipboard holds an RTF document ("Rich Text Format"), and that document.
  virtual bool HasRtf() const = 0;
  virtual std::string GetRtf() const = 0;
  // True while the clipboard content was put there by this program.
  virtual bool OwnedByThisApplication() const = 0;

  // Calls `changed` after every change of the clipboard content, whoever made it.
  // Returns an id for Unwatch.
  virtual int Watch(std::function<void()> changed) = 0;
  virtual void Unwatch(int id) = 0;
};

}  // namespace quorel::platform
