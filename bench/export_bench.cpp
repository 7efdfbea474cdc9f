// Exporting a 20 MB page to HTML and to RTF, set up as quorel-cli export sets it up: the
// built-in HTML scheme, Courier New 8 point black on the window colour, syntax colours on. The
// page is coloured in full before timing, so the figures are those of the export walk and the
// writer alone; bytes per second are of the input text.
//
// Built by the release preset, run by hand:
//   ./build/release/bin/export_bench
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/memosource.h"
#include "htmlgen.h"
#include "richtext/exportwalk.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"
#include "syntax/textstyles.h"

namespace {

using namespace quorel;

constexpr int kLines = 410'000;  // 20,038,601 bytes

const std::string& Html() { return bench::CachedHtml(kLines); }

struct TExportDocument {
  TSyntaxParser parser;
  TMemoSource store;
  TTextStyles named;
  TExportSource source;
  TExportDocument() {
    BuildHtmlScheme(parser.SyntaxScheme());
    parser.SetDefaultAttr(HtmlDefaultAttr());
    store.SetName("MemoSource1");
    store.LoadFromBuffer(Html());
    store.SetSyntaxParser(&parser);
    store.EnsureParsed(store.LineCount() - 1);
    source.Store = &store;
    source.Font.Name = "Courier New";
    source.Font.SetSize(8);
    source.Font.Color = clBlack;
    source.Color = clWindow;
    source.TextStyles = &named;
    source.Title = store.Name();
  }
  ~TExportDocument() { store.SetSyntaxParser(nullptr); }
};

template <typename TExport>
void ExportWholeDocument(benchmark::State& state, TExport exportText) {
  TExportDocument doc;
  size_t outputBytes = 0;
  for (auto _ : state) {
    std::string out = exportText(doc.source);
    outputBytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Html().size()));
  state.counters["input_bytes"] = static_cast<double>(Html().size());
  state.counters["output_bytes"] = static_cast<double>(outputBytes);
}

void BM_ExportHtml(benchmark::State& state) {
  ExportWholeDocument(state, [](const TExportSource& s) { return ExportHtml(s); });
}
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportRtf(benchmark::State& state) {
  ExportWholeDocument(state, [](const TExportSource& s) { return ExportRtf(s); });
}
BENCHMARK(BM_ExportRtf)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
