// The page arithmetic of printing: page pictures in screen pixels, the header line, page
// counts, the margin typed in the dialog and the job's texts.
#include "print/pagelayout.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

// A printer at 600 dpi and a view at 96 dpi with 16-pixel rows and 8-pixel characters: one
// screen pixel is 6.25 printer pixels.
TPrinterMetrics Printer(int width, int height) { return {600, 600, width, height}; }
TScreenMetrics Screen(bool mono = true) { return {96, 96, 16, 8, mono}; }

TEST(PageLayout, PagePictureIsThePrinterPageInScreenPixelsCutToWholeCells) {
  // 4961 x 7016 printer pixels are 793.76 x 1122.56 screen pixels.
  TPageLayout mono = ComputePageLayout(Printer(4961, 7016), Screen(true), false);
  EXPECT_EQ(mono.PageW, 792);   // 99 whole characters
  EXPECT_EQ(mono.PageH, 1120);  // 70 whole rows
  EXPECT_EQ(mono.LinesPerPage, 70);
  TPageLayout proportional = ComputePageLayout(Printer(4961, 7016), Screen(false), false);
  EXPECT_EQ(proportional.PageW, 793);
  EXPECT_EQ(proportional.PageH, 1122);
  EXPECT_EQ(proportional.LinesPerPage, 70);
  // The picture is stretched over the page from one screen line down.
  EXPECT_EQ(mono.Dest.Left, 0);
  EXPECT_EQ(mono.Dest.Top, 16);
  EXPECT_EQ(mono.Dest.Right, 4961);
  EXPECT_EQ(mono.Dest.Bottom, 7016);
}

TEST(PageLayout, HeaderTakesOneLineScaledToThePrinter) {
  TPageLayout plain = ComputePageLayout(Printer(4961, 7016), Screen(), false);
  TPageLayout header = ComputePageLayout(Printer(4961, 7016), Screen(), true);
  EXPECT_EQ(header.HeaderHeight, 100);  // 16 screen pixels at 600 / 96
  EXPECT_EQ(header.PageH, plain.PageH - 16);
  EXPECT_EQ(header.Dest.Top, plain.Dest.Top + 100);
  EXPECT_EQ(header.LinesPerPage, plain.LinesPerPage - 1);
}

TEST(PageLayout, HundredLinesAtFortyFiveAPageArePrintedOnThreePages) {
  // 45 rows of 16 pixels: 720 screen pixels, 4500 printer pixels.
  TPageLayout layout = ComputePageLayout(Printer(4961, 4500), Screen(), false);
  ASSERT_EQ(layout.LinesPerPage, 45);
  EXPECT_EQ(MonoPageCount(100, 16, layout.PageH), 3);
  EXPECT_EQ(MonoPageCount(90, 16, layout.PageH), 2);
  EXPECT_EQ(MonoPageCount(91, 16, layout.PageH), 3);
  EXPECT_EQ(MonoPageCount(1, 16, layout.PageH), 1);
  EXPECT_EQ(MonoPageCount(0, 16, layout.PageH), 0);
  EXPECT_EQ(SteppedPageCount(99, [](int) { return 45; }), 3);
  EXPECT_EQ(SteppedPageCount(89, [](int) { return 45; }), 2);
  EXPECT_EQ(SteppedPageCount(0, [](int) { return 45; }), 1);
}

TEST(PageLayout, SteppedCountAsksFromEachPagesTopAndAlwaysMovesOn) {
  std::vector<int> tops;
  EXPECT_EQ(SteppedPageCount(25,
                             [&](int top) {
                               tops.push_back(top);
                               return top == 0 ? 10 : 5;
                             }),
            5);
  EXPECT_EQ(tops, (std::vector<int>{0, 10, 15, 20, 25}));
  // A page that would hold no row still moves on by one.
  EXPECT_EQ(SteppedPageCount(2, [](int) { return 0; }), 3);
}

TEST(PageLayout, AFontTallerThanThePageStillGivesARowAPage) {
  TPageLayout layout = ComputePageLayout(Printer(300, 50), {96, 96, 40, 30, true}, true);
  EXPECT_EQ(layout.PageH, 40);
  EXPECT_EQ(layout.PageW, 30);
  EXPECT_EQ(layout.LinesPerPage, 1);
  EXPECT_EQ(MonoPageCount(3, 40, layout.PageH), 3);
}

TEST(PageLayout, MarginTypedInTheDialog) {
  EXPECT_EQ(ReadPrintIndent("4"), 4);
  EXPECT_EQ(ReadPrintIndent("120"), 120);
  EXPECT_EQ(ReadPrintIndent(""), 0);
  EXPECT_EQ(ReadPrintIndent("four"), 0);
  EXPECT_EQ(ReadPrintIndent("4px"), 0);
  EXPECT_EQ(ReadPrintIndent("-3"), 0);
  EXPECT_EQ(ReadPrintIndent("99999999999"), 0);
}

TEST(PageLayout, ViewsOwnLeftIndentWinsOverTheMargin) {
  TCloneIndent margin = CloneLeftIndent(false, 0, 4);
  EXPECT_TRUE(margin.UseIndent);
  EXPECT_EQ(margin.Indent, 4);
  TCloneIndent own = CloneLeftIndent(true, 20, 4);
  EXPECT_TRUE(own.UseIndent);
  EXPECT_EQ(own.Indent, 20);
  EXPECT_FALSE(CloneLeftIndent(false, 20, 0).UseIndent);
}

TEST(PageLayout, TitlesAndLines) {
  EXPECT_EQ(PrintTitle("", false), "<Unknown>");
  EXPECT_EQ(PrintTitle("C:\\site\\index.html", false), "C:\\site\\index.html");
  EXPECT_EQ(PrintTitle("index.html", true), "<Selected block>");
  EXPECT_EQ(PageHeaderText(3, 3), "Page 3/3");
  EXPECT_EQ(PrinterLine("Laser"), "Printing on printer Laser");
  EXPECT_EQ(ProgressLine(1, kUnknownPageCount), "Printing page 1 from  ... ");
  EXPECT_EQ(ProgressLine(2, "7"), "Printing page 2 from 7");
  // "Page 3/3" 80 pixels wide: 10 pixels a character, so it starts 90 from the right edge.
  EXPECT_EQ(PageNumberLeft(1000, 80, 8), 910);
}

}  // namespace
}  // namespace quorel
