// Previewing in a browser, the Java tools and the help page, with the browsers, the terminal and
// the desktop scripted: what is saved or written first, what is started with what, and each
// message.
#include <gtest/gtest.h>

#include <QMenu>
#include <filesystem>

#include "app/form1.h"
#include "mainwindowfixture.h"

namespace quorel {
namespace {

using test::ReadBytes;
using test::WriteBytes;

struct Preview : MainWindow {
  std::string Temp() const { return dir.File("userdata/Temp.html"); }
  void OpenPage(const std::string& name, const std::string& text) {
    WriteBytes(dir.File(name), text);
    Open(dir.File(name));
  }
};

TEST_F(Preview, AutoSaveSavesANamedDocumentAndShowsItsFile) {
  OpenPage("page.htm", "<p>old</p>");
  Type("<b>new</b>");
  form->Settings.AutoSave = true;
  Run("ToolButton16");
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(ReadBytes(dir.File("page.htm")), "<b>new</b><p>old</p>");
  EXPECT_FALSE(form->MemoSource1.Modified());
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_EQ(shell.Opened[0], dir.File("page.htm"));
}

TEST_F(Preview, DisableWarningsShowsATemporaryCopyAndKeepsTheChanges) {
  OpenPage("page.htm", "<p>old</p>");
  Type("<b>new</b>");
  form->Settings.DisableWarning = true;
  Run("ToolButton16");
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(ReadBytes(Temp()), "<b>new</b><p>old</p>");
  EXPECT_EQ(ReadBytes(dir.File("page.htm")), "<p>old</p>");
  EXPECT_TRUE(form->MemoSource1.Modified());
  EXPECT_EQ(form->DocumentName, dir.File("page.htm"));
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_EQ(shell.Opened[0], Temp());
}

TEST_F(Preview, TheQuestionForAModifiedDocument) {
  Type("<p>draft</p>");
  // Yes on an untitled document asks for a name; cancelling that stops.
  dialogs.AnswerMessage(platform::mrYes);
  dialogs.AnswerFile(std::nullopt);
  Run("ToolButton16");
  EXPECT_EQ(LastMessage(),
            "Do you wish to save this file first? - \rAnswering no will create a temporary file "
            "from which to preview\r\r[untitled]");
  EXPECT_TRUE(shell.Opened.empty());
  // No previews a temporary copy; Cancel does nothing.
  dialogs.AnswerMessage(platform::mrNo);
  Run("ToolButton16");
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_EQ(shell.Opened[0], Temp());
  dialogs.AnswerMessage(platform::mrCancel);
  Run("ToolButton16");
  EXPECT_EQ(shell.Opened.size(), 1u);
  // Yes with a name saves, then shows the saved file.
  dialogs.AnswerMessage(platform::mrYes);
  dialogs.AnswerFile(dir.File("draft.htm"));
  Run("ToolButton16");
  EXPECT_EQ(ReadBytes(dir.File("draft.htm")), "<p>draft</p>");
  EXPECT_EQ(shell.Opened.back(), dir.File("draft.htm"));
  EXPECT_FALSE(form->MemoSource1.Modified());
}

TEST_F(Preview, TheBrowserMenuOnAnEmptyDocument) {
  form->Settings.BrowserNames = {"Firefly", "", "Other"};
  form->Settings.PrimaryBrowser = 4;
  OpenMenu("PopupMenu2");
  EXPECT_FALSE(Command("DefaultSystemBrowser1")->isEnabled());
  EXPECT_FALSE(Command("Name1")->isEnabled());
  EXPECT_EQ(Command("Name1")->text(), "Firefly");
  EXPECT_TRUE(Command("Name1")->isVisible());
  EXPECT_FALSE(Command("Name2")->isVisible());
  EXPECT_EQ(Menu("PopupMenu2")->defaultAction(), Command("Name3"));
  // The button itself drops the menu down when there is nothing to show.
  form->show();
  Run("ToolButton16");
  EXPECT_TRUE(Menu("PopupMenu2")->isVisible());
  Menu("PopupMenu2")->hide();
  EXPECT_TRUE(shell.Opened.empty());
  Type("x");
  OpenMenu("PopupMenu2");
  EXPECT_TRUE(Command("DefaultSystemBrowser1")->isEnabled());
  EXPECT_TRUE(Command("Name3")->isEnabled());
  // The switches are the settings.
  Run("Warnings1");
  Run("AutoSave1");
  EXPECT_TRUE(form->Settings.DisableWarning);
  EXPECT_TRUE(form->Settings.AutoSave);
}

TEST_F(Preview, NamedBrowsersStartWithThePageAndFailuresAreTold) {
  OpenPage("my page.htm", "<p>x</p>");
  form->Settings.BrowserLocations = {"/opt/fire fly/firefly", "/usr/bin/b3", "/usr/bin/b4"};
  Run("Name1");
  ASSERT_EQ(processes.Launches.size(), 1u);
  EXPECT_EQ(processes.Launches[0].Program, "/opt/fire fly/firefly");
  EXPECT_EQ(processes.Launches[0].Arguments, std::vector<std::string>{dir.File("my page.htm")});
  processes.FailLaunch = true;
  Run("Name3");
  EXPECT_EQ(LastMessage(), "Failed to run CreateProcessSimple call(4)");
  shell.FailOpen = true;
  Run("DefaultSystemBrowser1");
  EXPECT_EQ(LastMessage(), "Failed to run ShellExecute call(1)");
}

TEST_F(Preview, ATemporaryCopyThatCannotBeWrittenStopsThePreview) {
  Type("<p>x</p>");
  form->Settings.DisableWarning = true;
  files.FailCreateTemp = true;
  Run("DefaultSystemBrowser1");
  EXPECT_EQ(LastMessage(), "Failed to create temp file!!, preview in broswer failed");
  EXPECT_TRUE(shell.Opened.empty());
}

TEST_F(Preview, RunJavaWritesTheAppletPageOrUsesTheOneThere) {
  WriteBytes(dir.File("Hello.class"), "class");
  OpenPage("Hello.java", "class Hello {}");
  Run("ToolButton23");
  EXPECT_EQ(ReadBytes(dir.File("Hello.htm")),
            "<html><applet code=\"Hello.class\" width=540 height=380></applet></html>\r\n");
  EXPECT_EQ(shell.Opened.back(), dir.File("Hello.htm"));
  std::filesystem::remove(dir.File("Hello.htm"));
  // A page that cannot be written is told, and nothing is opened.
  files.FailCreateTemp = true;
  size_t opened = shell.Opened.size();
  Run("ToolButton23");
  EXPECT_EQ(LastMessage(), "Unable to write temporary html file!");
  EXPECT_EQ(shell.Opened.size(), opened);
  files.FailCreateTemp = false;
  WriteBytes(dir.File("Hello.html"), "<p>mine</p>");
  Run("ToolButton23");
  EXPECT_FALSE(std::filesystem::exists(dir.File("Hello.htm")));
  EXPECT_EQ(shell.Opened.back(), dir.File("Hello.html"));
  std::filesystem::remove(dir.File("Hello.class"));
  Run("ToolButton23");
  EXPECT_EQ(LastMessage(),
            dir.File("Hello.class") + " file does not exist!\r\rPlease compile first!!");
  OpenPage("page.htm", "<p></p>");
  Run("ToolButton23");
  EXPECT_EQ(LastMessage(), "You must have a java file open that you have compiled!");
}

TEST_F(Preview, CompileShowsTheCommandThenRunsItInATerminal) {
  std::string javac = dir.File("jdk/bin/javac");
  std::filesystem::create_directories(dir.File("jdk/bin"));
  WriteBytes(javac, "#!/bin/sh\n");
  processes.OnPath["x-terminal-emulator"] = "/usr/bin/x-terminal-emulator";
  OpenPage("Hello.java", "class Hello {}");
  // No compiler yet: the warning, then the picker, whose choice is kept.
  dialogs.AnswerFile(javac);
  Run("ToolButton22");
  ASSERT_GE(dialogs.Messages().size(), 2u);
  EXPECT_EQ(dialogs.Messages()[0].Text, "You must specify the location of the Java Compiler!");
  EXPECT_EQ(settings.ReadString("JavaCompiler"), javac);
  std::string script = javac + " " + dir.File("Hello.java") +
                       "; echo; echo Press Enter to close this window.; read line";
  // The box shows the very command line.
  EXPECT_EQ(LastMessage(), "/usr/bin/x-terminal-emulator -e sh -c '" + script + "'");
  ASSERT_EQ(processes.Launches.size(), 1u);
  EXPECT_EQ(processes.Launches[0].Program, "/usr/bin/x-terminal-emulator");
  EXPECT_EQ(processes.Launches[0].Arguments, (std::vector<std::string>{"-e", "sh", "-c", script}));
  // A blank in a path is quoted for the shell, and the command still says what runs.
  std::filesystem::create_directories(dir.File("my work"));
  WriteBytes(dir.File("my work/Hello.java"), "class Hello {}");
  Open(dir.File("my work/Hello.java"));
  Run("ToolButton22");
  EXPECT_EQ(processes.Launches.back().Arguments[3],
            javac + " '" + dir.File("my work/Hello.java") +
                "'; echo; echo Press Enter to close this window.; read line");
  EXPECT_NE(LastMessage().find("'\\''"), std::string::npos);
  OpenPage("Hello.java", "class Hello {}");
  processes.Launches.clear();
  Run("ToolButton22");
  // Unsaved changes: OK saves first, Cancel stops; a page is no Java source.
  Type("// more\r\n");
  dialogs.AnswerMessage(platform::mrCancel);
  Run("ToolButton22");
  EXPECT_EQ(LastMessage(), "You must save your document first!!");
  EXPECT_EQ(processes.Launches.size(), 1u);  // only the run before the change
  dialogs.AnswerMessage(platform::mrOk);
  Run("ToolButton22");
  EXPECT_EQ(ReadBytes(dir.File("Hello.java")), "// more\r\nclass Hello {}");
  EXPECT_EQ(processes.Launches.size(), 2u);
  // Without a terminal program there is nothing to run the compiler in.
  processes.OnPath.clear();
  Run("ToolButton22");
  EXPECT_EQ(LastMessage(),
            "No terminal window program was found to run the Java compiler in "
            "(x-terminal-emulator or xterm)!");
  EXPECT_EQ(processes.Launches.size(), 2u);
  OpenPage("page.htm", "<p></p>");
  Run("ToolButton22");
  EXPECT_EQ(LastMessage(), "Your file must have the .java extension to compile!");
}

TEST_F(Preview, HelpOpensThePageBesideTheProgramOrSaysItIsMissing) {
  processes.Program = dir.File("quorel");
  form = std::make_unique<TForm1>(services);
  Run("Help1");
  EXPECT_EQ(LastMessage().rfind("Help file does not exist please re-install!!\r\r", 0), 0u);
  std::filesystem::create_directories(dir.File("Help"));
  WriteBytes(dir.File("Help/index.html"), "<!DOCTYPE html>");
  Run("Help1");
  ASSERT_EQ(shell.Opened.size(), 1u);
  EXPECT_EQ(shell.Opened[0], dir.File("Help/index.html"));
}

}  // namespace
}  // namespace quorel
