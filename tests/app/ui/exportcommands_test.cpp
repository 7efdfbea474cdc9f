// The export commands of the main window: the names they propose, what they say, what they
// leave alone, and the rich text the view's copy puts beside the plain text.
#include <filesystem>

#include "app/ui/mainwindowfixture.h"

namespace quorel {
namespace {

using platform::mkInformation;
using platform::mkWarning;
using test::ReadBytes;
using test::WriteBytes;

using ExportCommands = MainWindow;

TEST_F(ExportCommands, ItemsFollowWhetherTheDocumentHoldsText) {
  EXPECT_FALSE(Command("ExportasRTF1")->isEnabled());
  EXPECT_FALSE(Command("ExportasHTML1")->isEnabled());
  Type("x");
  EXPECT_TRUE(Command("ExportasRTF1")->isEnabled());
  EXPECT_TRUE(Command("ExportasHTML1")->isEnabled());
  form->MemoSource1.Undo();
  EXPECT_FALSE(Command("ExportasRTF1")->isEnabled());
  EXPECT_EQ(Command("ExportasRTF1")->text().toStdString(), "&Export as RTF");
  EXPECT_EQ(Command("ExportasHTML1")->text().toStdString(), "E&xport as HTML");
}

TEST_F(ExportCommands, ProposedNames) {
  std::string web = dir.File("web");
  std::filesystem::create_directory(web);
  std::string page = web + "/index.html";
  WriteBytes(page, "<p>page</p>");
  Open(page);
  Run("ExportasRTF1");  // cancelled
  ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
  const platform::TFileDialog& rtf = dialogs.FileDialogs()[0];
  EXPECT_EQ(rtf.Title, "Export as RTF");
  EXPECT_EQ(rtf.FileName, "index.rtf");
  EXPECT_EQ(rtf.InitialDir, web + "/");
  EXPECT_EQ(rtf.DefaultExt, "*.rtf");
  ASSERT_EQ(rtf.Filters.size(), 1u);
  EXPECT_EQ(rtf.Filters[0].Description, "Rich Text File (*.rtf)");

  form->SetDocumentName(web + "/archive.tar.htm");
  Run("ExportasRTF1");
  EXPECT_EQ(dialogs.FileDialogs()[1].FileName, "archive.tar.rtf");
  form->SetDocumentName(web + "/README");
  Run("ExportasHTML1");
  EXPECT_EQ(dialogs.FileDialogs()[2].FileName, "README.html");
  EXPECT_EQ(dialogs.FileDialogs()[2].Filters.size(), 4u);

  Run("New1");
  form->CurrentFolder = dir.Path() + "/";
  Type("x");
  Run("ExportasHTML1");
  const platform::TFileDialog& html = dialogs.FileDialogs()[3];
  EXPECT_EQ(html.Title, "Export as HTML");
  EXPECT_EQ(html.FileName, "untitled.html");
  EXPECT_EQ(html.InitialDir, dir.Path() + "/");
  EXPECT_TRUE(dialogs.Messages().empty()) << "a cancelled export says nothing";
}

TEST_F(ExportCommands, ExportWritesTheFileAndLeavesTheDocumentAlone) {
  std::string page = dir.File("page.htm");
  WriteBytes(page, "<b>bold</b> text");
  Open(page);
  Type("new ");
  std::vector<std::string> recent(form->RecentFiles.begin(), form->RecentFiles.end());
  std::string folder = form->CurrentFolder;

  std::string rtf = dir.File("out.rtf");
  dialogs.AnswerFile(rtf);
  Run("ExportasRTF1");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Kind, mkInformation);
  EXPECT_EQ(LastMessage(), "Your document has been exported to a rtf file of name:-\r\r" + rtf);
  std::string written = ReadBytes(rtf);
  EXPECT_EQ(written.rfind("{\\rtf1\\ansi ", 0), 0u);
  EXPECT_NE(written.find("{\\cf0 new }}}{\\cf1 <b>}"), std::string::npos) << written;

  std::string html = dir.File("out.html");
  dialogs.AnswerFile(html);
  Run("ExportasHTML1");
  EXPECT_EQ(LastMessage(), "Your document has been exported to a html file of name:-\r\r" + html);
  EXPECT_NE(ReadBytes(html).find("<Title>MemoSource1</Title>"), std::string::npos);

  EXPECT_EQ(form->DocumentName, page);
  EXPECT_TRUE(form->MemoSource1.Modified());
  EXPECT_EQ(Panel(2), "Modified");
  EXPECT_EQ(std::vector<std::string>(form->RecentFiles.begin(), form->RecentFiles.end()), recent);
  EXPECT_EQ(form->CurrentFolder, folder);
  EXPECT_EQ(ReadBytes(page), "<b>bold</b> text");
}

TEST_F(ExportCommands, AReadOnlyTargetIsWarnedAboutAndKept) {
  Type("text");
  std::string target = dir.File("locked.html");
  WriteBytes(target, "keep me");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read);
  dialogs.AnswerFile(target);
  Run("ExportasHTML1");
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Kind, mkWarning);
  EXPECT_EQ(LastMessage(),
            "An error has occured and export aborted, check destinations read only properties!");
  EXPECT_EQ(ReadBytes(target), "keep me");

  files.FailWriteAfter = 10;  // a full disk
  std::filesystem::permissions(target, std::filesystem::perms::owner_all);
  dialogs.AnswerFile(target);
  Run("ExportasRTF1");
  EXPECT_EQ(dialogs.Messages().back().Kind, mkWarning);
  EXPECT_EQ(ReadBytes(target), "keep me");
}

TEST_F(ExportCommands, CopyPutsTheSelectionsRtfBesideTheText) {
  form->VrelMemo1->InsertText("<b>bold</b> text\r\nline two");
  form->MemoSource1.SetSelection(stStream, 3, 0, 4, 1);
  Run("Copy1");
  EXPECT_EQ(clipboard.GetText(), "bold</b> text\r\nline");
  ASSERT_TRUE(clipboard.HasRtf());
  std::string rtf = clipboard.GetRtf();
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi ", 0), 0u);
  EXPECT_NE(rtf.find("bold}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("{\\line \r\n}{\\f1 {\\fs16 \r\n{\\cf0 line}"), std::string::npos) << rtf;
  EXPECT_EQ(rtf.find("<b>"), std::string::npos) << "only the selection";

  // Cut does the same and removes the selection in one undo step.
  form->MemoSource1.SetSelection(stStream, 0, 1, 4, 1);
  Run("Cut1");
  EXPECT_EQ(clipboard.GetText(), "line");
  EXPECT_TRUE(clipboard.HasRtf());
  EXPECT_EQ(form->MemoSource1.RawLine(1), " two");
  form->MemoSource1.Undo();
  EXPECT_EQ(form->MemoSource1.RawLine(1), "line two");

  // A view that copies plain text leaves no rich text behind.
  form->VrelMemo1->ClipboardType = cbNormal;
  form->MemoSource1.SetSelection(stStream, 0, 0, 3, 0);
  Run("Copy1");
  EXPECT_EQ(clipboard.GetText(), "<b>");
  EXPECT_FALSE(clipboard.HasRtf());
}

}  // namespace
}  // namespace quorel
