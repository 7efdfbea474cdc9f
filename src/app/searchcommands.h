// Find, Find Next and Replace on the document: their commands, the search over the store and the
// dialogs it shows, and the search options kept in their own part of the settings.
#pragma once

#include <memory>

#include "app/mainparts.h"
#include "search/memosearch.h"
#include "search/searchoptions.h"
#include "search/ui/searchdialogs.h"

namespace quorel {

class TSearchCommands {
 public:
  explicit TSearchCommands(TMainParts& parts);
  ~TSearchCommands();

  void AddCommands();
  void Find1Click();
  void FindNext1Click();
  void Replace1Click();
  // The options are read at start and written at exit with the window's settings.
  void ReadSettings();
  void WriteSettings();

  TSearchOptions SearchOptions1;
  std::unique_ptr<TSearchDialogs> SearchDialogs1;
  std::unique_ptr<TMemoSearch> Search1;

 private:
  TMainParts& parts_;
};

}  // namespace quorel
