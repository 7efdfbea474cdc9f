// Scheme files that cannot be read: the reader's message with its line, the error box, and a
// scheme (and its parser's colouring) left as it was; files that cannot be opened or written.
#include <gtest/gtest.h>

#include <random>

#include "engine/vrelerror.h"
#include "platform/services.h"
#include "support/faultyfilesystem.h"
#include "support/golden.h"
#include "support/scripteddialogs.h"
#include "support/tempdir.h"
#include "syntax/htmlscheme.h"
#include "syntax/schemefile.h"
#include "syntax/syntaxparser.h"
#include "syntax/syntaxscheme.h"

namespace quorel {
namespace {

// The message SchemeFromText fails with, or "" when it reads the text.
std::string ReadError(const std::string& text) {
  TSyntaxScheme s;
  try {
    SchemeFromText(text, s);
  } catch (const EVrelError& e) {
    return e.what();
  }
  return "";
}

struct TMalformed {
  const char* File;
  const char* Message;
};

const TMalformed kMalformed[] = {
    {"empty", "object expected on line 1"},
    {"wrong_header", "object expected on line 1"},
    {"binary_junk", "object expected on line 1"},
    {"header_without_class", "Identifier expected on line 2"},
    {"truncated", "Identifier expected on line 16"},
    {"truncated_in_string", "Invalid string constant on line 2"},
    {"truncated_in_collection", "Identifier expected on line 40"},
    {"no_end", "Identifier expected on line 3"},
    {"string_across_lines", "Invalid string constant on line 2"},
    {"code_without_digits", "Invalid string constant on line 2"},
    {"code_beyond_a_byte", "Invalid string constant on line 2"},
    {"code_huge", "Invalid string constant on line 2"},
    {"missing_equals", "''='' expected on line 2"},
    {"item_after_end", "item expected on line 6"},
    {"collection_not_closed", "Identifier expected on line 5"},
    {"collection_closed_twice", "Identifier expected on line 2"},
    {"list_not_closed", "Invalid property value on line 3"},
    {"no_value", "Invalid property value on line 2"},
    {"zero_byte", "Invalid property value on line 2"},
    {"plus_without_string", "String expected on line 3"},
    {"set_without_comma", "'','' expected on line 4"},
    {"set_with_symbol", "Identifier expected on line 2"},
    {"odd_binary", "Invalid binary value on line 2"},
    {"binary_not_hex", "Invalid binary value on line 2"},
    {"order_not_a_number", "Number expected on line 3"},
    {"order_not_closed", "'']'' expected on line 4"},
};

class MalformedSchemeFile : public ::testing::TestWithParam<TMalformed> {};

TEST_P(MalformedSchemeFile, FailsWithTheReadersMessageAndChangesNothing) {
  std::string path =
      test::TestDataPath(std::string("schemes/malformed/") + GetParam().File + ".sch");
  test::TScriptedDialogs dialogs;
  platform::TServices services = platform::WithDefaults({.Dialogs = &dialogs});
  TSyntaxParser parser;
  BuildHtmlScheme(parser.SyntaxScheme());
  int recoloured = 0;
  parser.AddClient(
      &recoloured, [&](TSimpleParser&) { ++recoloured; }, [](TSimpleParser&) {});
  TSyntaxScheme html;
  BuildHtmlScheme(html);

  try {
    parser.SyntaxScheme().LoadFromFile(path, services);
    ADD_FAILURE() << "read without error";
  } catch (const EVrelError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().Message);
  }
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Kind, platform::mkError);
  EXPECT_EQ(dialogs.Messages()[0].Buttons, platform::mbOK);
  EXPECT_EQ(dialogs.Messages()[0].Text, "Can't read syntax scheme from file \"" + path + "\".");
  EXPECT_TRUE(parser.SyntaxScheme().SameContent(html));
  EXPECT_EQ(recoloured, 0);
  parser.RemoveClient(&recoloured);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedSchemeFile, ::testing::ValuesIn(kMalformed),
                         [](const auto& info) { return std::string(info.param.File); });

TEST(MalformedSchemeText, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  std::string deep = "object TPersHolder\n  P.X = " + std::string(200000, '(');
  EXPECT_EQ(ReadError(deep), "Invalid property value on line 2");
  std::string items = "object TPersHolder\n  P.X = ";
  for (int i = 0; i < 50000; ++i) items += "<item X = ";
  EXPECT_EQ(ReadError(items), "Invalid property value on line 2");
  std::string objects;
  for (int i = 0; i < 50000; ++i) objects += "object A: B\n";
  EXPECT_EQ(ReadError(objects), "Invalid property value on line 66");
}

TEST(MalformedSchemeText, HugeNumbersAreValuesOfNoProperty) {
  TSyntaxScheme s;
  SchemeFromText(
      "object TPersHolder\n  P.SyntaxVersion = 2\n  P.SyntaxVersion = "
      "99999999999999999999999999999\n"
      "  P.SyntaxBlocks = <\n    item\n      ID = -2147483649\n      FIText = 2147483647\n"
      "      ParentID = $FFFFFFFFFFFFFFFFFFFF\n    end>\n  P.Name = 1e999999\nend\n",
      s);
  EXPECT_EQ(s.SyntaxVersion, 3);
  ASSERT_EQ(s.SyntaxBlocks.size(), 1u);
  EXPECT_EQ(s.SyntaxBlocks[0].ID, -1);
  EXPECT_EQ(s.SyntaxBlocks[0].FIText, 2147483647);
  EXPECT_EQ(s.SyntaxBlocks[0].ParentID, -1);
  EXPECT_EQ(s.Name, "");
}

// Random bytes, and valid files with bytes flipped or cut short, fail with a reader's message or
// read; they never end the program.
TEST(MalformedSchemeText, DamagedFilesGiveAMessageOrAScheme) {
  std::string html = test::ReadBytes(test::TestDataPath("schemes/html.sch"));
  std::mt19937 random(12);
  for (int round = 0; round < 400; ++round) {
    std::string text = html;
    if (round % 4 == 0) {
      text.assign(random() % 300, '\0');
      for (char& c : text) c = static_cast<char>(random());
    } else if (round % 4 == 1) {
      text.resize(random() % text.size());
    } else {
      for (int k = 0; k < 1 + round % 7; ++k)
        text[random() % text.size()] = static_cast<char>(random());
    }
    std::string message = ReadError(text);
    if (!message.empty()) {
      EXPECT_NE(message.find(" on line "), std::string::npos) << message;
    }
  }
}

// ---- Files ----

TEST(SchemeFileErrors, FileThatCannotBeOpenedShowsNoBoxOfTheLoaders) {
  test::TScriptedDialogs dialogs;
  platform::TServices services = platform::WithDefaults({.Dialogs = &dialogs});
  test::TTempDir dir;
  TSyntaxScheme s;
  BuildHtmlScheme(s);
  for (const std::string& path : {dir.File("missing.sch"), dir.Path()}) {
    try {
      s.LoadFromFile(path, services);
      ADD_FAILURE() << "opened " << path;
    } catch (const EVrelError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file " + path);
    }
  }
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(s.Name, "HTML");
}

TEST(SchemeFileErrors, SaveThatFailsReportsAndKeepsTheOldFile) {
  test::TTempDir dir;
  TSyntaxScheme html;
  BuildHtmlScheme(html);
  std::string missing = dir.File("no/such/folder/x.sch");
  try {
    html.SaveToFile(missing);
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const EVrelError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + missing);
  }

  std::string path = dir.File("kept.sch");
  test::WriteBytes(path, "old scheme");
  test::TFaultyFileSystem faulty;
  faulty.FailWriteAfter = 100;
  platform::TServices services = platform::WithDefaults({.Files = &faulty});
  EXPECT_THROW(html.SaveToFile(path, services), EVrelError);
  EXPECT_EQ(test::ReadBytes(path), "old scheme");
  EXPECT_EQ(dir.FileCount(), 1);  // no temporary file left behind
}

TEST(SchemeFileErrors, SaveReplacesAnExistingFile) {
  test::TTempDir dir;
  std::string path = dir.File("s.sch");
  test::WriteBytes(path, std::string(5000, 'x'));
  TSyntaxScheme html;
  BuildHtmlScheme(html);
  html.SaveToFile(path);
  EXPECT_EQ(test::ReadBytes(path), SchemeToText(html));
  EXPECT_EQ(dir.FileCount(), 1);
}

}  // namespace
}  // namespace quorel
