// The Qt printer: a QPrinter for real printers and the setup dialog; PDF output is painted into
// memory and then written with the one safe write, so a failed print never leaves half a file.
#include "platform/qt/qtprinter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/fileerror.h"
#include "platform/safewrite.h"

namespace quorel::platform {

namespace {

class TQtPrinter : public IPrinter {
 public:
  TQtPrinter(IFileSystem& files, bool pdfOnly) : files_(files), printer_(QPrinter::HighResolution) {
    if (pdfOnly || QPrinterInfo::availablePrinterNames().isEmpty()) {
      printer_.setOutputFormat(QPrinter::PdfFormat);
      printer_.setPageSize(QPageSize(QPageSize::A4));
    }
  }

  std::string Name() const override {
    if (!PrintsToFile()) return printer_.printerName().toStdString();
    std::string file = OutputFile();
    return file.empty() ? "PDF file" : "PDF file " + file;
  }
  bool PrintsToFile() const override { return printer_.outputFormat() == QPrinter::PdfFormat; }
  std::string OutputFile() const override { return printer_.outputFileName().toStdString(); }
  void SetOutputFile(const std::string& path) override {
    printer_.setOutputFileName(QString::fromStdString(path));
  }
  int DpiX() const override { return printer_.logicalDpiX(); }
  int DpiY() const override { return printer_.logicalDpiY(); }
  int PageWidth() const override { return printer_.width(); }
  int PageHeight() const override { return printer_.height(); }

  QPainter* BeginDocument(const std::string& title) override {
    error_.clear();
    printer_.setDocName(QString::fromStdString(title));
    if (!PrintsToFile()) {
      if (!painter_.begin(&printer_)) return Failed("The printer " + Name() + " cannot print.");
      return &painter_;
    }
    if (OutputFile().empty()) return Failed("No file to print to was given.");
    pdfData_.clear();
    buffer_ = std::make_unique<QBuffer>(&pdfData_);
    buffer_->open(QIODevice::WriteOnly);
    pdf_ = std::make_unique<QPdfWriter>(buffer_.get());
    pdf_->setResolution(printer_.resolution());
    pdf_->setPageLayout(printer_.pageLayout());
    pdf_->setTitle(QString::fromStdString(title));
    pdf_->setCreator("Quorel");
    if (!painter_.begin(pdf_.get())) return Failed("The PDF file cannot be made.");
    return &painter_;
  }

  bool NewPage() override {
    if (pdf_) return pdf_->newPage();
    return printer_.newPage();
  }

  bool EndDocument() override {
    if (painter_.isActive()) painter_.end();
    if (!pdf_) return true;
    pdf_.reset();
    buffer_.reset();
    try {
      SafeWriteFile(files_, OutputFile(),
                    std::string_view(pdfData_.constData(), static_cast<size_t>(pdfData_.size())));
    } catch (const EFileError& e) {
      error_ = "Cannot write " + OutputFile() + ": " + e.what();
    }
    pdfData_.clear();
    return error_.empty();
  }
  void AbortDocument() override {
    if (painter_.isActive()) painter_.end();
    if (!pdf_) {
      printer_.abort();
      return;
    }
    pdf_.reset();
    buffer_.reset();
    pdfData_.clear();
  }
  std::string ErrorText() const override { return error_; }

  bool Setup(QWidget* parent) override {
    // Qt's dialog lists the installed printers and always offers printing into a PDF file.
    QPrintDialog dialog(&printer_, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
  }

 private:
  QPainter* Failed(const std::string& text) {
    error_ = text;
    return nullptr;
  }

  IFileSystem& files_;
  QPrinter printer_;
  QPainter painter_;
  QByteArray pdfData_;
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QPdfWriter> pdf_;
  std::string error_;
};

}  // namespace

std::unique_ptr<IPrinter> MakeQtPrinter(IFileSystem& files) {
  return std::make_unique<TQtPrinter>(files, false);
}

std::unique_ptr<IPrinter> MakePdfPrinter(IFileSystem& files, const std::string& path) {
  auto printer = std::make_unique<TQtPrinter>(files, true);
  printer->SetOutputFile(path);
  return printer;
}

}  // namespace quorel::platform
