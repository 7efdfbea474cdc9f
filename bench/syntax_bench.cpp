// Colouring with the built-in HTML scheme: a whole 50 MB document, and the cost of re-colouring
// after one keystroke that keeps or changes the line's end state.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/syntax_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "htmlgen.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace {

using namespace quorel;

constexpr int kLines = 1'000'000;

const std::string& Html() {
  static const std::string html = bench::GenerateHtml(kLines);
  return html;
}

struct TColouredDocument {
  TSyntaxParser parser;
  TMemoSource store;
  TColouredDocument() {
    BuildHtmlScheme(parser.SyntaxScheme());
    store.LoadFromBuffer(Html());
    store.SetSyntaxParser(&parser);
  }
  ~TColouredDocument() { store.SetSyntaxParser(nullptr); }
};

void BM_ColourWholeDocument(benchmark::State& state) {
  TColouredDocument doc;
  for (auto _ : state) {
    state.PauseTiming();
    doc.store.ReparseAll();
    state.ResumeTiming();
    doc.store.EnsureParsed(doc.store.LineCount() - 1);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Html().size()));
}
BENCHMARK(BM_ColourWholeDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parser alone over every line, without the store's bookkeeping.
void BM_ParseLinesOnly(benchmark::State& state) {
  TColouredDocument doc;
  std::string colors;
  for (auto _ : state) {
    uint32_t s = 0;
    for (int y = 0; y < doc.store.LineCount(); ++y) {
      const std::string& text = doc.store.LineRecord(y)->Text;
      colors.assign(text.size(), '\0');
      s = doc.parser.ParseLine(text, s, colors);
    }
    benchmark::DoNotOptimize(s);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Html().size()));
}
BENCHMARK(BM_ParseLinesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// A character typed in the middle of the document, then the screen below it coloured again as
// a view would ask for it (50 lines).
void Keystroke(benchmark::State& state, const std::string& typed, bool deleteAgain) {
  TColouredDocument doc;
  doc.store.EnsureParsed(doc.store.LineCount() - 1);
  doc.store.SetAllowUndo(false);
  int y = kLines / 2;
  // A line of plain text, not inside a tag or a comment.
  while (doc.store.LineRecord(y)->StartState != 0 && doc.store.LineRecord(y)->StartState != 0x00BF0000) ++y;
  doc.store.SetCaretPos(0, y);
  for (auto _ : state) {
    {
      TUpdateGuard update(doc.store, 5);
      doc.store.InsertText(typed);
    }
    doc.store.EnsureParsed(y + 50);
    if (deleteAgain) {
      doc.store.DeleteChars(static_cast<int>(typed.size()));
      doc.store.EnsureParsed(y + 50);
    }
  }
  state.counters["end_state_changes"] = typed == "<" ? 1 : 0;
}

void BM_KeystrokeSameEndState(benchmark::State& state) { Keystroke(state, "x", true); }
BENCHMARK(BM_KeystrokeSameEndState);

// Typing "<" opens a tag: the line's end state changes and the lines below are coloured again
// as far as the view looks; deleting it changes the state back.
void BM_KeystrokeChangedEndState(benchmark::State& state) { Keystroke(state, "<", true); }
BENCHMARK(BM_KeystrokeChangedEndState);

}  // namespace

BENCHMARK_MAIN();
