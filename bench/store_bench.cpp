// Text store benchmarks: loading and saving a 1,000,000-line document (about 50 MB), and the
// cost of one typed character at the first, middle and last line of 10,000- and
// 1,000,000-line documents.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/store_bench --benchmark_min_time=0.2
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "htmlgen.h"

namespace {

using quorel::TMemoSource;
using quorel::TUpdateGuard;

constexpr int kLargeDocument = 1'000'000;

// Generated documents, made once per line count and kept for the whole run.
const std::string& Html(int lines) { return quorel::bench::CachedHtml(lines); }

// Files in the temporary folder, removed when the program ends.
class TTempFiles {
 public:
  ~TTempFiles() {
    std::error_code ec;
    for (const std::string& path : paths_) std::filesystem::remove(path, ec);
  }
  std::string Name(const std::string& suffix) {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("quorel-store-bench-" + std::to_string(::getpid()) + suffix);
    paths_.push_back(path.string());
    return paths_.back();
  }

 private:
  std::vector<std::string> paths_;
};

TTempFiles& TempFiles() {
  static TTempFiles files;
  return files;
}

// The large document written to a file once; empty if that failed.
const std::string& LargeFile() {
  static const std::string path = [] {
    std::string name = TempFiles().Name("-load.html");
    const std::string& html = Html(kLargeDocument);
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return std::string();
    bool ok = std::fwrite(html.data(), 1, html.size(), f) == html.size();
    ok = std::fclose(f) == 0 && ok;
    return ok ? name : std::string();
  }();
  return path;
}

// The large document loaded once, for the save benchmarks.
TMemoSource& LargeStore() {
  static TMemoSource store;
  static const bool loaded = (store.LoadFromBuffer(Html(kLargeDocument)), true);
  (void)loaded;
  return store;
}

// ---- Loading ----
// Each iteration loads into a new, empty store, as opening a file does. Making the store and
// freeing its million lines afterwards are outside the timing. Wall-clock time, since that is
// what the user waits for (and what the MB/s figure is computed from).

void LoadFromBuffer(benchmark::State& state, const std::string& html) {
  int lines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<TMemoSource>();
    state.ResumeTiming();
    store->LoadFromBuffer(html);
    state.PauseTiming();
    lines = store->LineCount();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(html.size()));
  state.counters["lines"] = lines;
  state.counters["non_ascii_share"] = quorel::bench::NonAsciiShare(html);
}

void BM_LoadFromBuffer(benchmark::State& state) { LoadFromBuffer(state, Html(kLargeDocument)); }
BENCHMARK(BM_LoadFromBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same page in UTF-8 with about 2% of its bytes beyond ASCII.
void BM_LoadFromBufferUtf8(benchmark::State& state) {
  LoadFromBuffer(state, quorel::bench::CachedUtf8Html(kLargeDocument));
}
BENCHMARK(BM_LoadFromBufferUtf8)->Unit(benchmark::kMillisecond)->UseRealTime();

// The file was just written, so it is read from the page cache: this is the cost of reading
// and splitting, not of the disk.
void BM_LoadFromFile(benchmark::State& state) {
  const std::string& path = LargeFile();
  if (path.empty()) {
    state.SkipWithError("cannot write the temporary file");
    return;
  }
  const int64_t bytes = static_cast<int64_t>(Html(kLargeDocument).size());
  int lines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<TMemoSource>();
    state.ResumeTiming();
    store->LoadFromFile(path);
    state.PauseTiming();
    lines = store->LineCount();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
  state.counters["lines"] = lines;
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- Saving ----

void BM_SaveToString(benchmark::State& state) {
  TMemoSource& store = LargeStore();
  int64_t bytes = 0;
  for (auto _ : state) {
    std::string data = store.SaveToString();
    bytes = static_cast<int64_t>(data.size());
    benchmark::DoNotOptimize(data.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
  state.counters["lines"] = store.LineCount();
}
BENCHMARK(BM_SaveToString)->Unit(benchmark::kMillisecond)->UseRealTime();

// A full save: temporary file in the same folder, write, fsync, rename over the target.
void BM_SaveToFile(benchmark::State& state) {
  TMemoSource& store = LargeStore();
  const std::string path = TempFiles().Name("-save.html");
  const int64_t bytes = static_cast<int64_t>(store.SaveToString().size());
  for (auto _ : state) store.SaveToFile(path);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
  state.counters["lines"] = store.LineCount();
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- Typing ----

// One key press in the editor: insert at the caret, then move the caret past the character,
// in one update bracket.
void TypeChar(TMemoSource& store) {
  TUpdateGuard update(store, quorel::urInsertText);
  store.InsertText("x");
  store.MoveCaret(0, 1);
}

// Every this many keystrokes the typed characters are deleted again (outside the timing), so
// the line stays under a few hundred bytes. Inserting copies and rescans the caret's whole line
// (see BM_KeystrokeLineLength), so letting one line grow by a character per iteration would
// make the figure depend on how many iterations the library chose to run rather than on the
// document. One pause per 256 keystrokes costs next to nothing per keystroke.
constexpr int kTypingRun = 256;

int LineAt(int lines, int64_t where) { return where == 0 ? 0 : where == 1 ? lines / 2 : lines - 1; }

// Types at (x, y) for as long as the benchmark runs; every kTypingRun characters the typed text is
// taken out again, untimed, so that the line keeps its length.
void TypeRepeatedly(benchmark::State& state, TMemoSource& store, int x, int y) {
  int typed = 0;
  for (auto _ : state) {
    TypeChar(store);
    if (++typed == kTypingRun) {
      state.PauseTiming();
      store.SetCaretPos(x, y);
      store.DeleteChars(typed);
      typed = 0;
      state.ResumeTiming();
    }
  }
}

// Args: {lines, where}; where 0 = first line, 1 = middle line, 2 = last line. The caret sits in
// the middle of the line, so each character also moves the rest of the line along.
//
// `undoLimit` 0 is what a user has by default: AllowUndo on and no limit, so the undo list
// grows by two records per keystroke for as long as the benchmark runs (the occasional
// reallocation of the whole list is part of the average, as it is for the user). With a limit,
// the store trims the list from the front once it holds 100 records more than the limit, which
// moves the remaining records down each time; that variant shows what trimming costs.
void BM_Keystroke(benchmark::State& state, int undoLimit, bool utf8 = false) {
  const int lines = static_cast<int>(state.range(0));
  TMemoSource store;
  store.LoadFromBuffer(utf8 ? quorel::bench::CachedUtf8Html(lines) : Html(lines));
  if (undoLimit > 0) store.SetUndoLimit(undoLimit);
  const int y = LineAt(lines, state.range(1));
  const int x = store.LineLength(y) / 2;
  store.SetCaretPos(x, y);

  TypeRepeatedly(state, store, x, y);
  state.counters["undo_records"] = store.UndoList().Count();
}
BENCHMARK_CAPTURE(BM_Keystroke, undo_default, 0)
    ->ArgNames({"lines", "at"})
    ->ArgsProduct({{10'000, kLargeDocument}, {0, 1, 2}});
BENCHMARK_CAPTURE(BM_Keystroke, undo_limit_1000, 1000)
    ->ArgNames({"lines", "at"})
    ->ArgsProduct({{10'000, kLargeDocument}, {0, 1, 2}});
// In the UTF-8 page the caret's column is turned into a byte by walking the line's characters.
BENCHMARK_CAPTURE(BM_Keystroke, utf8_undo_default, 0, true)
    ->ArgNames({"lines", "at"})
    ->ArgsProduct({{kLargeDocument}, {0, 1, 2}});
BENCHMARK_CAPTURE(BM_Keystroke, utf8_undo_limit_1000, 1000, true)
    ->ArgNames({"lines", "at"})
    ->ArgsProduct({{kLargeDocument}, {0, 1, 2}});

// One keystroke in the middle of a line of the given length (bytes) in a 10,000-line
// document, default undo: shows how the cost of a keystroke follows the length of its line.
void BM_KeystrokeLineLength(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  TMemoSource store;
  store.LoadFromBuffer(Html(10'000));
  const int y = 5'000;
  store.SetCaretPos(0, y);
  store.DeleteChars(store.LineLength(y));
  store.InsertText(std::string(static_cast<size_t>(length), 'a'));
  store.ClearUndo();
  const int x = length / 2;
  store.SetCaretPos(x, y);

  TypeRepeatedly(state, store, x, y);
}
BENCHMARK(BM_KeystrokeLineLength)->ArgName("bytes")->Arg(64)->Arg(4096)->Arg(65536)->Arg(262144);

}  // namespace

BENCHMARK_MAIN();
