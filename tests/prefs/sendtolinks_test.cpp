// The Send To link as a desktop entry: its text, its program read back, and the rule that says
// when it needs repairing.
#include "prefs/sendtolinks.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/memoryclipboard.h"
#include "platform/settings.h"
#include "prefs/desktopentry.h"
#include "prefs/mainsettings.h"
#include "prefs/versionstrings.h"
#include "support/faultyfilesystem.h"
#include "support/recordingprocesses.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

TEST(DesktopEntry, EveryCharacterOfTheProgramPathSurvivesQuotingAndEscaping) {
  for (std::string path : {"/usr/bin/quorel", "/opt/My Editor/quorel", "/tmp/a\"b`c$d\\e",
                           "/tmp/100%/x%%y", "/tmp/new\nline\ttab", "/home/zoë/bin/quorel"}) {
    std::string text = DesktopEntryText("Quorel 1.5", path);
    EXPECT_EQ(DesktopEntryProgram(text), path) << text;
    EXPECT_NE(text.find("Name=Quorel 1.5\n"), std::string::npos);
    EXPECT_NE(text.find(" %F\n"), std::string::npos);
    EXPECT_NE(text.find("MimeType=text/html;"), std::string::npos);
  }
  // A path holding a blank is quoted; the working folder is the program's.
  std::string text = DesktopEntryText("Quorel 1.5", "/opt/My Editor/quorel");
  EXPECT_NE(text.find("Exec=\"/opt/My Editor/quorel\" %F\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Path=/opt/My Editor/\n"), std::string::npos) << text;
}

TEST(DesktopEntry, ReadsOnlyTheMainGroupsExec) {
  EXPECT_EQ(DesktopEntryProgram("[Desktop Action new]\nExec=/bin/other\n"
                                "[Desktop Entry]\r\nName=X\r\n  Exec = firefox %u\r\n"),
            "firefox");
  EXPECT_EQ(DesktopEntryProgram("[Desktop Entry]\nName=No program\n"), "");
  EXPECT_EQ(DesktopEntryProgram("Exec=/bin/outside-any-group\n"), "");
  EXPECT_EQ(DesktopEntryProgram(std::string("\x00\xff[Desktop Entry\nExec=", 20)), "");
}

struct SendToLinks : ::testing::Test {
  test::TTempDir dir;
  test::TFaultyFileSystem files;
  test::TFakeShell shell;
  platform::TServices services{nullptr, nullptr, &files, nullptr, &shell, nullptr};
  std::string folder = dir.File("applications");

  void SetUp() override { shell.SendTo = folder; }
  std::string LinkPath() { return folder + "/Quorel 1.5.desktop"; }
  // A program file stamped with these version strings.
  std::string Program(const std::string& name,
                      const std::vector<std::pair<std::string, std::string>>& strings) {
    std::string path = dir.File(name);
    test::WriteBytes(path,
                     "\x7f"
                     "ELF..." +
                         VersionStamp(strings) + "...");
    return path;
  }
};

TEST_F(SendToLinks, AddingDeletingAndReadingBackTheLink) {
  TSendToLinks links(services);
  EXPECT_EQ(links.ShellFolderPath("SendTo"), folder);
  EXPECT_EQ(links.ShellFolderPath("Nowhere"), "Error");
  EXPECT_FALSE(links.SendToLinkExists(kSendToLinkName));
  // A fresh account has no applications folder yet: it is made.
  links.CreateSendToLink(kSendToLinkName, "/opt/quorel/quorel");
  ASSERT_TRUE(links.SendToLinkExists(kSendToLinkName));
  EXPECT_FALSE(links.SendToLinkExists(kOldSendToLinkName));
  EXPECT_EQ(links.LinkTarget(LinkPath()), "/opt/quorel/quorel");
  links.DeleteSendToLink(kSendToLinkName);
  EXPECT_FALSE(std::filesystem::exists(LinkPath()));
  links.DeleteSendToLink(kSendToLinkName);  // nothing there: nothing happens
  EXPECT_EQ(links.LinkTarget(LinkPath()), "");
}

TEST_F(SendToLinks, WithoutAFolderEverythingSaysNo) {
  shell.SendTo = "";
  TSendToLinks links(services);
  EXPECT_EQ(links.ShellFolderPath("SendTo"), "Error");
  links.CreateSendToLink(kSendToLinkName, "/opt/quorel/quorel");
  EXPECT_FALSE(links.SendToLinkExists(kSendToLinkName));
  EXPECT_EQ(links.CheckSendToLink(), std::nullopt);
  EXPECT_EQ(dir.FileCount(), 0);
  // A named folder that does not exist leaves the repair button as it was too.
  shell.SendTo = folder;
  EXPECT_EQ(links.CheckSendToLink(), std::nullopt);
}

TEST_F(SendToLinks, RepairIsOfferedUnlessTheLinkStartsAVersion15Program) {
  TSendToLinks links(services);
  std::filesystem::create_directories(folder);
  EXPECT_EQ(links.CheckSendToLink(), true);  // no link
  links.CreateSendToLink(kSendToLinkName, dir.File("gone"));
  EXPECT_EQ(links.CheckSendToLink(), true);  // a link to nothing

  auto pointAt = [&](const std::string& program) {
    links.DeleteSendToLink(kSendToLinkName);
    links.CreateSendToLink(kSendToLinkName, program);
  };
  pointAt(Program("old",
                  {{"CompanyName", "Q"}, {"FileDescription", "Editor"}, {"FileVersion", "1.4.2"}}));
  EXPECT_EQ(links.CheckSendToLink(), true);
  pointAt(Program("current",
                  {{"CompanyName", "Q"}, {"FileDescription", "Editor"}, {"FileVersion", "1.5.7"}}));
  EXPECT_EQ(links.CheckSendToLink(), false);
  pointAt(Program("plain", {}));  // no version strings at all
  EXPECT_EQ(links.CheckSendToLink(), true);
  // One string, or two: no third string to hold a version.
  pointAt(Program("one", {{"FileVersion", "1.5.0"}}));
  EXPECT_EQ(links.CheckSendToLink(), true);
  pointAt(Program("two", {{"FileDescription", "Editor"}, {"FileVersion", "1.5.0"}}));
  EXPECT_EQ(links.CheckSendToLink(), true);
  // A folder, an endless device and a pipe with no writer are no programs, and are not read.
  pointAt(dir.Path());
  EXPECT_EQ(links.CheckSendToLink(), true);
  pointAt("/dev/zero");
  EXPECT_EQ(links.CheckSendToLink(), true);
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  pointAt(dir.File("pipe"));
  EXPECT_EQ(links.CheckSendToLink(), true);
}

TEST_F(SendToLinks, AFailedWriteLeavesTheOldLinkWhole) {
  TSendToLinks links(services);
  links.CreateSendToLink(kSendToLinkName, "/opt/old/quorel");
  std::string before = files.ReadWholeFile(LinkPath());
  files.FailWriteAfter = 10;
  links.CreateSendToLink(kSendToLinkName, "/opt/new/quorel");
  EXPECT_EQ(files.ReadWholeFile(LinkPath()), before);
  EXPECT_EQ(dir.FileCount(), 1);  // no temporary file left beside it either
}

// Settings recorded in the order they are written.
struct TRecordingSettings : platform::TMemorySettings {
  std::vector<std::string> Written;
  void WriteInteger(const std::string& name, int32_t value) override {
    Written.push_back(name);
    TMemorySettings::WriteInteger(name, value);
  }
  void WriteString(const std::string& name, const std::string& value) override {
    Written.push_back(name);
    TMemorySettings::WriteString(name, value);
  }
};

TEST(PreferenceValues, EmptyBrowserNamesAndPathsAreNotWrittenEverythingElseIs) {
  TRecordingSettings settings;
  settings.WriteString("ThirdBrowser", "Kept");
  settings.Written.clear();
  TMainSettings values;
  values.PrimaryBrowser = 2;
  values.BrowserNames = {"Web", "", ""};
  values.BrowserLocations = {"/usr/bin/web", "", "/usr/bin/third"};
  values.SpecifiedFolder = "";
  WritePreferenceSettings(settings, values);
  EXPECT_EQ(settings.Written,
            (std::vector<std::string>{"PrimaryBrowser", "SecondBrowser", "SecondLocation",
                                      "FourthLocation", "DisableWarning", "AutoSave", "LastFolder",
                                      "SpecifiedFolder", "FileNameSpaces", "SpaceReplacement",
                                      "TaskbarCaptionType", "ProgramCaptionType", "HistoryEnabled",
                                      "HistoryListNo", "SmartMenuEnabled", "SmartMenuItems"}));
  EXPECT_EQ(settings.ReadString("ThirdBrowser"), "Kept");
  EXPECT_EQ(settings.ReadString("SpecifiedFolder"), "");
  EXPECT_EQ(settings.ReadInteger("PrimaryBrowser"), 2);
}

}  // namespace
}  // namespace quorel
