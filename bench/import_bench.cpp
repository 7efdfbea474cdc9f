// Reading a 20 MB RTF document and a 20 MB HTML page into an attribute document, and an RTF of
// 100,000 nested groups (which must not need a deep stack).
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/memosource.h"
#include "htmlgen.h"
#include "richtext/attributeparser.h"
#include "richtext/exportwalk.h"
#include "richtext/htmlimporter.h"
#include "richtext/importinsert.h"
#include "richtext/rtfimporter.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"

namespace quorel {
namespace {

constexpr int kLines = 400'000;  // about 20 MB of HTML

// The generated page exported as RTF, as the editor writes it: a run of groups per token.
const std::string& CachedRtf() {
  static const std::string rtf = [] {
    TMemoSource store;
    TSyntaxParser parser;
    BuildHtmlScheme(parser.SyntaxScheme());
    parser.SetDefaultAttr(HtmlDefaultAttr());
    store.LoadFromBuffer(bench::CachedHtml(kLines / 2));
    store.SetSyntaxParser(&parser);
    TTextStyles named;
    TExportSource source;
    source.Store = &store;
    source.TextStyles = &named;
    std::string out = ExportRtf(source);
    store.SetSyntaxParser(nullptr);
    return out;
  }();
  return rtf;
}

// An attribute document shown in Courier New 8 point, ready for an import.
struct TTarget {
  TMemoSource Store;
  std::unique_ptr<TAttributeParser> Parser;
  TImportTarget Target;
  TTarget() {
    Store.SetAllowUndo(false);
    Target.Store = &Store;
    Target.Font.SetSize(8);
    Target.AttachParser = OwnedParser(Target, Parser, TAttributeValues());
  }
  ~TTarget() { Store.SetSyntaxParser(nullptr); }
};

void BM_ImportRtf(benchmark::State& state) {
  const std::string& rtf = CachedRtf();
  for (auto _ : state) {
    TTarget t;
    TVrelRtfImporter importer;
    ImportInto(t.Target, importer, rtf);
    benchmark::DoNotOptimize(t.Store.LineCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
  state.counters["MB"] = static_cast<double>(rtf.size()) / 1e6;
}
BENCHMARK(BM_ImportRtf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportHtml(benchmark::State& state) {
  const std::string& html = bench::CachedHtml(kLines);
  for (auto _ : state) {
    TTarget t;
    TVrelHTMLImporter importer;
    ImportInto(t.Target, importer, html);
    benchmark::DoNotOptimize(t.Store.LineCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * html.size()));
  state.counters["MB"] = static_cast<double>(html.size()) / 1e6;
}
BENCHMARK(BM_ImportHtml)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportNestedRtf(benchmark::State& state) {
  std::string rtf = "{\\rtf1 ";
  for (int i = 0; i < 100'000; ++i) rtf += "{\\b x";
  rtf += "}";
  for (auto _ : state) {
    TTarget t;
    TVrelRtfImporter importer;
    ImportInto(t.Target, importer, rtf);
    benchmark::DoNotOptimize(t.Store.LineCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ImportNestedRtf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace quorel

BENCHMARK_MAIN();
