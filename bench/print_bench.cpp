// Printing a long document into a PDF file: pages per second over a document of about 1,000
// pages, and the time of its last page against its first (the printing copy scrolls on from
// page to page, so the last page must cost what the first does).
//
// Built by the release preset, run by hand (no display needed):
//   ./build/release/bin/print_bench
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "htmlgen.h"
#include "platform/qt/qtprinter.h"
#include "platform/stdfilesystem.h"
#include "print/ui/memoprint.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"
#include "view/vrelmemo.h"

namespace {

using namespace quorel;

// Passes everything to a real printer, and notes when each page starts.
class TTimedPrinter : public platform::IPrinter {
 public:
  explicit TTimedPrinter(std::unique_ptr<platform::IPrinter> printer)
      : printer_(std::move(printer)) {}
  std::vector<qint64> Starts;  // nanoseconds since the document began, one per page
  qint64 EndedAt = 0;

  std::string Name() const override { return printer_->Name(); }
  bool PrintsToFile() const override { return printer_->PrintsToFile(); }
  std::string OutputFile() const override { return printer_->OutputFile(); }
  void SetOutputFile(const std::string& path) override { printer_->SetOutputFile(path); }
  int DpiX() const override { return printer_->DpiX(); }
  int DpiY() const override { return printer_->DpiY(); }
  int PageWidth() const override { return printer_->PageWidth(); }
  int PageHeight() const override { return printer_->PageHeight(); }
  QPainter* BeginDocument(const std::string& title) override {
    clock_.start();
    Starts.push_back(0);
    return printer_->BeginDocument(title);
  }
  bool NewPage() override {
    Starts.push_back(clock_.nsecsElapsed());
    return printer_->NewPage();
  }
  bool EndDocument() override {
    // Painting is done here; the PDF file is written after.
    EndedAt = clock_.nsecsElapsed();
    return printer_->EndDocument();
  }
  void AbortDocument() override { printer_->AbortDocument(); }
  std::string ErrorText() const override { return printer_->ErrorText(); }
  bool Setup(QWidget* parent) override { return printer_->Setup(parent); }

 private:
  std::unique_ptr<platform::IPrinter> printer_;
  QElapsedTimer clock_;
};

void BM_PrintThousandPages(benchmark::State& state) {
  const bool header = state.range(0) != 0;
  // The main window's view: proportional font, long lines wrapped at the page width.
  const bool mainView = state.range(1) != 0;
  TSyntaxParser parser;
  BuildHtmlScheme(parser.SyntaxScheme());
  parser.SetDefaultAttr(HtmlDefaultAttr());
  TVrelMemo view;
  // 73,000 generated lines fill 1,000 A4 pages of 8-point text.
  view.MemoSource().LoadFromBuffer(bench::CachedHtml(73'000));
  view.MemoSource().SetSyntaxParser(&parser);
  TFont font;
  font.SetSize(8);
  view.SetFont(font);
  view.PrintOptions = {poInColor, poPrintSyntax};
  view.PrintOptions.Set(poPrintHeader, header);
  view.PrintOptions.Set(poWrapLines, mainView);
  view.UseMonoFont = !mainView;
  platform::TStdFileSystem files;
  const std::string pdf =
      (std::filesystem::temp_directory_path() / "quorel-print-bench.pdf").string();
  TPrintResult result;
  TTimedPrinter* timed = nullptr;
  for (auto _ : state) {
    auto printer = std::make_unique<TTimedPrinter>(platform::MakePdfPrinter(files, pdf));
    timed = printer.get();
    QElapsedTimer whole;
    whole.start();
    result = PrintDocument(view, *printer);
    state.SetIterationTime(static_cast<double>(whole.nsecsElapsed()) / 1e9);
    const std::vector<qint64>& s = timed->Starts;
    const int n = static_cast<int>(s.size());
    auto pageMs = [&](int i) {
      return static_cast<double>((i + 1 < n ? s[static_cast<size_t>(i) + 1] : timed->EndedAt) -
                                 s[static_cast<size_t>(i)]) /
             1e6;
    };
    // The first and last ten pages, so a single slow page does not decide.
    double first = 0, last = 0;
    for (int i = 0; i < 10 && i < n; ++i) {
      first += pageMs(i) / 10;
      last += pageMs(n - 1 - i) / 10;
    }
    state.counters["pages"] = result.PagesPrinted;
    state.counters["pages_per_s"] =
        result.PagesPrinted / (static_cast<double>(timed->EndedAt) / 1e9);
    state.counters["first_pages_ms"] = first;
    state.counters["last_pages_ms"] = last;
    state.counters["pdf_MB"] =
        static_cast<double>(std::filesystem::file_size(pdf)) / (1024.0 * 1024.0);
    printer.reset();
  }
  std::filesystem::remove(pdf);
  view.MemoSource().SetSyntaxParser(nullptr);
}
BENCHMARK(BM_PrintThousandPages)
    ->ArgNames({"header", "main_view"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace
