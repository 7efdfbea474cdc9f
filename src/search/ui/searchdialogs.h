// TSearchDialogs: shows the Find and Replace dialogs for a search, and the busy pointer.
#pragma once

#include <QDialog>
#include <functional>

#include "search/memosearch.h"

namespace quorel {

class TSearchDialogs : public ISearchDialogs {
 public:
  explicit TSearchDialogs(QWidget* parent = nullptr) : parent_(parent) {}

  // Called for each dialog after it is created and before it is shown.
  std::function<void(TCustomMemoSource&, QDialog&)> OnCreateDialog;

  bool ExecuteFind(TCustomMemoSource& store, TSearchOptions& options) override;
  TResult ExecuteReplace(TCustomMemoSource& store, TSearchOptions& options) override;

 private:
  QWidget* parent_;
};

// Wires a search to this dialogs object and to the hourglass pointer while it works.
void AttachSearchDialogs(TMemoSearch& search, TSearchDialogs& dialogs);

}  // namespace quorel
