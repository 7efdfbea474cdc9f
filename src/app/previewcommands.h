// Showing the document in a browser (the desktop's default one or one of three the user named),
// compiling a Java source in a terminal that stays open, showing a compiled applet through a
// small page, and the help page: their commands and what they run.
#pragma once

#include <functional>
#include <string>

#include "app/mainparts.h"

namespace quorel {

class TPreviewCommands {
 public:
  explicit TPreviewCommands(TMainParts& parts);

  // The Preview button and its drop-down, the Java buttons and Window, Help.
  void AddCommands();
  // "Define Browsers" opens the preferences on their browser page.
  std::function<void()> OnDefineBrowsers;
  // The text changed at least once since the start: the Java buttons come alive.
  void TextChanged() { textChangedOnce_ = true; }

  // The drop-down as it opens: the default entry, the named browsers.
  void PopupMenu2Popup();
  // The button itself: the drop-down on an empty document, else the Preview button's browser.
  void ToolButton16Triggered();
  // Previews in browser `target` (1 the desktop's default, 2 to 4 the named ones; 0 the
  // Preview button's own, PrimaryBrowser), saving first or through Temp.html as the switches
  // and the user say.
  void ToolButton16Click(int target);
  // "Compile": the Java compiler on the document, in a terminal that stays open.
  void ToolButton22Click();
  // "Run Java": the compiled applet's page in the browser, written when there is none.
  void ToolButton23Click();
  // "&Help": the help page in the browser.
  void Help1Click();
  // The document has no character at all.
  bool DocumentIsEmpty() const;

 private:
  // A modified document is saved first or copied to Temp.html (`useTemp`), as the switches and
  // the user say; false when the preview stops.
  bool PrepareModifiedPreview(bool& useTemp);
  // The document's text in the user's Temp.html; false (with a warning) when it cannot be made.
  bool WritePreviewFile();

  TMainParts& parts_;
  bool textChangedOnce_ = false;
};

}  // namespace quorel
