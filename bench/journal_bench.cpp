// How long the recovery journal of a 1,000,000-line (about 50 MB) document keeps the event loop
// busy: the copy is taken in steps on the calling thread, and the journal is written by a
// worker. The time reported is the calling thread's alone (every step added up); the counters
// say how long the longest step took, how many steps there were and how long the worker needed
// to write the journal to disk.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/journal_bench --benchmark_min_time=1
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/memosource.h"
#include "htmlgen.h"
#include "platform/stdfilesystem.h"
#include "recovery/recoveryjournal.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void BM_JournalOf50MB(benchmark::State& state) {
  quorel::TMemoSource store;
  store.LoadFromBuffer(quorel::bench::CachedHtml(1'000'000));
  quorel::platform::TStdFileSystem files;
  std::string path = (std::filesystem::temp_directory_path() /
                      ("quorel-journal-bench-" + std::to_string(::getpid()) + ".journal"))
                         .string();
  quorel::TRecoveryJournal journal(files, store, path);
  double longest = 0, steps = 0, write = 0, runs = 0, firstStep = 0;
  int64_t now = 0;
  for (auto _ : state) {
    // A key typed in the middle, and two quiet seconds later the journal is due.
    store.SetCaretPos(0, store.LineCount() / 2);
    store.InsertText("x");
    journal.TextChanged(now, store.LineCount() / 2);
    now += 3000;
    double busy = 0;
    bool first = true;
    Clock::time_point handedOver{};
    while (journal.Pending() || journal.Writing()) {
      bool copying = journal.Pending();
      auto start = Clock::now();
      journal.Tick(now);
      double took = Ms(Clock::now() - start);
      busy += took;
      longest = std::max(longest, took);
      if (first) firstStep = std::max(firstStep, took);
      first = false;
      ++steps;
      if (copying && !journal.Pending()) handedOver = Clock::now();
      // The event loop would do other work here; the worker writes meanwhile.
      if (!journal.Pending() && journal.Writing()) {
        journal.WaitForWrite();
        write += Ms(Clock::now() - handedOver);
        auto collect = Clock::now();
        journal.Tick(now);
        busy += Ms(Clock::now() - collect);
      }
    }
    if (!journal.LastError().empty()) state.SkipWithError(journal.LastError().c_str());
    state.SetIterationTime(busy / 1000);
    ++runs;
  }
  journal.Discard();
  state.counters["longest_step_ms"] = longest;
  // The first step also measures the text and reserves room for all of it.
  state.counters["longest_first_step_ms"] = firstStep;
  state.counters["steps"] = steps / runs;
  state.counters["worker_write_ms"] = write / runs;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(quorel::bench::CachedHtml(1'000'000).size()));
}
BENCHMARK(BM_JournalOf50MB)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
