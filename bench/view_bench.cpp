// Painting the editing view: one screen of a 1,000,000-line document at the top, the middle and
// the end (the cost must not grow with the document), and the first jump to the last line of a
// 50 MB document, which colours everything above it once.
//
// Built by the release preset, run by hand (no display needed):
//   QT_QPA_PLATFORM=offscreen ./build/release/bin/view_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "htmlgen.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"
#include "view/vrelmemo.h"

namespace {

using namespace quorel;

constexpr int kLines = 1'000'000;

const std::string& Html() { return bench::CachedHtml(kLines); }

struct TScreen {
  TSyntaxParser parser;
  TMemoSource store;
  TVrelMemo view;
  TScreen() {
    BuildHtmlScheme(parser.SyntaxScheme());
    parser.SetDefaultAttr(HtmlDefaultAttr());
    store.LoadFromBuffer(Html());
    store.SetSyntaxParser(&parser);
    view.resize(1000, 800);
    view.SetOptions(
        {moThumbTracking, moColorSyntax, moDrawGutter, moLineNumbers, moLineNumbersOnGutter});
    view.SetMemoSource(&store);
  }
  ~TScreen() { store.SetSyntaxParser(nullptr); }
};

void BM_PaintScreen(benchmark::State& state) {
  static TScreen screen;
  int where = static_cast<int>(state.range(0));
  int top = where == 0 ? 0 : where == 1 ? kLines / 2 : kLines - screen.view.VisibleRows();
  screen.view.SetTopLine(top);
  screen.view.RenderToImage();  // the first paint there colours the lines; this measures painting
  for (auto _ : state) {
    QImage image = screen.view.RenderToImage();
    benchmark::DoNotOptimize(image.bits());
  }
  state.counters["rows"] = screen.view.VisibleRows();
}
BENCHMARK(BM_PaintScreen)
    ->ArgName("top_middle_end")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond);

// A minified page: one line of 20 MB, seen scrolled into its middle.
void BM_PaintOneHugeLine(benchmark::State& state) {
  std::string line;
  const std::string& html = Html();
  for (char c : html)
    if (c != '\r' && c != '\n') line += c;
  line.resize(20'000'000);
  TSyntaxParser parser;
  BuildHtmlScheme(parser.SyntaxScheme());
  TMemoSource store;
  store.LoadFromBuffer(line);
  store.SetSyntaxParser(&parser);
  TVrelMemo view;
  view.resize(1000, 800);
  view.SetMemoSource(&store);
  view.SetLeftCol(10'000'000);
  view.RenderToImage();  // the line is coloured once
  for (auto _ : state) {
    QImage image = view.RenderToImage();
    benchmark::DoNotOptimize(image.bits());
  }
  store.SetSyntaxParser(nullptr);
}
BENCHMARK(BM_PaintOneHugeLine)->Unit(benchmark::kMicrosecond);

void BM_FirstJumpToTheEnd(benchmark::State& state) {
  std::unique_ptr<TScreen> screen;
  for (auto _ : state) {
    state.PauseTiming();
    screen = std::make_unique<TScreen>();
    state.ResumeTiming();
    screen->store.SetCaretPos(0, kLines - 1);
    QImage image = screen->view.RenderToImage();
    benchmark::DoNotOptimize(image.bits());
    state.PauseTiming();
    screen.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstJumpToTheEnd)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
