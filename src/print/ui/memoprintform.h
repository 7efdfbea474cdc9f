// The "Print" options dialog: what to print (the file or the selected block), how, and the left
// margin; "Se&tup..." opens the printer setup.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <string>

#include "print/printoptions.h"

namespace quorel {

class TMemoPrintForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMemoPrintForm(QWidget* parent = nullptr);

  // Sets the check boxes from `options`; "&Print selected block" is enabled and checked exactly
  // when there is a selection. The margin box starts empty.
  void ShowOptions(TVrelPrintOptions options, bool hasSelection, const std::string& fileName);
  // The seven check boxes as options, and the margin box read as pixels.
  TVrelPrintOptions Options() const;
  int Indent() const;

  // "Se&tup...": runs the printer setup dialog (the printing code supplies it).
  std::function<void()> OnSetup;
  void SetupButClick();
  // OK: the choices stand and the dialog closes.
  void OkButClick();

  QGroupBox* GroupBox1;  // "File To Print:"
  QLabel* FileNameLabel;
  QCheckBox* PrintSelCheck;
  QGroupBox* GroupBox2;  // "Options:"
  QCheckBox* WrapLinesCheck;
  QCheckBox* InColorCheck;
  QCheckBox* HeaderCheck;
  QCheckBox* LineNumbersCheck;
  QCheckBox* SyntaxCheck;
  QCheckBox* ProgressCheck;
  QLabel* LeftMarginLabel;
  QLineEdit* LeftMarginEdit;
  QPushButton* SetupBut;
  QPushButton* OkBut;
  QPushButton* CancelBut;
  QPushButton* HelpBut;  // kept hidden

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace quorel
