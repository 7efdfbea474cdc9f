// The built program: its stamped version strings, and the desktop entry that links to it as the
// desktop's own validator sees it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/stdfilesystem.h"
#include "prefs/sendtolinks.h"
#include "prefs/versionstrings.h"
#include "support/recordingprocesses.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

const std::string kProgram = std::string(QUOREL_BIN_DIR) + "/quorel";

TEST(BuiltProgram, CarriesItsVersionStrings) {
  platform::TStdFileSystem files;
  std::vector<std::string> strings = FileVersionStrings(files, kProgram);
  ASSERT_EQ(strings.size(), 9u);  // every key but LegalTradeMarks
  EXPECT_EQ(strings[0], "The Quorel developers");
  EXPECT_EQ(strings[2], "1.5.0");
  EXPECT_EQ(strings[7], "1.5");  // ProductVersion
  EXPECT_EQ(strings[8], "A hand-coding HTML editor");
}

TEST(BuiltProgram, ItsLinkNeedsNoRepairAndPassesTheDesktopValidator) {
  test::TTempDir dir;
  platform::TStdFileSystem files;
  test::TFakeShell shell;
  shell.SendTo = dir.File("applications");
  platform::TServices services{nullptr, nullptr, &files, nullptr, &shell, nullptr};
  TSendToLinks links(services);
  links.CreateSendToLink(kSendToLinkName, kProgram);
  EXPECT_EQ(links.CheckSendToLink(), false);

  std::string command = "desktop-file-validate '" + links.LinkFile(kSendToLinkName) + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  int status = ::pclose(pipe);
  EXPECT_EQ(status, 0) << output;
  EXPECT_EQ(output, "");
}

}  // namespace
}  // namespace quorel
