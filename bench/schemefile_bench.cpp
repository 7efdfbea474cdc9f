// Reading and writing scheme files as they grow: a keyword set of many words (one long string
// written in 64-character pieces) and a font table of many styles. Time per item should stay flat.
#include <benchmark/benchmark.h>

#include <string>

#include "syntax/htmlscheme.h"
#include "syntax/schemefile.h"
#include "syntax/syntaxscheme.h"

namespace {

using namespace quorel;

void BuildScheme(TSyntaxScheme& scheme, int keywords, int styles) {
  BuildHtmlScheme(scheme);
  TSyntaxBlock& tags = scheme.SyntaxBlocks[1];
  tags.UseKeywords = true;
  TKeywordSet set;
  set.FontID = 1;
  set.Name = "Words";
  for (int i = 0; i < keywords; ++i) set.Keywords += (i ? ",word" : "word") + std::to_string(i);
  tags.KeywordSets.push_back(set);
  for (int i = 0; i < styles; ++i) scheme.FontTable.Append(scheme.FontTable[i % 8]).FontID = -1;
}

void BM_ReadKeywords(benchmark::State& state) {
  TSyntaxScheme scheme;
  BuildScheme(scheme, static_cast<int>(state.range(0)), 0);
  std::string text = SchemeToText(scheme);
  for (auto _ : state) {
    TSyntaxScheme read;
    SchemeFromText(text, read);
    benchmark::DoNotOptimize(read.SyntaxBlocks.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadKeywords)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

void BM_WriteKeywords(benchmark::State& state) {
  TSyntaxScheme scheme;
  BuildScheme(scheme, static_cast<int>(state.range(0)), 0);
  for (auto _ : state) benchmark::DoNotOptimize(SchemeToText(scheme).size());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteKeywords)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

void BM_ReadStyles(benchmark::State& state) {
  TSyntaxScheme scheme;
  BuildScheme(scheme, 0, static_cast<int>(state.range(0)));
  std::string text = SchemeToText(scheme);
  for (auto _ : state) {
    TSyntaxScheme read;
    SchemeFromText(text, read);
    benchmark::DoNotOptimize(read.FontTable.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadStyles)->Arg(1'000)->Arg(10'000)->Arg(50'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
