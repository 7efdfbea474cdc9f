// "&Print...": the print options dialog on the document, printed on the system's printer or
// into a PDF file when there is none.
#include "app/printcommands.h"

#include "platform/qt/qtprinter.h"
#include "print/ui/memoprint.h"

namespace quorel {

TPrintCommands::TPrintCommands(TMainParts& parts) : parts_(parts) {}

TPrintCommands::~TPrintCommands() = default;

void TPrintCommands::AddCommands() {
  parts_.Commands.Add({.Name = "Print1",
                       .Caption = "&Print...",
                       .Shortcut = "Ctrl+P",
                       .Run = [this] { Print1Click(); },
                       .Enabled = [this] { return parts_.Store.LineCount() > 0; }});
}

platform::IPrinter& TPrintCommands::Printer() {
  if (!printer_) printer_ = platform::MakeQtPrinter(*parts_.Services.Files);
  return *printer_;
}

void TPrintCommands::Print1Click() {
  if (parts_.Store.LineCount() == 0) return;
  PrintWithDialog(parts_.View, Printer(), *parts_.Services.Dialogs);
}

}  // namespace quorel
