// Page geometry and the texts of a print job, in integer arithmetic (multiplication before
// division) so that the same text always breaks into the same pages.
#include "print/pagelayout.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace quorel {

namespace {

int ScaleDown(int value, int numerator, int denominator) {
  if (denominator <= 0) return value;
  return static_cast<int>(static_cast<long long>(value) * numerator / denominator);
}

}  // namespace

TPageLayout ComputePageLayout(const TPrinterMetrics& printer, const TScreenMetrics& screen,
                              bool header) {
  TPageLayout layout;
  const int lineHeight = std::max(screen.LineHeight, 1);
  const int charWidth = std::max(screen.CharWidth, 1);
  layout.HeaderHeight = ScaleDown(lineHeight, printer.DpiY, screen.DpiY);
  layout.PageW = ScaleDown(printer.PageWidth, screen.DpiX, printer.DpiX);
  layout.PageH = ScaleDown(printer.PageHeight, screen.DpiY, printer.DpiY);
  if (screen.MonoFont) {
    layout.PageW -= layout.PageW % charWidth;
    layout.PageH -= layout.PageH % lineHeight;
  }
  layout.Dest = {0, lineHeight, printer.PageWidth, printer.PageHeight};
  if (header) {
    layout.PageH -= lineHeight;
    layout.Dest.Top += layout.HeaderHeight;
  }
  layout.PageW = std::max(layout.PageW, charWidth);
  layout.PageH = std::max(layout.PageH, lineHeight);
  layout.LinesPerPage = layout.PageH / lineHeight;
  return layout;
}

int MonoPageCount(int rows, int lineHeight, int pageH) {
  if (rows <= 0 || pageH <= 0) return 0;
  long long height = static_cast<long long>(rows) * std::max(lineHeight, 1);
  return static_cast<int>((height + pageH - 1) / pageH);
}

int SteppedPageCount(int lastRow, const std::function<int(int top)>& rowsPerPage) {
  int pages = 1;
  for (int top = 0;;) {
    // A page always moves on by at least one row, so the count ends.
    int next = top + std::max(rowsPerPage(top), 1);
    if (lastRow < next) break;
    top = next;
    ++pages;
  }
  return pages;
}

int ReadPrintIndent(const std::string& text) {
  int value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (!text.empty() && *first == '+') ++first;
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return 0;
  return std::max(value, 0);
}

TCloneIndent CloneLeftIndent(bool viewHasLeftIndent, int viewLeftIndent, int printIndent) {
  if (viewHasLeftIndent) return {true, viewLeftIndent};
  if (printIndent != 0) return {true, printIndent};
  return {};
}

std::string PrintTitle(const std::string& fileName, bool selectionOnly) {
  if (selectionOnly) return "<Selected block>";
  return fileName.empty() ? "<Unknown>" : fileName;
}

std::string PageHeaderText(int page, int pageCount) {
  return "Page " + std::to_string(page) + "/" + std::to_string(pageCount);
}

int PageNumberLeft(int pageWidth, int textWidth, int textLength) {
  int average = textLength > 0 ? textWidth / textLength : 0;
  return pageWidth - textWidth - average;
}

std::string PrinterLine(const std::string& printerName) {
  return "Printing on printer " + printerName;
}

std::string ProgressLine(int page, const std::string& pageCount) {
  return "Printing page " + std::to_string(page) + " from " + pageCount;
}

}  // namespace quorel
