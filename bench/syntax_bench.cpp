// Colouring with the built-in HTML scheme: a whole 50 MB document (also with addresses marked),
// and the cost of re-colouring after one keystroke that keeps or changes the line's end state.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/syntax_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "engine/urls.h"
#include "htmlgen.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace {

using namespace quorel;

constexpr int kLines = 1'000'000;

const std::string& Html() { return bench::CachedHtml(kLines); }

struct TColouredDocument {
  TSyntaxParser parser;
  TMemoSource store;
  explicit TColouredDocument(bool utf8 = false) {
    BuildHtmlScheme(parser.SyntaxScheme());
    store.LoadFromBuffer(utf8 ? bench::CachedUtf8Html(kLines) : Html());
    store.SetSyntaxParser(&parser);
  }
  ~TColouredDocument() { store.SetSyntaxParser(nullptr); }
};

void ColourWholeDocument(benchmark::State& state, bool utf8, bool urls = false) {
  TColouredDocument doc(utf8);
  doc.store.SetHighlightUrls(urls);
  const int64_t bytes =
      static_cast<int64_t>(utf8 ? bench::CachedUtf8Html(kLines).size() : Html().size());
  for (auto _ : state) {
    state.PauseTiming();
    doc.store.ReparseAll();
    state.ResumeTiming();
    doc.store.EnsureParsed(doc.store.LineCount() - 1);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}

void BM_ColourWholeDocument(benchmark::State& state) { ColourWholeDocument(state, false); }
BENCHMARK(BM_ColourWholeDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same page in UTF-8 with about 2% of its bytes beyond ASCII.
void BM_ColourWholeDocumentUtf8(benchmark::State& state) { ColourWholeDocument(state, true); }
BENCHMARK(BM_ColourWholeDocumentUtf8)->Unit(benchmark::kMillisecond)->UseRealTime();

// With web and mail addresses marked as the lines are coloured.
void BM_ColourWholeDocumentUrls(benchmark::State& state) {
  ColourWholeDocument(state, false, true);
}
BENCHMARK(BM_ColourWholeDocumentUrls)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parser alone over every line, without the store's bookkeeping.
void BM_ParseLinesOnly(benchmark::State& state) {
  TColouredDocument doc;
  TLineColors colors;
  for (auto _ : state) {
    uint32_t s = 0;
    for (int y = 0; y < doc.store.LineCount(); ++y) {
      const TLineText& text = doc.store.LineRecord(y)->Text;
      colors.assign(text.size(), '\0');
      s = doc.parser.ParseLine(text, s, colors);
    }
    benchmark::DoNotOptimize(s);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Html().size()));
}
BENCHMARK(BM_ParseLinesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// The scan for addresses alone over every line: what marking adds to colouring.
void BM_FindUrlsOnly(benchmark::State& state) {
  TColouredDocument doc;
  for (auto _ : state) {
    size_t found = 0;
    for (int y = 0; y < doc.store.LineCount(); ++y)
      found += FindUrls(doc.store.LineRecord(y)->Text).size();
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Html().size()));
}
BENCHMARK(BM_FindUrlsOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// A character typed at the end of a line in the middle of the document, then the screen below it
// coloured again as a view would ask for it (50 lines), then the character deleted again (the
// same cost once more). Counts the lines the parser went through per keystroke.
void Keystroke(benchmark::State& state, const std::string& typed) {
  TColouredDocument doc;
  doc.store.EnsureParsed(doc.store.LineCount() - 1);
  doc.store.SetAllowUndo(false);
  int64_t parsed = 0;
  doc.store.OnLineParsed = [&](TCustomMemoSource&, int, std::string_view, TLineColors&) {
    ++parsed;
  };
  int y = kLines / 2;
  // A line that ends outside any tag, so that "<" at its end opens one across the line end.
  while (doc.store.LineRecord(y)->EndState != 0 && doc.store.LineRecord(y)->EndState != 0x00BF0000)
    ++y;
  int end = doc.store.LineLength(y);
  uint32_t before = doc.store.LineRecord(y)->EndState;
  doc.store.SetCaretPos(end, y);
  doc.store.InsertText(typed);
  bool changes = doc.store.LineRecord(y)->EndState != before;
  doc.store.DeleteChars(static_cast<int>(typed.size()));
  parsed = 0;
  for (auto _ : state) {
    {
      TUpdateGuard update(doc.store, urInsertText);
      doc.store.InsertText(typed);
    }
    doc.store.EnsureParsed(y + 50);
    doc.store.DeleteChars(static_cast<int>(typed.size()));
    doc.store.EnsureParsed(y + 50);
  }
  state.counters["end_state_changes"] = changes ? 1 : 0;
  state.counters["lines_parsed_per_keystroke"] =
      static_cast<double>(parsed) / (2.0 * static_cast<double>(state.iterations()));
}

void BM_KeystrokeSameEndState(benchmark::State& state) { Keystroke(state, "x"); }
BENCHMARK(BM_KeystrokeSameEndState);

// "<" at a line's end opens a tag that runs on into the next line.
void BM_KeystrokeChangedEndState(benchmark::State& state) { Keystroke(state, "<"); }
BENCHMARK(BM_KeystrokeChangedEndState);

// "<!--" opens a comment that runs on to the next "-->": every line in between changes.
void BM_KeystrokeOpensComment(benchmark::State& state) { Keystroke(state, "<!--"); }
BENCHMARK(BM_KeystrokeOpensComment);

}  // namespace

BENCHMARK_MAIN();
