// Search and replace over a generated 50 MB page (a million lines): replace-all of a common
// word as one undo step, plain and pattern search listing every match, and a runaway pattern
// stopped by the matcher's step budget.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/search_bench
#include <benchmark/benchmark.h>

#include <bitset>
#include <memory>
#include <string>

#include "engine/memosource.h"
#include "htmlgen.h"
#include "platform/dialogs.h"
#include "search/linesearch.h"
#include "search/memosearch.h"
#include "search/regexpr.h"
#include "search/searchlines.h"

namespace {

using namespace quorel;

// Answers nothing: a replace-all without prompt shows no message when something is found.
class TSilentDialogs : public platform::IDialogs {
 public:
  platform::TMsgResult MessageBox(platform::TMsgKind, const std::string&,
                                  platform::TMsgButtons) override {
    ++messages;
    return platform::mrCancel;
  }
  bool OpenFileDialog(platform::TFileDialog&) override { return false; }
  bool SaveFileDialog(platform::TFileDialog&) override { return false; }
  bool InputQuery(const std::string&, const std::string&, std::string&) override { return false; }
  bool FontDialog(platform::TFontChoice&) override { return false; }
  bool ColorDialog(platform::TColorChoice&) override { return false; }
  int messages = 0;
};

// Replace-all of "class" by "CLASS" (190,000 replacements in the whole page), then one undo that
// must give the page back. Sizes of a quarter, a half and the whole million lines show whether the
// time grows in step with the size.
void BM_ReplaceAllCommonWord(benchmark::State& state) {
  const std::string& page = bench::CachedHtml(static_cast<int>(state.range(0)));
  int64_t replaced = 0, undoSteps = 0, bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<TMemoSource>();
    store->LoadFromBuffer(page);
    const std::string before = store->SaveToString();
    TSearchOptions options;
    TSilentDialogs dialogs;
    TMemoSearch search(*store, options, &dialogs);
    options.SetTextToFind("class");
    options.SetReplaceWith("CLASS");
    options.SetCaseSensitive(true);
    options.SetReplaceAll(true);
    state.ResumeTiming();
    search.StartReplace();
    state.PauseTiming();
    replaced = search.ReplacedCount();
    bytes += static_cast<int64_t>(page.size());
    int steps = 0;
    while (store->CanUndo()) {
      store->Undo();
      ++steps;
    }
    undoSteps = steps;
    const bool same = store->SaveToString() == before;
    store.reset();
    state.ResumeTiming();
    if (!same) {
      state.SkipWithError("undo did not give the page back");
      break;
    }
  }
  state.SetBytesProcessed(bytes);
  state.counters["replacements"] = static_cast<double>(replaced);
  state.counters["undo_steps"] = static_cast<double>(undoSteps);
}
BENCHMARK(BM_ReplaceAllCommonWord)
    ->ArgName("lines")
    ->Arg(250'000)
    ->Arg(500'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// Every match from the top, each search starting just past the previous one (as the command
// line's grep does).
int64_t CountMatches(TMemoSource& store, const std::string& text, bool regex) {
  std::bitset<256> delimiters;
  TLineSearch search(text, true, false, regex, delimiters);
  TDocumentLines lines(store);
  TSearchHit hit;
  int64_t found = 0;
  int line = 0, column = 1;
  while (search.Run(lines, line, column, true, hit)) {
    ++found;
    line = hit.Line;
    column = hit.Column + std::max(hit.Length, 1) + 1;
  }
  return found;
}

void SearchAll(benchmark::State& state, const std::string& text, bool regex) {
  const std::string& page = bench::CachedHtml(1'000'000);
  TMemoSource store;
  store.LoadFromBuffer(page);
  int64_t found = 0;
  for (auto _ : state) found = CountMatches(store, text, regex);
  state.SetBytesProcessed(static_cast<int64_t>(page.size()) * state.iterations());
  state.counters["matches"] = static_cast<double>(found);
}

void BM_PatternSearch_TagWithClass(benchmark::State& state) {
  SearchAll(state, "<[a-z]+ class=\"[^\"]*\">", true);
}
BENCHMARK(BM_PatternSearch_TagWithClass)->Unit(benchmark::kMillisecond);

void BM_PatternSearch_WordEndingIng(benchmark::State& state) {
  SearchAll(state, "[a-z]+ing", true);
}
BENCHMARK(BM_PatternSearch_WordEndingIng)->Unit(benchmark::kMillisecond);

void BM_PlainSearch_The(benchmark::State& state) { SearchAll(state, " the ", false); }
BENCHMARK(BM_PlainSearch_The)->Unit(benchmark::kMillisecond);

// {a*}*[b] against a line of "a": the matcher gives up and reports it.
void BM_RunawayPatternStops(benchmark::State& state) {
  const std::string line(static_cast<size_t>(state.range(0)), 'a');
  for (auto _ : state) {
    TRegExpr re("{a*}*[b]", false);
    int start = 1, length = 0;
    try {
      re.Find(line, start, true, length);
      state.SkipWithError("the runaway pattern was not stopped");
    } catch (const ERegExprTooComplex&) {
    }
  }
}
BENCHMARK(BM_RunawayPatternStops)
    ->ArgName("chars")
    ->Arg(1'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
