// TSrchDialog: the "Find Text" dialog.
#pragma once

#include <QLineEdit>
#include <QTabWidget>

#include "search/ui/searchdialogbase.h"

namespace quorel {

class TSrchDialog : public TSearchDialogBase {
  Q_OBJECT

 public:
  explicit TSrchDialog(platform::ISettings* settings = nullptr, QWidget* parent = nullptr);

  QTabWidget* Pages = nullptr;
  // The "Find in Files" page: built, never shown.
  QWidget* FindInFilesPage = nullptr;
  QLineEdit* FileMask = nullptr;
  QCheckBox* IncludeSubDirs = nullptr;

  // OK: the options are taken and the history saved.
  void OKBtnClick();
};

}  // namespace quorel
