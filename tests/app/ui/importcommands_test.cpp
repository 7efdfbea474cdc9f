// The import commands and RTF documents in the main window: text arriving at the caret, the
// warning after a failed import, ".rtf" files opening with their formatting and saving as RTF,
// and rich text pasted with its formatting.
#include "app/ui/mainwindowfixture.h"
#include "richtext/attributeparser.h"

namespace quorel {
namespace {

using platform::mkWarning;
using test::ReadBytes;
using test::WriteBytes;

using ImportCommands = MainWindow;

const char* const kRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier New;}}"
    "{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}"
    "\\f0\\fs24 Plain {\\b bold} {\\cf1 red} {\\highlight2 marked}\\par second line}";

TEST_F(ImportCommands, ImportInsertsAtTheCaretAndKeepsTheDocumentsName) {
  std::string page = dir.File("page.htm");
  WriteBytes(page, "<p></p>");
  Open(page);
  form->MemoSource1.SetCaretPos(3, 0);
  std::string rtf = dir.File("in.rtf");
  WriteBytes(rtf, kRtf);
  dialogs.AnswerFile(rtf);
  Run("ImportfromRTF1");
  const platform::TFileDialog& shown = dialogs.FileDialogs().back();
  EXPECT_EQ(shown.Title, "Import from a RTF File");
  EXPECT_EQ(shown.Filters[0].Pattern, "*.rtf");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "<p>Plain bold red marked");
  EXPECT_EQ(form->MemoSource1.RawLine(1), "second line</p>");
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1) << "still highlighted";
  EXPECT_EQ(form->DocumentName, page);
  EXPECT_EQ(Panel(2), "Modified");
  EXPECT_TRUE(dialogs.Messages().empty());

  std::string html = dir.File("in.html");
  WriteBytes(html, "<html><head><title>T</title></head><body>one\r\ntwo<br>three</body>");
  dialogs.AnswerFile(html);
  Run("ImportHTML1");
  EXPECT_EQ(dialogs.FileDialogs().back().Title, "Import from a HTML File");
  EXPECT_EQ(form->MemoSource1.RawLine(1), "second lineone two");
  EXPECT_EQ(form->MemoSource1.RawLine(2), "three</p>");
  // Undo takes the imports back (two imports in a row are one step, as typing is).
  form->MemoSource1.Undo();
  EXPECT_EQ(form->MemoSource1.LineCount(), 1);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "<p></p>");
}

TEST_F(ImportCommands, AFailedImportIsReported) {
  Type("keep");
  files.FailRead = true;
  dialogs.AnswerFile(dir.File("in.rtf"));
  Run("ImportfromRTF1");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Kind, mkWarning);
  EXPECT_EQ(LastMessage(), "An error has occured and import aborted!");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "keep");
  files.FailRead = false;
  dialogs.AnswerFile(std::nullopt);
  Run("ImportHTML1");  // cancelled: nothing
  EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(ImportCommands, AnRtfFileOpensWithItsFormattingAndSavesAsRtf) {
  Open(dir.File("missing.rtf"));  // nothing changes but the message
  EXPECT_EQ(LastMessage(), "Unable to open the File - \r\r" + dir.File("missing.rtf"));
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1);
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
  std::string file = dir.File("Letter.RTF");
  WriteBytes(file, kRtf);
  Open(file);
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "RTF");
  OpenMenu("Parser1");
  EXPECT_TRUE(Command("RichTextFormat1")->isChecked());
  EXPECT_FALSE(Command("Default1")->isChecked());
  TAttributeParser* styles = form->VrelMemo1->AttributeParser();
  ASSERT_NE(styles, nullptr);
  ASSERT_EQ(form->MemoSource1.SyntaxParser(), styles);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "Plain bold red marked");
  EXPECT_EQ(Panel(2), "");
  EXPECT_FALSE(form->MemoSource1.CanUndo());
  auto styleAt = [&](int x) {
    return styles->Style(static_cast<unsigned char>(form->MemoSource1.GetLineColors(0)[x]));
  };
  EXPECT_EQ(styleAt(0).Name, "Arial");
  EXPECT_EQ(styleAt(0).Size, 12);
  EXPECT_TRUE(styleAt(6).Style.Contains(fsBold));
  EXPECT_EQ(styleAt(11).Color, TColor(0x0000FF));
  EXPECT_EQ(styleAt(15).BackColor, TColor(0x00FFFF));

  // Saving writes RTF, which opens again with the same text and formatting.
  Type("Dear ");
  Run("Save1");
  std::string saved = ReadBytes(file);
  EXPECT_EQ(saved.rfind("{\\rtf1\\ansi ", 0), 0u) << saved;
  Open(file);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "Dear Plain bold red marked");
  EXPECT_EQ(form->MemoSource1.RawLine(1), "second line");
  EXPECT_TRUE(styleAt(11).Style.Contains(fsBold));
  EXPECT_EQ(styleAt(16).Color, TColor(0x0000FF));
  EXPECT_EQ(styleAt(20).BackColor, TColor(0x00FFFF));

  // Another document brings the scheme back.
  std::string page = dir.File("page.html");
  WriteBytes(page, "<p>x</p>");
  Open(page);
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1);
  EXPECT_EQ(form->Settings.CurrentSyntaxScheme, "Default");
}

TEST_F(ImportCommands, RichTextIsPastedWithItsFormattingOnlyInAFormattedDocument) {
  std::string file = dir.File("doc.rtf");
  WriteBytes(file, "{\\rtf1 start}");
  Open(file);
  clipboard.SetTextAndRtf("red", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1 red}");
  form->MemoSource1.SetCaretPos(5, 0);
  Run("Paste1");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "startred");
  TAttributeParser* styles = form->VrelMemo1->AttributeParser();
  int red = static_cast<unsigned char>(form->MemoSource1.GetLineColors(0)[6]);
  EXPECT_EQ(styles->Style(red).Color, TColor(0x0000FF));

  // Dragging formatted text copies or moves it with its formatting.
  form->MemoSource1.SetCaretPos(0, 0);                   // the drop point
  form->MemoSource1.SetSelection(stStream, 5, 0, 8, 0);  // "red"
  form->VrelMemo1->DropSelection(false);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "redstartred");
  EXPECT_EQ(styles->Style(static_cast<unsigned char>(form->MemoSource1.GetLineColors(0)[1])).Color,
            TColor(0x0000FF));
  form->MemoSource1.SetCaretPos(8, 0);
  form->MemoSource1.SetSelection(stStream, 0, 0, 3, 0);
  form->VrelMemo1->DropSelection(true);
  EXPECT_EQ(form->MemoSource1.RawLine(0), "startredred");
  EXPECT_EQ(styles->Style(static_cast<unsigned char>(form->MemoSource1.GetLineColors(0)[10])).Color,
            TColor(0x0000FF));

  dialogs.AnswerMessage(platform::mrNo);  // do not save the changed document
  Run("New1");
  EXPECT_EQ(form->MemoSource1.SyntaxParser(), &form->SyntaxParser1);
  Run("Paste1");
  EXPECT_EQ(form->MemoSource1.RawLine(0), "red") << "plain text in a highlighted document";
}

}  // namespace
}  // namespace quorel
