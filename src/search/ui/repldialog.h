// TReplDialog: the "Replace Text" dialog.
#pragma once

#include "search/ui/searchdialogbase.h"

namespace quorel {

class TReplDialog : public TSearchDialogBase {
  Q_OBJECT

 public:
  // The result of closing with "Replace All".
  static constexpr int kReplaceAllResult = 2;

  explicit TReplDialog(platform::ISettings* settings = nullptr, QWidget* parent = nullptr);

  QPushButton* ReplaceAllBtn = nullptr;

  void ShowOptions(const TSearchOptions& options) override;
  // Also the replacement text and the prompt; ReplaceAll as the closing button says.
  void TakeOptions(TSearchOptions& options) const override;

  void OKBtnClick();
  void ReplaceAllBtnClick();

 private:
  bool all_ = false;
};

}  // namespace quorel
