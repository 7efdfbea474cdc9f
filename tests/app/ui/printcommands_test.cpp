// "&Print..." in the main window: the dialog on the document, the print going to the window's
// printer, and the options kept for the next print.
#include <QTimer>

#include "app/ui/mainwindowfixture.h"
#include "print/ui/memoprintform.h"
#include "support/recordingprinter.h"

namespace quorel {
namespace {

struct PrintCommand : MainWindow {
  test::TRecordingPrinter* printer = nullptr;
  TMemoPrintForm* form1 = nullptr;
  void SetUp() override {
    MainWindow::SetUp();
    auto owned = std::make_unique<test::TRecordingPrinter>(96, 700, 900);
    printer = owned.get();
    form->Print->SetPrinter(std::move(owned));
    form->VrelMemo1->OnCreateDialog = [this](TCustomVrelMemo&, QWidget& dialog) {
      if (auto* f = qobject_cast<TMemoPrintForm*>(&dialog)) form1 = f;
    };
  }
  // Chooses Print with `inDialog` done in the open dialog.
  void Print(std::function<void(TMemoPrintForm&)> inDialog) {
    QTimer::singleShot(0, [&] {
      ASSERT_NE(form1, nullptr);
      inDialog(*form1);
    });
    Run("Print1");
  }
};

TEST_F(PrintCommand, IsCtrlPAndNeedsText) {
  EXPECT_EQ(Command("Print1")->text().toStdString(), "&Print...");
  EXPECT_EQ(Command("Print1")->shortcut(), QKeySequence("Ctrl+P"));
  EXPECT_FALSE(Command("Print1")->isEnabled());
  form->VrelMemo1->InsertText("<p>one</p>\r\n<p>two</p>");
  EXPECT_TRUE(Command("Print1")->isEnabled());
}

TEST_F(PrintCommand, PrintsTheDocumentAndKeepsTheChoicesForTheNextPrint) {
  std::string path = dir.File("index.html");
  test::WriteBytes(path, "<p>one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n");
  Open(path);
  Print([&](TMemoPrintForm& f) {
    EXPECT_EQ(f.FileNameLabel->text().toStdString(), path);
    EXPECT_FALSE(f.PrintSelCheck->isEnabled());
    // The window's first print: wrapped, in colour, with progress.
    EXPECT_TRUE(f.WrapLinesCheck->isChecked());
    EXPECT_TRUE(f.InColorCheck->isChecked());
    EXPECT_TRUE(f.ProgressCheck->isChecked());
    EXPECT_FALSE(f.SyntaxCheck->isChecked());
    f.SyntaxCheck->setChecked(true);
    f.HeaderCheck->setChecked(true);
    f.OkBut->click();
  });
  EXPECT_EQ(printer->Begun, 1);
  EXPECT_EQ(printer->Title, path);
  ASSERT_EQ(printer->Pages.size(), 1u);
  EXPECT_FALSE(form->MemoSource1.Modified());

  form->MemoSource1.SetCaretPos(0, 1);
  form->MemoSource1.SetSelection(stStream, 0, 1, 3, 2);
  Print([&](TMemoPrintForm& f) {
    EXPECT_TRUE(f.SyntaxCheck->isChecked());
    EXPECT_TRUE(f.HeaderCheck->isChecked());
    EXPECT_TRUE(f.PrintSelCheck->isChecked());
    f.CancelBut->click();
  });
  EXPECT_EQ(printer->Begun, 1);  // cancelled: nothing more printed
  EXPECT_TRUE(form->MemoSource1.HasSelection());
}

}  // namespace
}  // namespace quorel
