// TSrchDialog: one visible page "Find" with the text box and the search options.
#include "search/ui/srchdialog.h"

#include <QFormLayout>

namespace quorel {

TSrchDialog::TSrchDialog(platform::ISettings* settings, QWidget* parent)
    : TSearchDialogBase("SrchDialog", "Find Text", settings, parent) {
  auto* layout = new QVBoxLayout(this);
  Pages = new QTabWidget(this);
  auto* findPage = new QWidget(Pages);
  BuildControls(findPage, false);
  Pages->addTab(findPage, "Find");

  // Kept with the form but never added to the tabs.
  FindInFilesPage = new QWidget(this);
  auto* files = new QFormLayout(FindInFilesPage);
  files->addRow("Text to find:", new QLineEdit(FindInFilesPage));
  QGroupBox* where = new QGroupBox("Where", FindInFilesPage);
  auto* whereLayout = new QVBoxLayout(where);
  for (const char* choice : {"Project files", "Open files", "Directories"})
    whereLayout->addWidget(new QRadioButton(choice, where));
  files->addRow(where);
  FileMask = new QLineEdit(FindInFilesPage);
  files->addRow("File mask:", FileMask);
  IncludeSubDirs = new QCheckBox("Include &subdirectories", FindInFilesPage);
  files->addRow(IncludeSubDirs);
  files->addRow(new QPushButton("&Browse...", FindInFilesPage));
  FindInFilesPage->hide();

  layout->addWidget(Pages);
  layout->addLayout(BuildButtons());
  connect(OKBtn, &QPushButton::clicked, this, &TSrchDialog::OKBtnClick);
  FinishLayout();
}

void TSrchDialog::OKBtnClick() {
  SearText->AddCurrentText();
  SearText->SaveHistory();
  accept();
}

}  // namespace quorel
