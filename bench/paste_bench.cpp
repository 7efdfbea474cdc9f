// Pasting a large clipboard text into a large document, and undoing the paste. The sizes vary
// one at a time, so that a cost growing faster than the pasted text shows.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/paste_bench
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "engine/memosource.h"
#include "htmlgen.h"
#include "platform/memoryclipboard.h"
#include "platform/services.h"

namespace {

using quorel::TMemoSource;

const std::string& Html(int lines) { return quorel::bench::CachedHtml(lines); }

// A fresh document of `lines` lines with the caret in its middle line.
std::unique_ptr<TMemoSource> DocumentWithCaretInTheMiddle(int lines) {
  auto store = std::make_unique<TMemoSource>();
  store->LoadFromBuffer(Html(lines));
  store->SetCaretPos(3, lines / 2);
  return store;
}

// Arguments: document lines, pasted lines (about 49 bytes each: 200,000 lines are about 10 MB).
void BM_Paste(benchmark::State& state) {
  int documentLines = static_cast<int>(state.range(0));
  int pastedLines = static_cast<int>(state.range(1));
  quorel::platform::TMemoryClipboard clipboard;
  clipboard.SetForeignText(Html(pastedLines));
  std::unique_ptr<TMemoSource> store;
  for (auto _ : state) {
    state.PauseTiming();
    store = DocumentWithCaretInTheMiddle(documentLines);
    store->SetServices(quorel::platform::WithDefaults({&clipboard}));
    state.ResumeTiming();
    store->PasteFromClipboard();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Html(pastedLines).size()));
  state.counters["lines_after"] = store->LineCount();
}
BENCHMARK(BM_Paste)
    ->ArgNames({"doc_lines", "pasted_lines"})
    ->Args({1'000'000, 100'000})
    ->Args({1'000'000, 200'000})
    ->Args({100'000, 200'000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_UndoPaste(benchmark::State& state) {
  int documentLines = static_cast<int>(state.range(0));
  int pastedLines = static_cast<int>(state.range(1));
  quorel::platform::TMemoryClipboard clipboard;
  clipboard.SetForeignText(Html(pastedLines));
  std::unique_ptr<TMemoSource> store;
  for (auto _ : state) {
    state.PauseTiming();
    store = DocumentWithCaretInTheMiddle(documentLines);
    store->SetServices(quorel::platform::WithDefaults({&clipboard}));
    store->PasteFromClipboard();
    state.ResumeTiming();
    store->Undo();
  }
  state.counters["lines_after"] = store->LineCount();
}
BENCHMARK(BM_UndoPaste)
    ->ArgNames({"doc_lines", "pasted_lines"})
    ->Args({1'000'000, 100'000})
    ->Args({1'000'000, 200'000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
