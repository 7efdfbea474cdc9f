// TSearchDialogs: shows the Find and Replace dialogs for a search, and the busy pointer.
#pragma once

#include <QDialog>
#include <functional>

#include "search/memosearch.h"

namespace quorel {

class TSearchDialogs : public ISearchDialogs {
 public:
  // The dialogs' history boxes keep their lists in `settings`.
  explicit TSearchDialogs(QWidget* parent = nullptr, platform::ISettings* settings = nullptr)
      : parent_(parent), settings_(settings) {}

  // Called for each dialog after it is created and before it is shown.
  std::function<void(TCustomMemoSource&, QDialog&)> OnCreateDialog;

  bool ExecuteFind(TCustomMemoSource& store, TSearchOptions& options) override;
  TResult ExecuteReplace(TCustomMemoSource& store, TSearchOptions& options) override;

 private:
  QWidget* parent_;
  platform::ISettings* settings_;
};

// Wires a search to this dialogs object and to the hourglass pointer while it works.
void AttachSearchDialogs(TMemoSearch& search, TSearchDialogs& dialogs);

}  // namespace quorel
