// Undo and redo of 100,000 typed characters: the time per record replayed.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/undo_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "htmlgen.h"

namespace {

using quorel::TMemoSource;
using quorel::TStringsOptions;
using quorel::TUpdateGuard;

constexpr int kTyped = 100'000;

// A 10,000-line page with 100,000 characters typed into it, 100 per line, as a user types:
// a character, then the caret moves on.
void TypeInto(TMemoSource& store) {
  static const std::string page = quorel::bench::GenerateHtml(10'000);
  store.LoadFromBuffer(page);
  for (int i = 0; i < kTyped; ++i) {
    if (i % 100 == 0) store.SetCaretPos(0, (i / 100) * 7 % store.LineCount());
    TUpdateGuard update(store, quorel::urInsertText);
    store.InsertText(std::string(1, static_cast<char>('a' + i % 26)));
    store.MoveCaret(0, 1);
  }
}

// Undo everything, then redo everything, one command at a time. With grouping on, a run of
// typing on one line goes back in one command; without it, every character is its own command.
void BM_UndoRedoAll(benchmark::State& state) {
  bool grouped = state.range(0) != 0;
  int64_t records = 0;
  std::unique_ptr<TMemoSource> store;
  for (auto _ : state) {
    state.PauseTiming();
    store = std::make_unique<TMemoSource>();
    TStringsOptions options = store->Options();
    options.Set(quorel::soGroupUndo, grouped);
    store->SetOptions(options);
    TypeInto(*store);
    records += store->UndoList().Count();
    state.ResumeTiming();
    while (store->CanUndo()) store->Undo();
    while (store->CanRedo()) store->Redo();
    records += store->UndoList().Count();
  }
  state.SetItemsProcessed(records);
  state.counters["records_per_direction"] =
      static_cast<double>(records) / (2.0 * static_cast<double>(state.iterations()));
  state.counters["ns_per_record"] = benchmark::Counter(
      static_cast<double>(records), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_UndoRedoAll)->ArgName("grouped")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
