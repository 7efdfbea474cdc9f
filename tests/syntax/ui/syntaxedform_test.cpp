// The scheme editor's window, offscreen: the working copy and its buttons, the block tree's
// commands, the pages writing to the selected block, popups refusing OK, and scheme files
// loaded and saved through it.
#include "syntax/ui/syntaxedform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "support/qtapp.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "syntax/htmlscheme.h"
#include "syntax/keywordlist.h"
#include "syntax/ui/schemepopups.h"

namespace quorel {
namespace {

QApplication& App() { return test::QtApp(); }

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Does `act` with the popup that the next command opens.
void WithPopup(std::function<void(TSchemePopup&)> act) {
  QTimer::singleShot(0, [act] {
    auto* popup = qobject_cast<TSchemePopup*>(QApplication::activeModalWidget());
    ASSERT_NE(popup, nullptr);
    act(*popup);
  });
}

struct SchemeEditor : ::testing::Test {
  test::TScriptedDialogs dialogs;
  platform::TServices services;
  TSyntaxScheme scheme;
  std::unique_ptr<TSyntaxEdForm> form;
  test::TTempDir dir;

  void SetUp() override {
    App();
    services.Dialogs = &dialogs;
    BuildHtmlScheme(scheme);
    form = std::make_unique<TSyntaxEdForm>(services);
    form->resize(800, 560);
    form->show();
    form->EditScheme(scheme);
  }
  int BlockNamed(const std::string& name) {
    auto& blocks = form->WorkingCopy().SyntaxBlocks;
    for (size_t i = 0; i < blocks.size(); ++i)
      if (blocks[i].Name == name) return static_cast<int>(i);
    return -1;
  }
};

TEST_F(SchemeEditor, EditsStayInTheWorkingCopyUntilApply) {
  TSyntaxScheme before;
  before.Assign(scheme);
  EXPECT_EQ(form->windowTitle().toStdString(), "TSyntaxScheme Editor");
  ASSERT_EQ(form->BlockTree->topLevelItemCount(), 1);
  form->CaseSensitiveCheck->setChecked(!form->CaseSensitiveCheck->isChecked());
  form->ClearButClick();
  EXPECT_EQ(form->WorkingCopy().SyntaxBlocks.size(), 1u);
  form->CancelButClick();
  EXPECT_TRUE(scheme.SameContent(before));

  form->EditScheme(scheme);
  form->CaseSensitiveCheck->setChecked(true);
  form->ApplyButClick();
  EXPECT_TRUE(scheme.SyntaxBlocks[0].CaseSensitive);
}

TEST_F(SchemeEditor, ApplyTidiesTheSchemeFirst) {
  form->BlockPages->setCurrentIndex(1);
  form->CommentsCheck->setChecked(true);
  form->SingleLineCommentsCheck->setChecked(true);  // the top block has no such delimiters
  EXPECT_TRUE(form->WorkingCopy().SyntaxBlocks[0].UseSingleLineComments);
  form->ApplyButClick();
  EXPECT_FALSE(scheme.SyntaxBlocks[0].UseSingleLineComments);
  EXPECT_FALSE(form->SingleLineCommentsCheck->isChecked());
}

TEST_F(SchemeEditor, PagesShowTheSelectedBlockAndItsSwitchesEnableTheirControls) {
  int tags = BlockNamed("Tags");
  ASSERT_GT(tags, 0);
  form->SelectBlock(tags);
  const TSyntaxBlock& block = form->WorkingCopy().SyntaxBlocks[static_cast<size_t>(tags)];
  EXPECT_EQ(form->BlockDelimitersList->List->count(),
            static_cast<int>(block.BlockDelimiters.size()));
  EXPECT_TRUE(form->BlockDelimitersList->isEnabled());
  form->SelectBlock(0);
  EXPECT_FALSE(form->BlockDelimitersList->isEnabled());  // the top block has none
  form->MetaSymbolCheck->setChecked(false);
  EXPECT_FALSE(form->MetaSymbolEdit->isEnabled());
  form->MetaSymbolCheck->setChecked(true);
  EXPECT_TRUE(form->MetaSymbolEdit->isEnabled());
  EXPECT_TRUE(form->EscapesCheck->isChecked());  // the same flag
}

TEST_F(SchemeEditor, DraggingAListItemMovesItInTheBlock) {
  auto& blocks = form->WorkingCopy().SyntaxBlocks;
  int with = -1;
  for (size_t i = 0; i < blocks.size() && with < 0; ++i)
    if (blocks[i].SingleLineStringDelimiters.size() >= 2) with = static_cast<int>(i);
  ASSERT_GE(with, 0);
  form->SelectBlock(with);
  TBlockTokenList before = blocks[static_cast<size_t>(with)].SingleLineStringDelimiters;
  QAbstractItemModel* model = form->SingleLineStringsList->List->model();
  ASSERT_TRUE(model->moveRow(QModelIndex(), 0, QModelIndex(), 2));  // the first below the second
  QApplication::processEvents();
  const TBlockTokenList& after = blocks[static_cast<size_t>(with)].SingleLineStringDelimiters;
  EXPECT_EQ(after[0], before[1]);
  EXPECT_EQ(after[1], before[0]);
  EXPECT_EQ(form->SingleLineStringsList->List->item(1)->text().toStdString(),
            before[0].LeftDelimiter + " and " + before[0].RightDelimiter);
}

TEST_F(SchemeEditor, APopupRefusesOkWithAnEmptyFieldAndFocusesIt) {
  size_t blocks = form->WorkingCopy().SyntaxBlocks.size();
  bool refused = false;
  WithPopup([&](TSchemePopup& popup) {
    auto* name = popup.findChild<QLineEdit*>();
    ASSERT_NE(name, nullptr);
    popup.OkBut->click();
    refused = popup.isVisible() && popup.focusWidget() == name;
    name->setText("Script");
    popup.OkBut->click();
  });
  form->AddBlockClick();
  EXPECT_TRUE(refused);
  ASSERT_EQ(form->WorkingCopy().SyntaxBlocks.size(), blocks + 1);
  const TSyntaxBlock& added = form->WorkingCopy().SyntaxBlocks.back();
  EXPECT_EQ(added.Name, "Script");
  EXPECT_EQ(added.ParentID, form->WorkingCopy().SyntaxBlocks[0].ID);
  EXPECT_EQ(form->SelectedBlock(), static_cast<int>(blocks));
}

TEST_F(SchemeEditor, RemoveAsksAndTakesTheSubtree) {
  int parent = form->SelectedBlock();
  ASSERT_EQ(parent, 0);
  form->SelectBlock(BlockNamed("Tags"));
  size_t below = BuildBlockTree(form->WorkingCopy()).Subtree(form->SelectedBlock()).size();
  size_t blocks = form->WorkingCopy().SyntaxBlocks.size();
  dialogs.AnswerMessage(platform::mrNo);
  form->RemoveBlockClick();
  EXPECT_EQ(form->WorkingCopy().SyntaxBlocks.size(), blocks);
  ASSERT_FALSE(dialogs.Messages().empty());
  EXPECT_EQ(dialogs.Messages().back().Text, "Do you really want to remove syntax block 'Tags'?");
  dialogs.AnswerMessage(platform::mrYes);
  form->RemoveBlockClick();
  EXPECT_EQ(form->WorkingCopy().SyntaxBlocks.size(), blocks - below);
  EXPECT_EQ(BlockNamed("Tags"), -1);
}

TEST_F(SchemeEditor, AStyleButtonGivesAFieldWithoutStyleANewEntry) {
  form->ClearButClick();
  WithPopup([](TSchemePopup& popup) {
    ASSERT_NE(popup.DefaultFontCheck, nullptr);
    EXPECT_TRUE(popup.DefaultFontCheck->isChecked());
    popup.DefaultFontCheck->setChecked(false);
    popup.BoldCheck->setChecked(true);
    popup.OkBut->click();  // no font chosen: refused, the name box has the focus
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.focusWidget(), popup.FontNameBox);
    popup.FontNameBox->setCurrentIndex(0);
    popup.FontSizeBox->setCurrentIndex(2);  // 10
    popup.OkBut->click();
  });
  form->TextStyleBut->click();
  EXPECT_EQ(form->DefaultFontName, "Courier New");  // a scheme without a parser
  const TSyntaxScheme& work = form->WorkingCopy();
  ASSERT_EQ(work.FontTable.Count(), 1);
  EXPECT_EQ(work.SyntaxBlocks[0].FIText, 1);
  EXPECT_EQ(work.FontTable[0].Font.Size(), 10);
  EXPECT_TRUE(work.FontTable[0].Font.Style.Contains(fsBold));
  EXPECT_FALSE(work.FontTable[0].UseDefFont);
}

TEST_F(SchemeEditor, AStyleKeepsAFontTheScreenLacks) {
  TSyntaxBlock& block = form->WorkingCopy().SyntaxBlocks[0];
  block.FIText = -1;
  int field = -1;
  TStyleChoice style;
  style.UseDefFont = false;
  style.FontName = "No Such Font Anywhere";
  style.Size = 12;
  SetFieldStyle(form->WorkingCopy(), block, field, style, "Courier New", 10);
  block.FIText = field;
  WithPopup([](TSchemePopup& popup) {
    EXPECT_EQ(popup.FontNameBox->currentText().toStdString(), "No Such Font Anywhere");
    popup.OkBut->click();
  });
  form->TextStyleBut->click();
  EXPECT_EQ(form->WorkingCopy().FontTable.Find(field)->Font.Name, "No Such Font Anywhere");
  EXPECT_EQ(form->WorkingCopy().FontTable.Find(field)->Font.Size(), 12);
}

TEST_F(SchemeEditor, TheBlockPopupRefusesAParentBelowTheBlock) {
  int tags = BlockNamed("Tags");
  form->SelectBlock(tags);
  bool refused = false;
  WithPopup([&](TSchemePopup& popup) {
    auto* tree = popup.findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->isEnabled());
    // The block itself may not be its parent.
    QTreeWidgetItem* own = tree->findItems("Tags", Qt::MatchExactly | Qt::MatchRecursive)[0];
    tree->setCurrentItem(own);
    popup.OkBut->click();
    refused = popup.isVisible() && popup.focusWidget() == tree;
    popup.findChild<QLineEdit*>()->setText("Markup");
    tree->setCurrentItem(tree->topLevelItem(0));
    popup.OkBut->click();
  });
  form->EditBlockClick();
  EXPECT_TRUE(refused);
  EXPECT_EQ(BlockNamed("Markup"), tags);
}

TEST_F(SchemeEditor, ColoursComeFromTheColourDialog) {
  form->ClearButClick();
  platform::TColorChoice red;
  red.Color = 0x0000FF;
  dialogs.AnswerColor(red);
  WithPopup([](TSchemePopup& popup) {
    popup.FontColorBut->click();
    popup.OkBut->click();
  });
  form->TextStyleBut->click();
  ASSERT_EQ(form->WorkingCopy().FontTable.Count(), 1);
  EXPECT_EQ(form->WorkingCopy().FontTable[0].Font.Color, 0x0000FFu);
}

TEST_F(SchemeEditor, KeywordListsAreSavedAndLoaded) {
  std::string file = dir.File("words.txt");
  form->ClearButClick();
  form->KeywordsCheck->setChecked(true);
  for (const char* name : {"First", "Second"}) {
    WithPopup([name](TSchemePopup& popup) {
      popup.findChild<QLineEdit*>()->setText(name);
      popup.OkBut->click();
    });
    form->KeywordSetsList->AddClick();
  }
  auto& sets = form->WorkingCopy().SyntaxBlocks[0].KeywordSets;
  sets[0].Keywords = "var,let,const";
  form->KeywordSetsList->List->setCurrentRow(0);
  dialogs.AnswerFile(file);
  form->SaveKeywordsClick();
  EXPECT_EQ(Bytes(file), "const\r\nlet\r\nvar\r\n");
  form->KeywordSetsList->List->setCurrentRow(1);
  dialogs.AnswerFile(file);
  form->LoadKeywordsClick();
  EXPECT_EQ(SortedKeywords(sets[1].Keywords), (std::vector<std::string>{"const", "let", "var"}));
  EXPECT_EQ(form->KeywordsList->count(), 3);
}

TEST_F(SchemeEditor, ShippedSchemesLoadAndSaveUnchanged) {
  for (const auto& entry : std::filesystem::directory_iterator(QUOREL_SYNTAX_DIR)) {
    std::string path = entry.path().string();
    std::string saved = dir.File(entry.path().filename().string());
    dialogs.AnswerFile(path);
    form->LoadButClick();
    EXPECT_EQ(form->FileName(), path);
    dialogs.AnswerFile(saved);
    form->SaveAsButClick();
    EXPECT_EQ(form->FileName(), saved);
    EXPECT_EQ(Bytes(saved), Bytes(path)) << path;
  }
}

TEST_F(SchemeEditor, AFileThatIsNotASchemeLeavesTheWorkingCopy) {
  std::string bad = dir.File("bad.sch");
  test::WriteBytes(bad, "this is not a scheme");
  size_t blocks = form->WorkingCopy().SyntaxBlocks.size();
  dialogs.AnswerFile(bad);
  form->LoadButClick();
  EXPECT_EQ(form->WorkingCopy().SyntaxBlocks.size(), blocks);
  EXPECT_EQ(form->FileName(), "");
}

TEST_F(SchemeEditor, KeywordsAreAddedOnceAndRemovedWithoutAsking) {
  form->ClearButClick();
  form->BlockPages->setCurrentIndex(6);
  form->KeywordsCheck->setChecked(true);
  WithPopup([](TSchemePopup& popup) {
    popup.findChild<QLineEdit*>()->setText("Reserved");
    popup.OkBut->click();
  });
  form->KeywordSetsList->AddClick();
  ASSERT_EQ(form->WorkingCopy().SyntaxBlocks[0].KeywordSets.size(), 1u);
  for (const char* word : {"table", "body", "TABLE"}) {
    WithPopup([word](TSchemePopup& popup) {
      popup.findChild<QLineEdit*>()->setText(word);
      popup.OkBut->click();
    });
    form->AddKeywordClick();
  }
  EXPECT_EQ(form->WorkingCopy().SyntaxBlocks[0].KeywordSets[0].Keywords, "body,table");
  EXPECT_EQ(form->KeywordsList->currentItem()->text().toStdString(), "table");
  form->KeywordsList->selectAll();
  form->RemoveKeywordClick();
  EXPECT_EQ(form->WorkingCopy().SyntaxBlocks[0].KeywordSets[0].Keywords, "");
  EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace quorel
