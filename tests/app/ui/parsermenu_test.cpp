// The Parser submenu: schemes found beside the program, choosing one, files that change or
// vanish after the menu was filled, and the scheme brought back at the next start.
#include <QAction>
#include <QMenu>
#include <filesystem>

#include "mainwindowfixture.h"

namespace quorel {
namespace {

struct ParserMenu : MainWindow {
  std::string syntax;

  void SetUp() override {
    App();
    processes.Program = dir.File("quorel");
    syntax = dir.Path() + "/Syntax";
    std::filesystem::create_directories(syntax);
    for (const char* name : {"CSS.sch", "JavaScript.sch"})
      std::filesystem::copy_file(std::string(QUOREL_TEST_DATA_DIR) + "/../../data/Syntax/" + name,
                                 syntax + "/" + name);
    test::WriteBytes(syntax + "/notes.txt", "not a scheme");
    form = std::make_unique<TForm1>(services);
  }
  void Restart() {
    form.reset();
    form = std::make_unique<TForm1>(services);
  }
  std::vector<QAction*> SchemeItems() const {
    QList<QAction*> all = Menu("Parser1")->actions();
    return {all.begin() + 5, all.end()};
  }
  QAction* Item(const std::string& name) const {
    for (QAction* item : SchemeItems())
      if (TForm1::SchemeCaption(item) == name) return item;
    return nullptr;
  }
  // Changes the scheme name stored in a file, as an editor outside the program would.
  void RenameSchemeInFile(const std::string& file, const std::string& from, const std::string& to) {
    std::string text = test::ReadBytes(file);
    size_t at = text.find("P.Name = '" + from + "'");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, from.size() + 10, "P.Name = '" + to);
    test::WriteBytes(file, text);
  }
};

TEST_F(ParserMenu, ListsTheSchemesOfTheSyntaxFolderByName) {
  std::vector<QAction*> items = SchemeItems();
  ASSERT_EQ(items.size(), 2u);  // the text file is no scheme and stays out
  EXPECT_EQ(items[0]->text(), "CSS");
  EXPECT_EQ(TForm1::SchemePath(items[0]), syntax + "/CSS.sch");
  EXPECT_EQ(items[1]->text(), "JavaScript");
  EXPECT_TRUE(Command("N7")->isVisible());
  // Filling the menu leaves the built-in scheme in force.
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().Name, form->DefaultParser.SyntaxScheme().Name);
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
}

TEST_F(ParserMenu, AChosenSchemeColoursAndIsRemembered) {
  Item("JavaScript")->trigger();
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "JavaScript");
  EXPECT_EQ(form->Settings.SyntaxSchemeLocation, syntax + "/JavaScript.sch");
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().Name, "JavaScript");
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1);
  emit Menu("Parser1")->aboutToShow();
  EXPECT_TRUE(Item("JavaScript")->isChecked());
  EXPECT_FALSE(Item("CSS")->isChecked());
  EXPECT_FALSE(Command("Default1")->isChecked());

  // From "None" a scheme item turns highlighting back on.
  Run("None4");
  Item("CSS")->trigger();
  EXPECT_TRUE(form->Settings.Highlighting);
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1);

  // The next start brings the scheme back from its file.
  form->MemoSource1.SetModified(false);
  ASSERT_TRUE(form->close());
  Restart();
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "CSS");
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().Name, "CSS");
}

TEST_F(ParserMenu, FilesThatChangedOrVanishedFallBackToTheBuiltInScheme) {
  // The name inside the file was edited after the menu was filled.
  RenameSchemeInFile(syntax + "/CSS.sch", "CSS", "Styles");
  Item("CSS")->trigger();
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
  EXPECT_EQ(form->Settings.SyntaxSchemeLocation, "Default");
  EXPECT_TRUE(Command("Default1")->isChecked());
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().Name, form->DefaultParser.SyntaxScheme().Name);

  // The file is gone: a warning, and the scheme in force stays.
  Item("JavaScript")->trigger();
  std::filesystem::remove(syntax + "/JavaScript.sch");
  Item("JavaScript")->trigger();
  EXPECT_EQ(LastMessage(), "Unable to find syntax parser file!!(4)");
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().Name, "JavaScript");

  // The file no longer reads as a scheme: the reader's box, then the built-in scheme.
  test::WriteBytes(syntax + "/JavaScript.sch", "object TPersHolder\r\n  P.Name = \r\n");
  Item("JavaScript")->trigger();
  EXPECT_EQ(LastMessage(), "Unable to assign syntax parser!!(2)");
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
}

TEST_F(ParserMenu, AStoredSchemeThatCannotBeUsedBecomesDefault) {
  settings.WriteString("CurrentSyntaxScheme", "CSS");
  settings.WriteString("SyntaxSchemeLocation", syntax + "/gone.sch");
  Restart();
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
  EXPECT_EQ(form->Settings.SyntaxSchemeLocation, "Default");
  // A file that cannot be opened shows no box; the reader's box at each start is about the
  // text file in the Syntax folder.
  for (const auto& message : dialogs.Messages()) {
    EXPECT_EQ(message.Text.find("gone.sch"), std::string::npos);
    EXPECT_NE(message.Text.find("notes.txt"), std::string::npos);
  }

  // A file now holding a scheme of another name.
  settings.WriteString("CurrentSyntaxScheme", "Cascading");
  settings.WriteString("SyntaxSchemeLocation", syntax + "/CSS.sch");
  Restart();
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().Name, form->DefaultParser.SyntaxScheme().Name);

  // With highlighting off nothing is loaded.
  settings.WriteString("CurrentSyntaxScheme", "CSS");
  settings.WriteBool("Highlighting", false);
  Restart();
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), nullptr);
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().Name, form->DefaultParser.SyntaxScheme().Name);
}

}  // namespace
}  // namespace quorel
