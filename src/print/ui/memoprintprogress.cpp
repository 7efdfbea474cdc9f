// The progress window's labels, bar and Cancel button.
#include "print/ui/memoprintprogress.h"

#include "platform/qt/placement.h"
#include "print/pagelayout.h"

namespace quorel {

namespace {
constexpr int kWidth = 320;
constexpr int kMargin = 8;
constexpr int kGap = 2;
}  // namespace

TMemoPrintProgress::TMemoPrintProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint) {
  setWindowTitle("Printing Status");
  setObjectName("MemoPrintProgress");
  Panel1 = new QWidget(this);
  PrinterLabel = new QLabel(kSearchingPrinters, Panel1);
  FileLabel = new QLabel(Panel1);
  ProgressLabel = new QLabel(kCalculatingPages, Panel1);
  for (QLabel* label : {PrinterLabel, FileLabel, ProgressLabel}) label->setWordWrap(true);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setRange(0, 1);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  CancelBut = new QPushButton("Cancel", this);
  connect(CancelBut, &QPushButton::clicked, this, [this] { CancelButClick(); });
  Relayout();
}

void TMemoPrintProgress::SetPrinterText(const std::string& text) {
  PrinterLabel->setText(QString::fromStdString(text));
  Relayout();
}

void TMemoPrintProgress::SetFileText(const std::string& text) {
  FileLabel->setText(QString::fromStdString(text));
  Relayout();
}

void TMemoPrintProgress::SetProgressText(const std::string& text) {
  ProgressLabel->setText(QString::fromStdString(text));
}

void TMemoPrintProgress::SetPageCount(int pages) {
  ProgressBar1->setRange(0, std::max(kStepsPerPage * pages, 1));
  ProgressBar1->setValue(0);
  Relayout();
}

void TMemoPrintProgress::Step() {
  if (ProgressBar1->value() < ProgressBar1->maximum())
    ProgressBar1->setValue(ProgressBar1->value() + 1);
}

void TMemoPrintProgress::Relayout() {
  // The labels wrap at the window's width; each is as high as its wrapped text.
  const int inner = kWidth - 2 * kMargin;
  int y = 0;
  for (QLabel* label : {PrinterLabel, FileLabel, ProgressLabel}) {
    int height = std::max(label->heightForWidth(inner), label->fontMetrics().height());
    label->setGeometry(0, y, inner, height);
    y += height + kGap;
  }
  const int panelEnd = ProgressLabel->geometry().bottom() + 1;
  Panel1->setGeometry(kMargin, kMargin, inner, panelEnd);
  const int barTop = kMargin + panelEnd + kGap;
  ProgressBar1->setGeometry(kMargin, barTop, inner, 16);
  const int buttonTop = barTop + 16 + kGap;
  const int buttonWidth = 81;
  CancelBut->setGeometry((kWidth - buttonWidth) / 2, buttonTop, buttonWidth, 25);
  setFixedSize(kWidth, buttonTop + 25 + kGap);
}

void TMemoPrintProgress::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  platform::CentreOnScreen(*this);
}

}  // namespace quorel
