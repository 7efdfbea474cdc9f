// The arithmetic of a print job: how big a page picture is in screen pixels, where it lands on
// the printer page, how many pages the text needs, and the texts the job shows.
#pragma once

#include <functional>
#include <string>

namespace quorel {

// The printer page, in printer pixels.
struct TPrinterMetrics {
  int DpiX = 600;
  int DpiY = 600;
  int PageWidth = 0;
  int PageHeight = 0;
};

// The printing view: its screen resolution and the size of one character cell.
struct TScreenMetrics {
  int DpiX = 96;
  int DpiY = 96;
  int LineHeight = 16;
  int CharWidth = 8;
  bool MonoFont = true;  // page sizes are rounded down to whole characters and rows
};

struct TPageRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

struct TPageLayout {
  int PageW = 0;         // the page picture, in screen pixels
  int PageH = 0;         // the text area of the picture (without the header line)
  int HeaderHeight = 0;  // one screen line scaled to the printer, in printer pixels
  TPageRect Dest;        // where the picture is stretched on the printer page
  int LinesPerPage = 0;
};

// The page picture and its place on the printer page. A page picture always holds at least one
// character and one row, so a font taller than the page still prints (clipped) instead of
// dividing by zero.
TPageLayout ComputePageLayout(const TPrinterMetrics& printer, const TScreenMetrics& screen,
                              bool header);

// Pages for `rows` display rows of `lineHeight` pixels on pages `pageH` high (rounded up).
int MonoPageCount(int rows, int lineHeight, int pageH);

// Pages counted by stepping a view down: from row 0, each page shows `rowsPerPage(top)` rows;
// a page starts as long as the last row lies at or below its top.
int SteppedPageCount(int lastRow, const std::function<int(int top)>& rowsPerPage);

// The left margin typed in the print dialog: a decimal number of pixels; empty text, anything
// that is not a number, and a negative number all count as 0.
int ReadPrintIndent(const std::string& text);

// The left indent a printing copy of a view gets: the view's own when it has one, otherwise the
// margin asked for (none when that is 0).
struct TCloneIndent {
  bool UseIndent = false;
  int Indent = 0;
};
TCloneIndent CloneLeftIndent(bool viewHasLeftIndent, int viewLeftIndent, int printIndent);

// The header's title: the file name, "<Unknown>" without one, "<Selected block>" for a selection.
std::string PrintTitle(const std::string& fileName, bool selectionOnly);
// "Page %d/%d", counted from 1.
std::string PageHeaderText(int page, int pageCount);
// Where the page number starts: one average character width in from the right edge.
int PageNumberLeft(int pageWidth, int textWidth, int textLength);

// The progress window's lines.
std::string PrinterLine(const std::string& printerName);           // "Printing on printer %s"
std::string ProgressLine(int page, const std::string& pageCount);  // "Printing page %d from %s"
inline constexpr const char* kSearchingPrinters = "Searching printers ...";
inline constexpr const char* kCalculatingPages = "Printing pages:    calculation ...";
inline constexpr const char* kUnknownPageCount = " ... ";
// The progress bar moves four steps a page.
inline constexpr int kStepsPerPage = 4;

}  // namespace quorel
