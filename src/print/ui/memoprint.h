// Printing a view: the "Print" options dialog, then the text laid out page by page on an
// invisible copy of the view, each page painted at screen resolution and stretched onto the
// printer's page, with an optional header line and the "Printing Status" window.
#pragma once

#include <string>

#include "view/vrelmemo.h"

namespace quorel {

namespace platform {
class IDialogs;
class IPrinter;
}  // namespace platform

struct TPrintResult {
  int Pages = 0;           // pages counted for the document
  int PagesPrinted = 0;    // pages sent to the printer
  bool Cancelled = false;  // the progress window's Cancel stopped the job
  std::string Error;       // the printer could not start or finish; empty when it did
};

// The options dialog; on OK the view's PrintOptions and PrintIndent take the choices and the
// document prints. Without an installed printer the pages go to a PDF file the user names.
// False when nothing was printed because the user cancelled.
bool PrintWithDialog(TCustomVrelMemo& view, platform::IPrinter& printer,
                     platform::IDialogs& dialogs, TPrintResult* result = nullptr);

// Prints the document with the view's PrintOptions and PrintIndent. An empty document prints
// nothing and shows no progress window.
TPrintResult PrintDocument(TCustomVrelMemo& view, platform::IPrinter& printer);

}  // namespace quorel
