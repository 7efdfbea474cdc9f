// open-to-end FILE [--type]: what a user does with a huge page, timed from the program's start. The
// main window (offscreen, first-run settings in memory) opens FILE as from the command line, waits
// until idle, jumps to the end with Ctrl+End, and ends once the last line is on screen with its
// colours worked out and painted; with --type it then types 200 letters there, each painted.
// Prints each step's time since the start to stderr; bench/huge_vs_vim.sh times whole runs
// without --type, and the cost of a key with it.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/form1.h"
#include "platform/services.h"
#include "platform/settings.h"

namespace {

using namespace quorel;

// Counts the view's paints.
class TPaintCount : public QObject {
 public:
  int Paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

double Seconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e9; }

void PaintAgain(TPaintCount& count) {
  const int before = count.Paints;
  while (count.Paints == before) QApplication::processEvents(QEventLoop::AllEvents, 5);
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer timer;
  timer.start();
  const bool type = argc == 3 && std::string_view(argv[2]) == "--type";
  if (argc != 2 && !type) {
    std::fprintf(stderr, "usage: open-to-end FILE [--type]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  platform::TMemorySettings firstRun;
  const platform::TServices services = platform::WithDefaults({.Settings = &firstRun});
  TForm1 form(services);
  TPaintCount paints;
  form.VrelMemo1->viewport()->installEventFilter(&paints);
  form.show();
  form.OpenCommandLine({QFile::decodeName(argv[1])});
  PaintAgain(paints);
  std::fprintf(stderr, "opened and painted: %.3f s (%d lines)\n", Seconds(timer),
               form.MemoSource1.LineCount());

  QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
  QApplication::sendEvent(form.VrelMemo1, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_End, Qt::ControlModifier);
  QApplication::sendEvent(form.VrelMemo1, &release);
  PaintAgain(paints);
  const int last = form.MemoSource1.LineCount() - 1;
  const bool shown = form.VrelMemo1->TopLine() <= last &&
                     last < form.VrelMemo1->TopLine() + form.VrelMemo1->VisibleRows();
  const TStringItem* line = form.MemoSource1.LineRecord(last);
  const bool coloured = line && (line->LineState & lsParsed);
  std::fprintf(stderr, "at the end, painted: %.3f s (last line %s, %s)\n", Seconds(timer),
               shown ? "shown" : "NOT SHOWN", coloured ? "coloured" : "NOT COLOURED");
  // What the user waits for ends here: the window's teardown (freeing every line) is not timed.
  if (!type) {
    std::fflush(stderr);
    std::_Exit(shown && coloured ? 0 : 1);
  }
  // Typing at the end, each key painted before the next: what a keystroke costs here.
  constexpr int kKeys = 200;
  QElapsedTimer typing;
  typing.start();
  for (int i = 0; i < kKeys; ++i) {
    const QString text(QChar('a' + i % 26));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, text);
    QApplication::sendEvent(form.VrelMemo1, &key);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_A + i % 26, Qt::NoModifier, text);
    QApplication::sendEvent(form.VrelMemo1, &up);
    PaintAgain(paints);
  }
  std::fprintf(stderr, "typing at the end: %.1f us a key, painted\n",
               typing.nsecsElapsed() / 1e3 / kKeys);
  std::fflush(stderr);
  std::_Exit(shown && coloured ? 0 : 1);
}
