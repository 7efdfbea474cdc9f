// Start-up: making the main window, opening a 1 MB document given on the command line and
// painting the window for the first time. The settings come from an empty in-memory store (a
// first run), so the user's own settings are neither read nor written.
//
// Built by the release preset, run by hand (no display needed):
//   QT_QPA_PLATFORM=offscreen ./build/release/bin/startup_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/form1.h"
#include "htmlgen.h"
#include "platform/services.h"
#include "platform/settings.h"

namespace {

using namespace quorel;

// Notes the first paint of the editing view.
class TPaintWatch : public QObject {
 public:
  bool Painted = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Painted = true;
    return false;
  }
};

struct TDocument {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("quorel-start-" + std::to_string(::getpid()) + ".html"))
                         .string();
  TDocument() {
    std::ofstream(path, std::ios::binary) << bench::GenerateHtml(20'000);
  }  // about 1 MB
  ~TDocument() { std::remove(path.c_str()); }
};

void BM_StartToFirstPaint(benchmark::State& state) {
  static TDocument document;
  platform::TMemorySettings firstRun;
  const platform::TServices services = platform::WithDefaults({.Settings = &firstRun});
  for (auto _ : state) {
    TPaintWatch watch;
    {
      TForm1 form(services);
      form.VrelMemo1->viewport()->installEventFilter(&watch);
      form.show();
      form.OpenCommandLine({QFile::decodeName(document.path.c_str())});
      while (!watch.Painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
      form.MemoSource1.SetModified(false);
    }
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(document.path));
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts: the window alone, and loading the document into it.
void BM_MakeWindowOnly(benchmark::State& state) {
  platform::TMemorySettings firstRun;
  const platform::TServices services = platform::WithDefaults({.Settings = &firstRun});
  for (auto _ : state) TForm1 form(services);
}
BENCHMARK(BM_MakeWindowOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenOnly(benchmark::State& state) {
  static TDocument document;
  platform::TMemorySettings firstRun;
  const platform::TServices services = platform::WithDefaults({.Settings = &firstRun});
  TForm1 form(services);
  for (auto _ : state) form.OpenDocument(document.path);
}
BENCHMARK(BM_OpenOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
