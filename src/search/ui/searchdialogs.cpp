// TSearchDialogs: each command gets a new modal dialog showing the options it is given.
#include "search/ui/searchdialogs.h"

#include <QApplication>

#include "search/ui/repldialog.h"
#include "search/ui/srchdialog.h"

namespace quorel {

bool TSearchDialogs::ExecuteFind(TCustomMemoSource& store, TSearchOptions& options) {
  TSrchDialog dialog(settings_, parent_);
  dialog.ShowOptions(options);
  if (OnCreateDialog) OnCreateDialog(store, dialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.TakeOptions(options);
  return true;
}

ISearchDialogs::TResult TSearchDialogs::ExecuteReplace(TCustomMemoSource& store,
                                                       TSearchOptions& options) {
  TReplDialog dialog(settings_, parent_);
  dialog.ShowOptions(options);
  if (OnCreateDialog) OnCreateDialog(store, dialog);
  const int result = dialog.exec();
  if (result == QDialog::Rejected) return drCancel;
  dialog.TakeOptions(options);
  return result == TReplDialog::kReplaceAllResult ? drAll : drOk;
}

void AttachSearchDialogs(TMemoSearch& search, TSearchDialogs& dialogs) {
  search.SetSearchDialogs(&dialogs);
  search.OnBusy = [](bool busy) {
    if (busy)
      QApplication::setOverrideCursor(Qt::WaitCursor);
    else
      QApplication::restoreOverrideCursor();
  };
}

}  // namespace quorel
