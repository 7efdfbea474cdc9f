// What the main window lends its feature controllers: the services, the settings and side files,
// the document's store and view, the command table, and the few document steps only the window
// may take.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "app/commandtable.h"
#include "engine/memosource.h"
#include "platform/services.h"
#include "platform/sidefiles.h"
#include "prefs/mainsettings.h"

class QWidget;

namespace quorel {

class TVrelMemo;

// The document's life as the controllers see it; the window answers each step.
struct TDocumentSteps {
  std::function<std::string()> Name;       // its path, or "[untitled]"
  std::function<std::string()> Extension;  // ".java": the lower-case extension of its name
  std::function<bool()> Save;              // saves under its name, or asks for one
  std::function<bool()> SaveAs;            // asks for a name and saves
  std::function<void(bool)> SetModified;
  // The save dialog's filter `index` and default extension ("*.java") for the next save.
  std::function<void(int, const std::string&)> SetSaveFilter;
};

struct TMainParts {
  const platform::TServices& Services;
  TMainSettings& Settings;
  platform::TSideFiles& SideFiles;
  TMemoSource& Store;
  TCommandTable& Commands;
  QWidget& Window;
  TVrelMemo& View;
  TDocumentSteps Document;
  // Where the file dialogs start; ends with a separator.
  std::function<std::string()> CurrentFolder;

  bool HasDocumentName() const { return Document.Name() != "[untitled]"; }
  // A warning box with the program's text.
  void Warn(const std::string& text) const;
  // Runs a command of the store or the search; its error becomes an error box.
  void ShowingErrors(const std::function<void()>& command) const;
};

}  // namespace quorel
