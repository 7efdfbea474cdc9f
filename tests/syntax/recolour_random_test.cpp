// Random edits through the store with the HTML parser: whatever was coloured lazily and
// incrementally must equal a fresh parse of the whole text, line by line and state by state.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "engine/memosource.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace quorel {
namespace {

struct TRandom {
  uint64_t state;
  explicit TRandom(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ULL + 1) {}
  int Next(int n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state >> 33) % static_cast<uint64_t>(n));
  }
};

const char* const kPieces[] = {"<",    ">",    "\"",    "'",    "<!--", "-->", "<a href=\"x\">",
                               "</a>", "text", " ",     "=",    "#ff0", "50%", "1.5",
                               "/",    "\n",   "<b\n>", "\"\n", "&amp;"};

std::string RandomPiece(TRandom& r) {
  std::string s;
  for (int k = 1 + r.Next(3); k > 0; --k) s += kPieces[r.Next(sizeof kPieces / sizeof kPieces[0])];
  return s;
}

// Compares every line with a fresh parse; returns a description of the first difference.
std::string CompareWithFresh(TMemoSource& store) {
  TSyntaxParser freshParser;
  BuildHtmlScheme(freshParser.SyntaxScheme());
  TMemoSource fresh;
  fresh.Lines().Assign(store.Lines());  // the same lines, trailing blanks included
  fresh.SetSyntaxParser(&freshParser);
  store.EnsureParsed(store.LineCount() - 1);
  fresh.EnsureParsed(fresh.LineCount() - 1);
  std::string problem;
  if (fresh.LineCount() != store.LineCount()) problem = "line counts differ";
  for (int y = 0; problem.empty() && y < store.LineCount(); ++y) {
    if (store.GetLineColors(y) != fresh.GetLineColors(y))
      problem = "colours of line " + std::to_string(y) + " '" + store.RawLine(y) + "'";
    else if (store.LineRecord(y)->EndState != fresh.LineRecord(y)->EndState)
      problem = "end state of line " + std::to_string(y);
  }
  fresh.SetSyntaxParser(nullptr);
  return problem;
}

TEST(RecolourRandomized, IncrementalColouringEqualsAFreshParse) {
  TSyntaxParser parser;
  BuildHtmlScheme(parser.SyntaxScheme());
  int failures = 0;
  for (uint64_t seed = 1; seed <= 300 && failures < 3; ++seed) {
    TRandom r(seed);
    TMemoSource store;
    std::string start;
    for (int i = 0; i < 20; ++i) start += RandomPiece(r) + "\n";
    store.LoadFromBuffer(start);
    store.SetSyntaxParser(&parser);
    std::ostringstream log;
    for (int step = 0; step < 60; ++step) {
      int y = r.Next(std::max(store.LineCount(), 1));
      store.SetCaretPos(r.Next(12), y);
      switch (r.Next(6)) {
        case 0:
        case 1: {
          std::string piece = RandomPiece(r);
          log << "insert at " << store.CaretX() << "," << y << "; ";
          store.InsertTextKeepSelection(piece);
          break;
        }
        case 2:
          log << "delete; ";
          store.DeleteChars(1 + r.Next(6));
          break;
        case 3:
          log << "split; ";
          store.SplitLine();
          break;
        case 4:
          log << "join; ";
          store.SetCaretPos(store.LineLength(y), y);
          store.JoinLines();
          break;
        default:
          log << "select and delete; ";
          store.SetSelection(stStream, r.Next(8), y, r.Next(8), y + r.Next(3));
          store.DeleteSelection();
          break;
      }
      // A view colours only what it shows: sometimes a few lines, sometimes nothing.
      if (r.Next(3) == 0) store.GetLineColors(r.Next(std::max(store.LineCount(), 1)));
      if (step % 10 == 9 || step == 59) {
        std::string problem = CompareWithFresh(store);
        if (!problem.empty()) {
          ADD_FAILURE() << "seed " << seed << " step " << step << ": " << problem << "\n  "
                        << log.str();
          ++failures;
          break;
        }
      }
    }
    store.SetSyntaxParser(nullptr);
  }
}

}  // namespace
}  // namespace quorel
