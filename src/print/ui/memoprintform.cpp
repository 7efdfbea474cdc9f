// The "Print" dialog's controls and how they map to the print options.
#include "print/ui/memoprintform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/placement.h"
#include "print/pagelayout.h"

namespace quorel {

TMemoPrintForm::TMemoPrintForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle("Print");
  setObjectName("MemoPrintForm");

  GroupBox1 = new QGroupBox("File To Print:", this);
  FileNameLabel = new QLabel(GroupBox1);
  FileNameLabel->setWordWrap(true);
  FileNameLabel->setMinimumWidth(300);
  PrintSelCheck = new QCheckBox("&Print selected block", GroupBox1);
  auto* fileBox = new QVBoxLayout(GroupBox1);
  fileBox->addWidget(FileNameLabel);
  fileBox->addWidget(PrintSelCheck);

  GroupBox2 = new QGroupBox("Options:", this);
  WrapLinesCheck = new QCheckBox("&Wrap lines", GroupBox2);
  InColorCheck = new QCheckBox("Use &color", GroupBox2);
  HeaderCheck = new QCheckBox("Header/page &number", GroupBox2);
  LineNumbersCheck = new QCheckBox("&Line numbers", GroupBox2);
  SyntaxCheck = new QCheckBox("&Syntax print", GroupBox2);
  ProgressCheck = new QCheckBox("Show print &progress", GroupBox2);
  LeftMarginLabel = new QLabel("Left &margin:", GroupBox2);
  LeftMarginEdit = new QLineEdit(GroupBox2);
  LeftMarginEdit->setMaximumWidth(60);
  LeftMarginLabel->setBuddy(LeftMarginEdit);
  auto* options = new QGridLayout(GroupBox2);
  options->addWidget(WrapLinesCheck, 0, 0);
  options->addWidget(InColorCheck, 1, 0);
  options->addWidget(HeaderCheck, 2, 0);
  options->addWidget(LineNumbersCheck, 0, 1);
  options->addWidget(SyntaxCheck, 1, 1);
  options->addWidget(ProgressCheck, 2, 1);
  auto* margin = new QHBoxLayout;
  margin->addWidget(LeftMarginLabel);
  margin->addWidget(LeftMarginEdit);
  margin->addStretch();
  options->addLayout(margin, 3, 0, 1, 2);

  SetupBut = new QPushButton("Se&tup...", this);
  OkBut = new QPushButton("OK", this);
  OkBut->setDefault(true);
  CancelBut = new QPushButton("Cancel", this);
  HelpBut = new QPushButton("&Help", this);
  HelpBut->hide();  // the buttons close up to the right without it
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(SetupBut);
  buttons->addWidget(OkBut);
  buttons->addWidget(CancelBut);
  buttons->addWidget(HelpBut);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addWidget(GroupBox2);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog border

  connect(SetupBut, &QPushButton::clicked, this, [this] { SetupButClick(); });
  connect(OkBut, &QPushButton::clicked, this, [this] { OkButClick(); });
  connect(CancelBut, &QPushButton::clicked, this, &QDialog::reject);
}

void TMemoPrintForm::ShowOptions(TVrelPrintOptions options, bool hasSelection,
                                 const std::string& fileName) {
  FileNameLabel->setText(QString::fromStdString(PrintTitle(fileName, false)));
  PrintSelCheck->setEnabled(hasSelection);
  PrintSelCheck->setChecked(hasSelection);
  WrapLinesCheck->setChecked(options.Contains(poWrapLines));
  InColorCheck->setChecked(options.Contains(poInColor));
  HeaderCheck->setChecked(options.Contains(poPrintHeader));
  LineNumbersCheck->setChecked(options.Contains(poLineNumbers));
  SyntaxCheck->setChecked(options.Contains(poPrintSyntax));
  ProgressCheck->setChecked(options.Contains(poShowProgress));
  LeftMarginEdit->clear();
}

TVrelPrintOptions TMemoPrintForm::Options() const {
  TVrelPrintOptions options;
  options.Set(poWrapLines, WrapLinesCheck->isChecked());
  options.Set(poInColor, InColorCheck->isChecked());
  options.Set(poPrintSel, PrintSelCheck->isEnabled() && PrintSelCheck->isChecked());
  options.Set(poPrintHeader, HeaderCheck->isChecked());
  options.Set(poLineNumbers, LineNumbersCheck->isChecked());
  options.Set(poPrintSyntax, SyntaxCheck->isChecked());
  options.Set(poShowProgress, ProgressCheck->isChecked());
  return options;
}

int TMemoPrintForm::Indent() const {
  return ReadPrintIndent(LeftMarginEdit->text().trimmed().toStdString());
}

void TMemoPrintForm::SetupButClick() {
  if (OnSetup) OnSetup();
}

void TMemoPrintForm::OkButClick() { accept(); }

void TMemoPrintForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::CentreOnScreen(*this);
}

}  // namespace quorel
