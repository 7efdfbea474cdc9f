// Holding a key down: 1,000 characters typed through the editing view's key handling (key map,
// typing, repaint) into a 10-line and a 1,000,000-line document. One iteration
// is the 1,000 characters, so its time in milliseconds is microseconds per character; it must not
// grow with the document. The window shows ten rows either way.
//
// Built by the release preset, run by hand (no display needed):
//   QT_QPA_PLATFORM=offscreen ./build/release/bin/keys_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <map>
#include <memory>

#include "htmlgen.h"
#include "syntax/htmlscheme.h"
#include "syntax/syntaxparser.h"
#include "view/vrelmemo.h"

namespace {

using namespace quorel;

constexpr int kTyped = 1000;

struct TEditor {
  TSyntaxParser parser;
  TMemoSource store;
  TVrelMemo view;
  explicit TEditor(int lines) {
    BuildHtmlScheme(parser.SyntaxScheme());
    parser.SetDefaultAttr(HtmlDefaultAttr());
    store.LoadFromBuffer(bench::CachedHtml(lines));
    store.SetSyntaxParser(&parser);
    // Ten rows: the small document fills the window as the large one does, so both repaint alike.
    view.resize(1000, 10 * view.LineHeight() + 4);
    view.SetOptions(
        {moThumbTracking, moColorSyntax, moDrawGutter, moLineNumbers, moLineNumbersOnGutter});
    view.SetMemoSource(&store);
    view.show();
    view.setFocus();
    QApplication::processEvents();
  }
  ~TEditor() { store.SetSyntaxParser(nullptr); }
};

TEditor& Editor(int lines) {
  static std::map<int, std::unique_ptr<TEditor>> editors;
  auto& e = editors[lines];
  if (!e) e = std::make_unique<TEditor>(lines);
  return *e;
}

void Press(QWidget& view, char c) {
  QString text(QChar::fromLatin1(c));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (c - 'a'), Qt::NoModifier, text);
  QApplication::sendEvent(&view, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + (c - 'a'), Qt::NoModifier, text);
  QApplication::sendEvent(&view, &release);
}

void BM_HoldKeyDown(benchmark::State& state) {
  int lines = static_cast<int>(state.range(0));
  bool paint = state.range(1) != 0;
  TEditor& editor = Editor(lines);
  // Near the top, or in the middle of the document.
  int line = state.range(2) == 0 ? 5 : lines / 2;
  for (auto _ : state) {
    state.PauseTiming();
    editor.store.SetCaretPos(0, line);
    QApplication::processEvents();
    state.ResumeTiming();
    for (int i = 0; i < kTyped; ++i) {
      Press(editor.view, static_cast<char>('a' + i % 26));
      if (paint) QApplication::processEvents();  // the repaint a held key gets between repeats
    }
    state.PauseTiming();
    if (editor.store.RawLine(line).size() < static_cast<size_t>(kTyped))
      state.SkipWithError("typing was lost");
    editor.store.Undo();  // one step: the typing run
    state.ResumeTiming();
  }
  state.counters["lines"] = lines;
}
// paint 0: the key handling and the store alone; paint 1: with the repaint after each key.
// middle 0: typing on line 5; middle 1: on the middle line (line 5 again in the small document).
BENCHMARK(BM_HoldKeyDown)
    ->ArgNames({"lines", "paint", "middle"})
    ->ArgsProduct({{10, 1'000'000}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
