// `quorel --print-to-pdf` end to end: the program prints a page into a PDF file without a
// window, and the PDF is read back with the poppler tools people use (pdfinfo, pdftotext,
// pdftoppm): its pages, the header's page numbers, the characters and the colours.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/tempdir.h"

namespace quorel {
namespace {

struct TRun {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

TRun Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  TRun run;
  if (!process.waitForFinished(120000)) return run;
  run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.Out = process.readAllStandardOutput().toStdString();
  run.Err = process.readAllStandardError().toStdString();
  return run;
}

TRun Quorel(const QStringList& arguments) {
  return Run(QUOREL_BIN_DIR "/quorel", QStringList{"--print-to-pdf"} + arguments);
}

int PageCount(const std::string& pdf) {
  TRun info = Run("pdfinfo", {QString::fromStdString(pdf)});
  size_t at = info.Out.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(info.Out.substr(at + 6));
}

std::string PageText(const std::string& pdf, int page) {
  QString p = QString::number(page);
  return Run("pdftotext", {"-f", p, "-l", p, QString::fromStdString(pdf), "-"}).Out;
}

int BluePixels(const std::string& pdf, const std::string& prefix) {
  Run("pdftoppm", {"-r", "60", "-f", "1", "-l", "1", "-singlefile", QString::fromStdString(pdf),
                   QString::fromStdString(prefix)});
  QImage page(QString::fromStdString(prefix + ".ppm"));
  if (page.isNull()) return -1;
  int blue = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      QRgb p = page.pixel(x, y);
      blue += qBlue(p) > 180 && qRed(p) < 100 && qGreen(p) < 100;
    }
  return blue;
}

struct PrintToPdf : ::testing::Test {
  test::TTempDir dir;
  std::string page = dir.File("page.html");
  void SetUp() override {
    // About two and a half pages of the program's default font on A4.
    std::string text = "<html>\r\n<body>\r\n";
    for (int i = 0; i < 200; ++i)
      text += "<p class=\"x\">Line " + std::to_string(i) + " of the café menu: 5 €</p>\r\n";
    text += "</body>\r\n</html>\r\n";
    test::WriteBytes(page, text);
  }
};

TEST_F(PrintToPdf, ThreePagesWithTheirHeaderAndCharacters) {
  std::string pdf = dir.File("out.pdf");
  TRun run = Quorel({QString::fromStdString(pdf), "--header", QString::fromStdString(page)});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(PageCount(pdf), 3);
  std::string first = PageText(pdf, 1);
  EXPECT_NE(first.find(page), std::string::npos);  // the title
  EXPECT_NE(first.find("Page 1/3"), std::string::npos);
  EXPECT_NE(first.find("Line 0 of the café menu: 5 €"), std::string::npos);
  std::string last = PageText(pdf, 3);
  EXPECT_NE(last.find("Page 3/3"), std::string::npos);
  EXPECT_NE(last.find("Line 199 of"), std::string::npos);
  EXPECT_EQ(last.find("Line 0 of"), std::string::npos);
}

TEST_F(PrintToPdf, ColourShowsTagsInBlueAndNoColourShowsNone) {
  std::string colour = dir.File("colour.pdf");
  ASSERT_EQ(Quorel({QString::fromStdString(colour), QString::fromStdString(page)}).ExitCode, 0);
  EXPECT_GT(BluePixels(colour, dir.File("colour")), 100);
  std::string plain = dir.File("plain.pdf");
  ASSERT_EQ(
      Quorel({QString::fromStdString(plain), "--no-color", QString::fromStdString(page)}).ExitCode,
      0);
  EXPECT_EQ(BluePixels(plain, dir.File("plain")), 0);
  EXPECT_EQ(PageCount(plain), PageCount(colour));
  // Without a header no page number is printed.
  EXPECT_EQ(PageText(plain, 1).find("Page 1/"), std::string::npos);
}

TEST_F(PrintToPdf, LineNumbersAndNoWrap) {
  std::string pdf = dir.File("numbers.pdf");
  TRun run = Quorel({QString::fromStdString(pdf), "--line-numbers", "--no-wrap", "--no-syntax",
                     "--margin", "10", QString::fromStdString(page)});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  std::string text = PageText(pdf, 1);
  EXPECT_EQ(text.rfind("1\n", 0), 0u) << text.substr(0, 80);
}

TEST_F(PrintToPdf, BadCommandLinesFailWithAMessageAndWriteNothing) {
  std::string pdf = dir.File("never.pdf");
  TRun missing = Quorel({QString::fromStdString(pdf), QString::fromStdString(dir.File("no.html"))});
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_NE(missing.Err.find("cannot open"), std::string::npos);
  TRun margin =
      Quorel({QString::fromStdString(pdf), "--margin", "wide", QString::fromStdString(page)});
  EXPECT_EQ(margin.ExitCode, 1);
  EXPECT_NE(margin.Err.find("--margin"), std::string::npos);
  TRun unknown = Quorel({QString::fromStdString(pdf), "--duplex", QString::fromStdString(page)});
  EXPECT_EQ(unknown.ExitCode, 1);
  EXPECT_NE(unknown.Err.find("usage:"), std::string::npos);
  TRun nothing = Quorel({});
  EXPECT_EQ(nothing.ExitCode, 1);
  EXPECT_EQ(dir.FileCount(), 1);  // only the page itself
}

TEST_F(PrintToPdf, AFileThatCannotBeWrittenFailsAndLeavesWhatWasThere) {
  std::string pdf = dir.File("missing-folder/out.pdf");
  TRun run = Quorel({QString::fromStdString(pdf), QString::fromStdString(page)});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("Cannot write " + pdf), std::string::npos) << run.Err;
  // A folder in the PDF's place is not replaced.
  std::string folder = dir.File("taken.pdf");
  std::filesystem::create_directory(folder);
  test::WriteBytes(folder + "/inside.txt", "kept");
  EXPECT_EQ(Quorel({QString::fromStdString(folder), QString::fromStdString(page)}).ExitCode, 1);
  EXPECT_TRUE(std::filesystem::is_regular_file(folder + "/inside.txt"));
}

}  // namespace
}  // namespace quorel
