// The printer a print job goes to: the current printer, or a PDF file when none is installed.
// It says what the page measures, hands out a painter over the pages and runs the setup dialog.
#pragma once

#include <memory>
#include <string>

class QPainter;
class QWidget;

namespace quorel::platform {

class IFileSystem;

class IPrinter {
 public:
  virtual ~IPrinter() = default;

  // The printer's name as the progress window shows it.
  virtual std::string Name() const = 0;
  // Pages go into a PDF file (no printer is installed, or the setup dialog chose a file).
  virtual bool PrintsToFile() const = 0;
  virtual std::string OutputFile() const = 0;
  virtual void SetOutputFile(const std::string& path) = 0;
  // Dots per inch and the printable page, in printer pixels.
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  // Starts a document on the first page; the painter lives until EndDocument. Null when the
  // printer cannot start one.
  virtual QPainter* BeginDocument(const std::string& title) = 0;
  virtual bool NewPage() = 0;
  // Ends the document and sends it off; a PDF file is written whole or not at all. False (with
  // ErrorText) when that failed.
  virtual bool EndDocument() = 0;
  // Ends a document that got no page: nothing is printed, and no PDF file is written.
  virtual void AbortDocument() = 0;
  virtual std::string ErrorText() const = 0;
  // The printer setup dialog (printer, paper, orientation, or a PDF file); false when cancelled.
  virtual bool Setup(QWidget* parent) = 0;
};

// The system's default printer; without one, a PDF file whose name is still to be given.
std::unique_ptr<IPrinter> MakeQtPrinter(IFileSystem& files);
// A PDF file at `path` on A4 paper, whatever printers exist.
std::unique_ptr<IPrinter> MakePdfPrinter(IFileSystem& files, const std::string& path);

}  // namespace quorel::platform
