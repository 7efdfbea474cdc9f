// TSearchDialogBase: what the Find and Replace dialogs share: the text box, the option boxes,
// direction, scope and origin, and a modal, fixed, screen-centred form.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "search/searchoptions.h"
#include "search/ui/vrelhistoryeditor.h"

namespace quorel {

class TSearchDialogBase : public QDialog {
  Q_OBJECT

 public:
  // The controls, in tab order.
  TVrelHistoryEditor* SearText = nullptr;
  TVrelHistoryEditor* ReplText = nullptr;  // the Replace dialog's only
  QCheckBox* CaseSensitive = nullptr;
  QCheckBox* WholeWordsOnly = nullptr;
  QCheckBox* RegularExpressions = nullptr;
  QCheckBox* PromptOnReplace = nullptr;  // the Replace dialog's only
  QRadioButton* Forward = nullptr;
  QRadioButton* Backward = nullptr;
  QRadioButton* Global = nullptr;
  QRadioButton* SelectedText = nullptr;
  QRadioButton* FromCursor = nullptr;
  QRadioButton* EntireScope = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* HelpBtn = nullptr;  // never shown

  // Shows the options in the controls.
  virtual void ShowOptions(const TSearchOptions& options);
  // Takes the controls' values into the options.
  virtual void TakeOptions(TSearchOptions& options) const;

  // Where the history boxes keep their lists.
  platform::ISettings* const Settings;

 protected:
  TSearchDialogBase(const QString& formName, const QString& title, platform::ISettings* settings,
                    QWidget* parent);
  // Builds the controls into `page`; the Replace dialog passes its extra ones.
  void BuildControls(QWidget* page, bool replace);
  // The button row, right-aligned: OK, `middle` when given, Cancel; the hidden help button
  // leaves no gap.
  QHBoxLayout* BuildButtons(QPushButton* middle = nullptr);
  // Fixed size, centred on the screen.
  void FinishLayout();
};

}  // namespace quorel
