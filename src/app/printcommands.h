// "&Print..." in the main window: its command and the printer the prints go to.
#pragma once

#include <memory>

#include "app/mainparts.h"
#include "platform/qt/qtprinter.h"

namespace quorel {

class TPrintCommands {
 public:
  explicit TPrintCommands(TMainParts& parts);
  ~TPrintCommands();

  void AddCommands();
  // The print options dialog, then the document printed.
  void Print1Click();
  // The printer prints go to: the system's, made at the first print; tests put in their own.
  platform::IPrinter& Printer();
  void SetPrinter(std::unique_ptr<platform::IPrinter> printer) { printer_ = std::move(printer); }

 private:
  TMainParts& parts_;
  std::unique_ptr<platform::IPrinter> printer_;
};

}  // namespace quorel
