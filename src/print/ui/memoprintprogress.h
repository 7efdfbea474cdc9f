// The "Printing Status" window shown while a job prints: the printer, the title, the page being
// printed, a bar of four steps a page, and Cancel, which only records the request.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <string>

namespace quorel {

class TMemoPrintProgress : public QDialog {
  Q_OBJECT

 public:
  explicit TMemoPrintProgress(QWidget* parent = nullptr);

  void SetPrinterText(const std::string& text);
  void SetFileText(const std::string& text);
  void SetProgressText(const std::string& text);
  // Once the page count is known: the bar's maximum, and the window laid out again so the bar
  // sits 2 pixels under the progress line, Cancel 2 under the bar and the edge 2 under Cancel.
  void SetPageCount(int pages);
  void Step();
  bool Cancelled() const { return cancelled_; }
  void CancelButClick() { cancelled_ = true; }

  QWidget* Panel1;  // the labels
  QLabel* PrinterLabel;
  QLabel* FileLabel;
  QLabel* ProgressLabel;
  QProgressBar* ProgressBar1;
  QPushButton* CancelBut;

 protected:
  void showEvent(QShowEvent* event) override;
  // Closing the window asks to cancel, as the button does.
  void reject() override { CancelButClick(); }

 private:
  void Relayout();
  bool cancelled_ = false;
};

}  // namespace quorel
