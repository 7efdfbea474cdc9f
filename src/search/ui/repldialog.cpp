// TReplDialog: the text to find, its replacement and the options; OK or Replace All.
#include "search/ui/repldialog.h"

namespace quorel {

TReplDialog::TReplDialog(platform::ISettings* settings, QWidget* parent)
    : TSearchDialogBase("ReplDialog", "Replace Text", settings, parent) {
  auto* layout = new QVBoxLayout(this);
  auto* page = new QWidget(this);
  BuildControls(page, true);
  layout->addWidget(page);
  ReplaceAllBtn = new QPushButton("Replace &All", this);
  layout->addLayout(BuildButtons(ReplaceAllBtn));
  connect(OKBtn, &QPushButton::clicked, this, &TReplDialog::OKBtnClick);
  connect(ReplaceAllBtn, &QPushButton::clicked, this, &TReplDialog::ReplaceAllBtnClick);
  FinishLayout();
}

void TReplDialog::ShowOptions(const TSearchOptions& o) {
  TSearchDialogBase::ShowOptions(o);
  ReplText->SetText(o.ReplaceWith());
  PromptOnReplace->setChecked(o.PromptOnReplace());
}

void TReplDialog::TakeOptions(TSearchOptions& o) const {
  TSearchDialogBase::TakeOptions(o);
  o.SetReplaceWith(ReplText->Text());
  o.SetPromptOnReplace(PromptOnReplace->isChecked());
  o.SetReplaceAll(all_);
}

void TReplDialog::OKBtnClick() {
  all_ = false;
  SearText->AddCurrentText();
  ReplText->AddCurrentText();
  SearText->SaveHistory();
  ReplText->SaveHistory();
  accept();
}

void TReplDialog::ReplaceAllBtnClick() {
  all_ = true;
  SearText->AddCurrentText();
  ReplText->AddCurrentText();
  SearText->SaveHistory();
  ReplText->SaveHistory();
  done(kReplaceAllResult);
}

}  // namespace quorel
