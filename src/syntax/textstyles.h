// Named text styles shared by the editor (the view's styles, and what schemes that use global
// options take their colours from), with a list of listeners told when they change.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/fonttypes.h"

namespace quorel {

struct TTextStyle {
  std::string Name;
  TFont Font;
  TColor Color = clWindow;    // background
  bool UseMemoColor = false;  // the background is the view's own colour
  bool UpperCase = false;
};

class TTextStyles {
 public:
  std::vector<TTextStyle> Items;
  // The style with this name, ignoring case, or null.
  const TTextStyle* Find(const std::string& name) const;
};

// The editor-wide options; this holds what schemes and parsers read of them.
class TMemoEnvOptions {
 public:
  TTextStyles TextStyles;

  void AddListener(const void* owner, std::function<void()> changed);
  void RemoveListener(const void* owner);
  // Tells every listener that the options changed.
  void Changed();

 private:
  struct TListener {
    const void* Owner;
    std::function<void()> Callback;
  };
  std::vector<TListener> listeners_;
};

TMemoEnvOptions& MemoEnvOptions();

}  // namespace quorel
