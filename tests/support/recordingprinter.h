// A printer for tests: each page is painted into an image of the page's size, and every step
// of the job is recorded, so a test can look at the pages and at what the job asked for.
#pragma once

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/qtprinter.h"

namespace quorel::test {

class TRecordingPrinter : public platform::IPrinter {
 public:
  // A page of `width` by `height` printer pixels at `dpi` dots per inch.
  TRecordingPrinter(int dpi, int width, int height) : dpi_(dpi), width_(width), height_(height) {}

  std::string PrinterName = "Test Printer";
  bool ToFile = false;  // behaves as if no printer were installed
  bool FailToStart = false;
  bool SetupAnswer = true;
  int SetupCalls = 0;
  int Begun = 0;
  int Ended = 0;
  int Aborted = 0;
  std::string Title;
  std::vector<QImage> Pages;
  // Called as each page starts being painted (page counted from 0).
  std::function<void(int page)> OnPageStarted;
  // Called as the document ends, while the job still exists.
  std::function<void()> OnEnded;

  std::string Name() const override { return PrinterName; }
  bool PrintsToFile() const override { return ToFile; }
  std::string OutputFile() const override { return file_; }
  void SetOutputFile(const std::string& path) override { file_ = path; }
  int DpiX() const override { return dpi_; }
  int DpiY() const override { return dpi_; }
  int PageWidth() const override { return width_; }
  int PageHeight() const override { return height_; }
  QPainter* BeginDocument(const std::string& title) override {
    if (FailToStart) return nullptr;
    ++Begun;
    Title = title;
    StartPage();
    return &painter_;
  }
  bool NewPage() override {
    painter_.end();
    StartPage();
    return true;
  }
  bool EndDocument() override {
    if (painter_.isActive()) painter_.end();
    ++Ended;
    if (OnEnded) OnEnded();
    return true;
  }
  void AbortDocument() override {
    if (painter_.isActive()) painter_.end();
    ++Aborted;
  }
  std::string ErrorText() const override { return FailToStart ? "The printer is off." : ""; }
  bool Setup(QWidget*) override {
    ++SetupCalls;
    return SetupAnswer;
  }

 private:
  void StartPage() {
    Pages.emplace_back(width_, height_, QImage::Format_RGB32);
    Pages.back().fill(Qt::white);
    painter_.begin(&Pages.back());
    if (OnPageStarted) OnPageStarted(static_cast<int>(Pages.size()) - 1);
  }

  int dpi_, width_, height_;
  std::string file_;
  QPainter painter_;
};

}  // namespace quorel::test
