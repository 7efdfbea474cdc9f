// The About window: the read-me shown read-only with clickable addresses, or the message that it
// is missing.
#include "app/aboutform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <regex>
#include <set>

#include "app/form1.h"
#include "engine/stylenumbers.h"
#include "mainwindowfixture.h"

namespace quorel {
namespace {

std::string Text(TCustomMemoSource& store) {
  std::string out;
  for (int y = 0; y < store.LineCount(); ++y) out += (y ? "\n" : "") + store.RawLine(y);
  return out;
}

TEST_F(MainWindow, AboutShowsTheReadmeReadOnlyWithClickableAddresses) {
  processes.Program = dir.File("quorel");
  test::WriteBytes(dir.File("Readme.txt"), "Quorel\r\nSee www.example.com for more.\r\n");
  form = std::make_unique<TForm1>(services);
  TAboutForm1& about = form->AboutForm();
  about.FormShow();
  TCustomMemoSource& store = about.VrelMemo1->MemoSource();
  EXPECT_EQ(Text(store), "Quorel\nSee www.example.com for more.");
  EXPECT_TRUE(store.ReadOnly());
  EXPECT_TRUE(store.HighlightUrls());
  EXPECT_FALSE(store.AllowUndo());
  EXPECT_TRUE(about.VrelMemo1->WordWrap());
  EXPECT_EQ(store.GetLineColors(1)[5], char{tsUrl});
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_EQ(about.size(), QSize(431, 348));
  EXPECT_EQ(about.Button1->text(), "Close");
  EXPECT_EQ(about.Button1->geometry(), QRect(344, 320, 81, 25));
}

TEST_F(MainWindow, AboutWithoutAReadmeSaysSoEveryTime) {
  processes.Program = dir.File("quorel");
  form = std::make_unique<TForm1>(services);
  for (int i = 0; i < 2; ++i) {
    form->AboutForm().FormShow();
    EXPECT_EQ(Text(form->AboutForm().VrelMemo1->MemoSource()),
              "Unable to Find Readme Document,\n\n" + dir.Path() +
                  "/Readme.txtplease reinstall software");
  }
}

TEST(ShippedReadme, NamesTheMenusAndHoldsAddresses) {
  std::string path = std::string(QUOREL_TEST_DATA_DIR) + "/../../data/Readme.txt";
  ASSERT_TRUE(std::filesystem::exists(path));
  TMemoSource store;
  store.LoadFromFile(path);
  store.SetHighlightUrls(true);
  int marked = 0;
  for (int y = 0; y < store.LineCount(); ++y)
    for (char c : store.GetLineColors(y)) marked += c == tsUrl;
  EXPECT_GT(marked, 20);
  EXPECT_EQ(store.Encoding(), enUtf8);
}

// The help page opened by Window, Help: a whole HTML page whose contents links all find their
// sections, with nothing fetched from elsewhere.
TEST(ShippedHelp, TheContentsLinksFindTheirSections) {
  std::string path = std::string(QUOREL_TEST_DATA_DIR) + "/../../data/Help/index.html";
  ASSERT_TRUE(std::filesystem::exists(path));
  TMemoSource store;
  store.LoadFromFile(path);
  std::string page;
  for (int y = 0; y < store.LineCount(); ++y) page += store.RawLine(y) + "\n";
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("</html>"), std::string::npos);
  std::set<std::string> ids, targets;
  std::regex id("id=\"([^\"]+)\""), href("href=\"#([^\"]+)\"");
  for (auto it = std::sregex_iterator(page.begin(), page.end(), id); it != std::sregex_iterator();
       ++it)
    ids.insert((*it)[1]);
  for (auto it = std::sregex_iterator(page.begin(), page.end(), href); it != std::sregex_iterator();
       ++it)
    targets.insert((*it)[1]);
  EXPECT_GT(targets.size(), 10u);
  for (const std::string& target : targets) EXPECT_TRUE(ids.count(target)) << target;
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("src=\"http"), std::string::npos);
}

}  // namespace
}  // namespace quorel
