// The selection as a string list: one entry per selected line, holding its selected part.
#pragma once

#include "engine/strings.h"

namespace quorel {

class TCustomMemoSource;

class TSelectionStrings : public TStrings {
 public:
  explicit TSelectionStrings(TCustomMemoSource& store) : store_(store) {}

  int Count() const override;
  std::string Get(int i) const override;
  // Only reading and clearing make sense for a selection.
  void Put(int, const std::string&) override {}
  void Insert(int, const std::string&) override {}
  void Delete(int) override {}
  // Deletes the selected text.
  void Clear() override;
  // The stored text of the selection (tabs kept), lines joined by CR LF.
  std::string Text() const override;

 private:
  TCustomMemoSource& store_;
};

}  // namespace quorel
