// quorel-cli resave: load as the editor does, save in the chosen line end format.
#include <gtest/gtest.h>

#include <sstream>

#include "commands.h"
#include "support/tempdir.h"

namespace quorel {
namespace {

using test::ReadBytes;
using test::TTempDir;
using test::WriteBytes;

int RunCli(std::vector<std::string> args, std::string* err = nullptr) {
  std::ostringstream out, errors;
  int code = cli::Run(args, out, errors);
  if (err) *err = errors.str();
  return code;
}

TEST(CliResave, CleansAndConvertsLineEnds) {
  TTempDir dir;
  WriteBytes(dir.File("in.html"), "<p>  \n\tx\r\n\rend");
  // Without --out-format the first line end sets them all: here LF.
  EXPECT_EQ(RunCli({"resave", dir.File("in.html"), dir.File("out.html")}), 0);
  EXPECT_EQ(ReadBytes(dir.File("out.html")), "<p>\n         x\n\nend\n");
  EXPECT_EQ(
      RunCli({"resave", dir.File("in.html"), dir.File("dos.html"), "--out-format", "windows"}), 0);
  EXPECT_EQ(ReadBytes(dir.File("dos.html")), "<p>\r\n         x\r\n\r\nend");
  EXPECT_EQ(RunCli({"resave", dir.File("in.html"), dir.File("unix.html"), "--out-format", "unix"}),
            0);
  EXPECT_EQ(ReadBytes(dir.File("unix.html")), "<p>\n         x\n\nend\n");
  EXPECT_EQ(RunCli({"resave", "--out-format", "mac", dir.File("in.html"), dir.File("mac.html")}),
            0);
  EXPECT_EQ(ReadBytes(dir.File("mac.html")), "<p>\r         x\r\rend\r");
}

TEST(CliResave, ErrorsExitNonZeroWithAMessage) {
  TTempDir dir;
  std::string err;
  EXPECT_EQ(RunCli({"resave", dir.File("missing"), dir.File("out")}, &err), 1);
  EXPECT_NE(err.find("cannot load"), std::string::npos);
  WriteBytes(dir.File("in"), "x");
  EXPECT_EQ(RunCli({"resave", dir.File("in"), "/nonexistent/folder/out"}, &err), 1);
  EXPECT_NE(err.find("cannot save"), std::string::npos);
  EXPECT_EQ(RunCli({"resave", dir.File("in")}, &err), 2);
  EXPECT_EQ(RunCli({"resave", dir.File("in"), dir.File("o"), "--out-format", "dos"}, &err), 2);
  EXPECT_NE(err.find("windows, mac, unix"), std::string::npos);
  EXPECT_EQ(RunCli({"frobnicate"}, &err), 2);
  EXPECT_NE(err.find("unknown command"), std::string::npos);
  EXPECT_EQ(RunCli({}, &err), 2);
}

TEST(CliTokens, DumpsEachLineWithItsStateAndRuns) {
  TTempDir dir;
  WriteBytes(dir.File("a.html"), "<b>x</b>\r\n\r\n<!-- c\r\n");
  std::ostringstream out, err;
  EXPECT_EQ(cli::Run({"tokens", dir.File("a.html")}, out, err), 0);
  EXPECT_EQ(out.str(), "L1 00BF0000 1:3 0:1 1:4\nL2 00BF0000\nL3 01800100 5:6\n");
  EXPECT_EQ(cli::Run({"tokens", dir.File("missing.html")}, out, err), 1);
  EXPECT_NE(err.str().find("cannot load"), std::string::npos);
  EXPECT_EQ(cli::Run({"tokens"}, out, err), 2);
}

TEST(CliTokens, WithASchemeFileAndTheRunsText) {
  TTempDir dir;
  WriteBytes(dir.File("a.ini"), "[s]\r\n; c\r\n");
  WriteBytes(dir.File("bad.sch"), "object");
  std::ostringstream out, err;
  std::string ini = std::string(QUOREL_TEST_DATA_DIR) + "/../../data/Syntax/INI.sch";
  EXPECT_EQ(cli::Run({"tokens", "--text", "--scheme", ini, dir.File("a.ini")}, out, err), 0)
      << err.str();
  EXPECT_EQ(out.str(), "L1 00BF0000 4[[s]]\nL2 00BF0000 1[; c]\n");
  EXPECT_EQ(cli::Run({"tokens", "--scheme", dir.File("bad.sch"), dir.File("a.ini")}, out, err), 1);
  EXPECT_NE(err.str().find("Identifier expected on line 1"), std::string::npos) << err.str();
}

TEST(CliScheme, WritesTheSchemeAsTheEditorDoes) {
  TTempDir dir;
  WriteBytes(dir.File("in.sch"), "object TPersHolder P.Name = 'A' end");
  std::string err;
  EXPECT_EQ(RunCli({"scheme", dir.File("in.sch"), dir.File("out.sch")}, &err), 0) << err;
  EXPECT_EQ(ReadBytes(dir.File("out.sch")),
            "object TPersHolder\r\n  P.Name = 'A'\r\n  P.SyntaxBlocks = <\r\n    item\r\n"
            "      Name = 'Default'\r\n      ID = 0\r\n      BlockDelimiters = <>\r\n    end>\r\n"
            "  P.FontTable = <>\r\n  P.SyntaxVersion = 3\r\nend\r\n");
  EXPECT_EQ(RunCli({"scheme", dir.File("missing.sch"), dir.File("out.sch")}, &err), 1);
  EXPECT_NE(err.find("Cannot open file"), std::string::npos);
  EXPECT_EQ(RunCli({"scheme", dir.File("in.sch")}, &err), 2);
}

}  // namespace
}  // namespace quorel
