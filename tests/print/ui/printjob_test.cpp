// Print jobs on a view, offscreen, onto a printer that paints each page into an image: how many
// pages, what they show (lines, colours, header, margin), the selection, the progress window
// and cancelling, and the "Print" dialog's state and choices.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "print/pagelayout.h"
#include "print/ui/memoprint.h"
#include "print/ui/memoprintform.h"
#include "print/ui/memoprintprogress.h"
#include "support/qtapp.h"
#include "support/recordingprinter.h"
#include "support/scripteddialogs.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace quorel {
namespace {

QApplication& App() { return test::QtApp(); }

bool Blue(QRgb p) { return qBlue(p) > 200 && qRed(p) < 90 && qGreen(p) < 90; }
bool Gray(QRgb p) {
  return qRed(p) > 100 && qRed(p) < 160 && qAbs(qRed(p) - qBlue(p)) < 12 &&
         qAbs(qRed(p) - qGreen(p)) < 12;
}
bool Ink(QRgb p) { return qGray(p) < 160; }

int Count(const QImage& image, bool (*test)(QRgb), QRect area = {}) {
  if (area.isNull()) area = image.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
  return n;
}

// Bands of pixel rows holding ink: one per printed line of "xxxx" text (no ascenders or
// descenders, so lines never touch).
int InkBands(const QImage& image, int top = 0) {
  int bands = 0;
  bool inBand = false;
  for (int y = top; y < image.height(); ++y) {
    bool ink = false;
    for (int x = 0; x < image.width() && !ink; ++x) ink = qGray(image.pixel(x, y)) < 250;
    if (ink && !inBand) ++bands;
    inBand = ink;
  }
  return bands;
}

int FirstInkColumn(const QImage& image) {
  for (int x = 0; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y)
      if (Ink(image.pixel(x, y))) return x;
  return -1;
}

int FirstInkRow(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Ink(image.pixel(x, y))) return y;
  return -1;
}

struct PrintJob : ::testing::Test {
  TSyntaxParser parser;
  std::unique_ptr<TVrelMemo> view;
  TMemoPrintProgress* progress = nullptr;
  TMemoPrintForm* form = nullptr;

  void SetUp() override {
    App();
    BuildHtmlScheme(parser.SyntaxScheme());
    parser.SetDefaultAttr(HtmlDefaultAttr());
    view = std::make_unique<TVrelMemo>();
    view->resize(400, 300);
    view->UseMonoFont = true;
    view->MemoSource().SetSyntaxParser(&parser);
    view->OnCreateDialog = [this](TCustomVrelMemo&, QWidget& dialog) {
      if (auto* p = qobject_cast<TMemoPrintProgress*>(&dialog)) progress = p;
      if (auto* f = qobject_cast<TMemoPrintForm*>(&dialog)) form = f;
    };
  }
  void SetText(const std::string& text) { view->MemoSource().Lines().SetText(text); }
  void Lines(int n, const std::string& line = "xxxx xxx") {
    std::string text;
    for (int i = 0; i < n; ++i) text += line + "\r\n";
    SetText(text);
  }
  // A printer at screen resolution whose page holds `rows` whole rows (and a little more).
  std::unique_ptr<test::TRecordingPrinter> PrinterForRows(int rows, int width = 400) {
    int dpi = view->logicalDpiY();
    return std::make_unique<test::TRecordingPrinter>(
        dpi, width, rows * view->LineHeight() + view->LineHeight() / 2);
  }
};

TEST_F(PrintJob, HundredLinesAtFortyFiveAPageGiveThreePagesEachWithItsOwnLines) {
  Lines(100);
  auto printer = PrinterForRows(45);
  view->PrintOptions = {};
  TPrintResult result = PrintDocument(*view, *printer);
  EXPECT_EQ(result.Pages, 3);
  EXPECT_EQ(result.PagesPrinted, 3);
  ASSERT_EQ(printer->Pages.size(), 3u);
  EXPECT_EQ(printer->Begun, 1);
  EXPECT_EQ(printer->Ended, 1);
  // The pictures sit one line down the page; each page goes on where the last one stopped.
  EXPECT_EQ(InkBands(printer->Pages[0]), 45);
  EXPECT_EQ(InkBands(printer->Pages[1]), 45);
  EXPECT_EQ(InkBands(printer->Pages[2]), 10);
  EXPECT_EQ(printer->Title, "<Unknown>");
}

TEST_F(PrintJob, ProportionalViewStepsWholeRowsPerPage) {
  view->UseMonoFont = false;
  Lines(100);
  auto printer = PrinterForRows(45);
  view->PrintOptions = {};
  TPrintResult result = PrintDocument(*view, *printer);
  ASSERT_EQ(result.Pages, 3);
  EXPECT_EQ(InkBands(printer->Pages[0]) + InkBands(printer->Pages[1]) + InkBands(printer->Pages[2]),
            100);
}

TEST_F(PrintJob, EmptyDocumentPrintsNothingAndShowsNoProgress) {
  auto printer = PrinterForRows(45);
  view->PrintOptions = {poShowProgress, poPrintHeader};
  TPrintResult result = PrintDocument(*view, *printer);
  EXPECT_EQ(result.Pages, 0);
  EXPECT_EQ(printer->Begun, 0);
  EXPECT_EQ(printer->Ended, 0);
  EXPECT_EQ(progress, nullptr);
}

TEST_F(PrintJob, WrappedLinesTakeTheirRowsAcrossPages) {
  // 30 lines each wrapping into 3 rows on a page 40 characters wide: 90 rows, 2 pages of 45.
  std::string line(100, 'x');
  for (int i = 10; i < 100; i += 11) line[static_cast<size_t>(i)] = ' ';
  Lines(30, line);
  int width = 40 * view->CharWidth() + 4;
  auto printer = PrinterForRows(45, width);
  view->PrintOptions = {poWrapLines};
  view->SetMarginPos(1000);
  TPrintResult result = PrintDocument(*view, *printer);
  EXPECT_EQ(result.Pages, 2);
  EXPECT_EQ(InkBands(printer->Pages[0]) + InkBands(printer->Pages[1]), 90);

  view->PrintOptions = {};
  auto unwrapped = PrinterForRows(45, width);
  EXPECT_EQ(PrintDocument(*view, *unwrapped).Pages, 1);
}

TEST_F(PrintJob, HeaderShowsTitleAndLowersTheTextByOneScaledLine) {
  Lines(20);
  view->MemoSource().SetFileName("/tmp/page.html");
  // At twice the screen's resolution the header line is two screen lines high on paper.
  const int screenDpi = view->logicalDpiY();
  const int L = view->LineHeight();
  auto plain = std::make_unique<test::TRecordingPrinter>(2 * screenDpi, 800, 60 * L);
  view->PrintOptions = {};
  PrintDocument(*view, *plain);
  auto headed = std::make_unique<test::TRecordingPrinter>(2 * screenDpi, 800, 60 * L);
  view->PrintOptions = {poPrintHeader};
  PrintDocument(*view, *headed);
  ASSERT_EQ(headed->Pages.size(), 1u);
  EXPECT_EQ(headed->Title, "/tmp/page.html");
  // Without a header nothing is printed above the text; with one, the header ink is there.
  const QImage& withHeader = headed->Pages[0];
  EXPECT_EQ(Count(plain->Pages[0], Ink, QRect(0, 0, 800, L)), 0);
  EXPECT_GT(Count(withHeader, Ink, QRect(0, 0, 300, 2 * L)), 0);    // the title at the left
  EXPECT_GT(Count(withHeader, Ink, QRect(600, 0, 200, 2 * L)), 0);  // the page number
  // The text starts one scaled line (2 L printer pixels) lower.
  const int headerHeight = 2 * L;
  EXPECT_NEAR(FirstInkRow(withHeader.copy(0, L + headerHeight, 800, 60 * L)) + headerHeight,
              FirstInkRow(plain->Pages[0].copy(0, L, 800, 60 * L)) + headerHeight, 2);
  EXPECT_GE(FirstInkRow(withHeader.copy(0, L + headerHeight / 2 + 1, 800, 60 * L)), 0);
}

TEST_F(PrintJob, ColoursAndSyntaxFollowTheOptions) {
  Lines(5, "<b>xxxx</b>");
  auto colour = PrinterForRows(45);
  view->PrintOptions = {poInColor, poPrintSyntax};
  PrintDocument(*view, *colour);
  EXPECT_GT(Count(colour->Pages[0], Blue), 50);

  auto blackAndWhite = PrinterForRows(45);
  view->PrintOptions = {poPrintSyntax};
  PrintDocument(*view, *blackAndWhite);
  EXPECT_EQ(Count(blackAndWhite->Pages[0], Blue), 0);
  EXPECT_GT(Count(blackAndWhite->Pages[0], Ink), 50);

  auto noSyntax = PrinterForRows(45);
  view->PrintOptions = {poInColor};
  PrintDocument(*view, *noSyntax);
  EXPECT_EQ(Count(noSyntax->Pages[0], Blue), 0);
  // The user's own view keeps its colours.
  EXPECT_TRUE(view->Options().Contains(moColorSyntax));
  EXPECT_FALSE(view->BlackAndWhite);
}

TEST_F(PrintJob, SelectionPrintsOnlyItsLinesHighlightedFromTheirState) {
  // Lines 2..3 lie inside a comment that opens on line 1: printed alone they are still comment.
  SetText("xxxx\r\n<!-- xxxx\r\nxxxx xxxx\r\nxxxx xx\r\n-->\r\n<b>xxxx</b>\r\nxxxx\r\n");
  view->MemoSource().SetSelection(stStream, 1, 2, 3, 3);
  auto printer = PrinterForRows(45);
  view->PrintOptions = {poInColor, poPrintSyntax, poPrintSel};
  TPrintResult result = PrintDocument(*view, *printer);
  ASSERT_EQ(result.PagesPrinted, 1);
  EXPECT_EQ(printer->Title, "<Selected block>");
  EXPECT_EQ(InkBands(printer->Pages[0]), 2);
  EXPECT_EQ(Count(printer->Pages[0], Blue), 0);  // the <b> line below is not printed
  EXPECT_GT(Count(printer->Pages[0], Gray), 20);
  // The document keeps its selection and caret.
  EXPECT_TRUE(view->MemoSource().HasSelection());
}

TEST_F(PrintJob, LeftMarginMovesTheTextUnlessTheViewHasItsOwnIndent) {
  Lines(3);
  view->PrintOptions = {};
  auto none = PrinterForRows(10);
  PrintDocument(*view, *none);
  const int base = FirstInkColumn(none->Pages[0]);

  view->PrintIndent = 40;
  auto margin = PrinterForRows(10);
  PrintDocument(*view, *margin);
  EXPECT_EQ(FirstInkColumn(margin->Pages[0]), base + 40);

  view->SetOptions(view->Options() | TMemoOptions{moLeftIndent});
  view->LeftIndent = 100;
  auto own = PrinterForRows(10);
  PrintDocument(*view, *own);
  EXPECT_EQ(FirstInkColumn(own->Pages[0]), base + 100);
}

TEST_F(PrintJob, LineNumbersPrintInTheirOwnColumn) {
  Lines(3);
  view->PrintOptions = {};
  auto plain = PrinterForRows(10);
  PrintDocument(*view, *plain);
  view->PrintOptions = {poLineNumbers};
  auto numbered = PrinterForRows(10);
  PrintDocument(*view, *numbered);
  EXPECT_GT(FirstInkColumn(plain->Pages[0]), FirstInkColumn(numbered->Pages[0]));
  EXPECT_FALSE(view->Options().Contains(moLineNumbers));
}

TEST_F(PrintJob, ProgressWindowCountsFourStepsAPageAndReportsTheJob) {
  Lines(100);
  view->MemoSource().SetFileName("/tmp/long.html");
  auto printer = PrinterForRows(45);
  view->PrintOptions = {poShowProgress};
  std::vector<int> barAtPageStart;
  printer->OnPageStarted = [&](int) {
    ASSERT_NE(progress, nullptr);
    barAtPageStart.push_back(progress->ProgressBar1->value());
  };
  // The window goes away with the job: it is looked at as the document ends.
  printer->OnEnded = [&] {
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->ProgressBar1->maximum(), 12);
    EXPECT_EQ(progress->ProgressBar1->value(), 12);
    EXPECT_EQ(progress->windowTitle().toStdString(), "Printing Status");
    EXPECT_EQ(progress->PrinterLabel->text().toStdString(), "Printing on printer Test Printer");
    EXPECT_EQ(progress->FileLabel->text().toStdString(), "/tmp/long.html");
    EXPECT_EQ(progress->ProgressLabel->text().toStdString(), "Printing page 3 from 3");
    // The bar lies 2 pixels under the labels, Cancel 2 under the bar, the edge 2 under Cancel.
    EXPECT_EQ(progress->ProgressBar1->y(), progress->Panel1->geometry().bottom() + 1 + 2);
    EXPECT_EQ(progress->CancelBut->y(), progress->ProgressBar1->geometry().bottom() + 1 + 2);
    EXPECT_EQ(progress->height(), progress->CancelBut->geometry().bottom() + 1 + 2);
  };
  TPrintResult result = PrintDocument(*view, *printer);
  ASSERT_EQ(result.PagesPrinted, 3);
  EXPECT_EQ(printer->Ended, 1);
  EXPECT_EQ(barAtPageStart, (std::vector<int>{0, 4, 8}));
}

TEST_F(PrintJob, CancelBeforeTheLayoutNeverStartsTheDocument) {
  Lines(100);
  auto printer = PrinterForRows(45);
  view->PrintOptions = {poShowProgress};
  view->OnCreateDialog = [](TCustomVrelMemo&, QWidget& dialog) {
    if (auto* p = qobject_cast<TMemoPrintProgress*>(&dialog)) p->CancelBut->click();
  };
  TPrintResult result = PrintDocument(*view, *printer);
  EXPECT_TRUE(result.Cancelled);
  EXPECT_EQ(result.Pages, 3);
  EXPECT_EQ(printer->Begun, 0);
  EXPECT_EQ(printer->Ended, 0);
  EXPECT_FALSE(view->MemoSource().InUpdate());
}

TEST_F(PrintJob, CancelDuringTheFirstPageKeepsItAndEndsTheDocument) {
  Lines(100);
  auto printer = PrinterForRows(45);
  view->PrintOptions = {poShowProgress};
  printer->OnPageStarted = [&](int page) {
    // Pressed while the first page is printed; noticed before the second.
    if (page == 0) QTimer::singleShot(0, progress->CancelBut, &QPushButton::click);
  };
  TPrintResult result = PrintDocument(*view, *printer);
  EXPECT_TRUE(result.Cancelled);
  EXPECT_EQ(result.PagesPrinted, 1);
  EXPECT_EQ(printer->Pages.size(), 1u);
  EXPECT_EQ(printer->Ended, 1);
  EXPECT_FALSE(view->MemoSource().InUpdate());
}

TEST_F(PrintJob, CancelBeforeTheFirstPageSendsNothing) {
  Lines(100);
  auto printer = PrinterForRows(45);
  view->PrintOptions = {poShowProgress};
  // Pressed as the document starts: noticed before the first page.
  printer->OnPageStarted = [&](int) { progress->CancelBut->click(); };
  TPrintResult result = PrintDocument(*view, *printer);
  EXPECT_TRUE(result.Cancelled);
  EXPECT_EQ(result.PagesPrinted, 0);
  EXPECT_EQ(printer->Begun, 1);
  EXPECT_EQ(printer->Aborted, 1);
  EXPECT_EQ(printer->Ended, 0);
}

TEST_F(PrintJob, APrinterThatCannotStartIsReported) {
  Lines(3);
  auto printer = PrinterForRows(45);
  printer->FailToStart = true;
  view->PrintOptions = {};
  TPrintResult result = PrintDocument(*view, *printer);
  EXPECT_EQ(result.Error, "The printer is off.");
  EXPECT_EQ(result.PagesPrinted, 0);
  EXPECT_FALSE(view->MemoSource().InUpdate());
}

// ---- The "Print" dialog ----

struct PrintDialog : PrintJob {
  test::TScriptedDialogs dialogs;
  // Runs PrintWithDialog, doing `inDialog` with the dialog open.
  bool Run(test::TRecordingPrinter& printer, std::function<void(TMemoPrintForm&)> inDialog) {
    QTimer::singleShot(0, [&] {
      ASSERT_NE(form, nullptr);
      inDialog(*form);
    });
    return PrintWithDialog(*view, printer, dialogs);
  }
};

TEST_F(PrintDialog, OpensWithTheViewsOptionsAndNoSelection) {
  Lines(3);
  view->PrintOptions = {poWrapLines, poInColor, poShowProgress};
  auto printer = PrinterForRows(45);
  bool printed = Run(*printer, [](TMemoPrintForm& f) {
    EXPECT_EQ(f.windowTitle().toStdString(), "Print");
    EXPECT_EQ(f.FileNameLabel->text().toStdString(), "<Unknown>");
    EXPECT_FALSE(f.PrintSelCheck->isEnabled());
    EXPECT_FALSE(f.PrintSelCheck->isChecked());
    EXPECT_TRUE(f.WrapLinesCheck->isChecked());
    EXPECT_TRUE(f.InColorCheck->isChecked());
    EXPECT_TRUE(f.ProgressCheck->isChecked());
    EXPECT_FALSE(f.HeaderCheck->isChecked());
    EXPECT_FALSE(f.LineNumbersCheck->isChecked());
    EXPECT_FALSE(f.SyntaxCheck->isChecked());
    EXPECT_TRUE(f.LeftMarginEdit->text().isEmpty());
    EXPECT_FALSE(f.HelpBut->isVisible());
    f.CancelBut->click();
  });
  EXPECT_FALSE(printed);
  EXPECT_EQ(printer->Begun, 0);
  EXPECT_EQ(view->PrintOptions, (TVrelPrintOptions{poWrapLines, poInColor, poShowProgress}));
}

TEST_F(PrintDialog, ASelectionIsOfferedCheckedAndOkPrintsTheChoices) {
  Lines(10);
  view->MemoSource().SetFileName("/tmp/index.html");
  view->MemoSource().SetSelection(stStream, 0, 2, 3, 4);
  view->PrintOptions = {};
  auto printer = PrinterForRows(45);
  bool printed = Run(*printer, [](TMemoPrintForm& f) {
    EXPECT_EQ(f.FileNameLabel->text().toStdString(), "/tmp/index.html");
    EXPECT_TRUE(f.PrintSelCheck->isEnabled());
    EXPECT_TRUE(f.PrintSelCheck->isChecked());
    f.HeaderCheck->setChecked(true);
    f.LeftMarginEdit->setText("4");
    f.OkBut->click();
  });
  EXPECT_TRUE(printed);
  EXPECT_EQ(view->PrintOptions, (TVrelPrintOptions{poPrintSel, poPrintHeader}));
  EXPECT_EQ(view->PrintIndent, 4);
  EXPECT_EQ(printer->Title, "<Selected block>");
  EXPECT_EQ(InkBands(printer->Pages[0], view->LineHeight() * 2), 3);
}

TEST_F(PrintDialog, ANonNumericMarginCountsAsNoneAndSetupRunsThePrinterSetup) {
  Lines(3);
  view->PrintIndent = 12;
  auto printer = PrinterForRows(45);
  Run(*printer, [](TMemoPrintForm& f) {
    f.SetupBut->click();
    f.LeftMarginEdit->setText("four");
    f.OkBut->click();
  });
  EXPECT_EQ(printer->SetupCalls, 1);
  EXPECT_EQ(view->PrintIndent, 0);
  EXPECT_EQ(printer->Pages.size(), 1u);
}

TEST_F(PrintDialog, WithoutAPrinterThePagesGoToAPdfFileTheUserNames) {
  Lines(3);
  view->MemoSource().SetFileName("/work/site/about.html");
  auto printer = PrinterForRows(45);
  printer->ToFile = true;
  dialogs.AnswerFile(std::nullopt);
  Run(*printer, [](TMemoPrintForm& f) { f.OkBut->click(); });
  ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
  EXPECT_EQ(dialogs.FileDialogs()[0].FileName, "/work/site/about.pdf");
  EXPECT_EQ(printer->Begun, 0);  // cancelled: nothing printed, and no message

  dialogs.AnswerFile("/tmp/about.pdf");
  Run(*printer, [](TMemoPrintForm& f) { f.OkBut->click(); });
  EXPECT_EQ(printer->OutputFile(), "/tmp/about.pdf");
  EXPECT_EQ(printer->Begun, 1);
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PrintDialog, APrinterThatFailsSaysSo) {
  Lines(3);
  auto printer = PrinterForRows(45);
  printer->FailToStart = true;
  Run(*printer, [](TMemoPrintForm& f) { f.OkBut->click(); });
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Text, "The printer is off.");
}

}  // namespace
}  // namespace quorel
