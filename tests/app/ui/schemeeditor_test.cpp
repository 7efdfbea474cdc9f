// The scheme editor opened from the main window on its working scheme: Cancel changes nothing,
// Apply recolours the document.
#include "app/ui/mainwindowfixture.h"

namespace quorel {
namespace {

struct SchemeEditorWindow : MainWindow {
  void SetUp() override {
    MainWindow::SetUp();
    form->VrelMemo1->InsertText("<p class=\"x\">text</p>");
  }
  std::string Colors() { return form->MemoSource1.GetLineColors(0).str(); }
};

TEST_F(SchemeEditorWindow, CancelLeavesTheWindowsSchemeAndApplyRecolours) {
  const std::string before = Colors();
  Run("SchemeEditor1");
  ASSERT_NE(form->SyntaxEdForm1, nullptr);
  TSyntaxEdForm& editor = *form->SyntaxEdForm1;
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.WorkingCopy().Name, form->SyntaxParser1.SyntaxScheme().Name);
  // New styles start from the window's parser's default font.
  EXPECT_EQ(editor.DefaultFontName, form->SyntaxParser1.DefaultAttr().Font.Name);
  EXPECT_EQ(editor.DefaultFontSize, form->SyntaxParser1.DefaultAttr().Font.Size());
  editor.ClearButClick();
  editor.CancelButClick();
  EXPECT_FALSE(editor.isVisible());
  EXPECT_EQ(Colors(), before);
  EXPECT_GT(form->SyntaxParser1.SyntaxScheme().SyntaxBlocks.size(), 1u);

  // Opened again it shows the window's scheme, not the cleared copy.
  Run("SchemeEditor1");
  EXPECT_GT(editor.WorkingCopy().SyntaxBlocks.size(), 1u);
  editor.ClearButClick();
  editor.ApplyButClick();
  EXPECT_EQ(form->SyntaxParser1.SyntaxScheme().SyntaxBlocks.size(), 1u);
  EXPECT_NE(Colors(), before);  // the tags are no longer coloured as tags
  EXPECT_EQ(Colors(), std::string(Colors().size(), Colors()[0]));
}

}  // namespace
}  // namespace quorel
