// Filling the folder menus from a folder of 10,000 files (documents, pictures and others, plus an
// images folder of 10,000 more): listing, sorting and building the capped menus.
//
// Built by the release preset, run by hand (no display needed):
//   QT_QPA_PLATFORM=offscreen ./build/release/bin/foldermenu_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/form1.h"

namespace {

namespace fs = std::filesystem;
using namespace quorel;

constexpr int kFiles = 10'000;

// A temporary folder with `count` files of mixed kinds, removed at exit.
struct TFolder {
  fs::path root;
  TFolder() {
    root = fs::temp_directory_path() / ("quorel-bench-folder-" + std::to_string(::getpid()));
    fs::create_directories(root / "images");
    const char* kinds[] = {".htm", ".gif", ".txt", ".PNG", ".pdf", ".jpg", ".html", ".doc"};
    for (int i = 0; i < kFiles; ++i) {
      std::string name = "File" + std::to_string(i * 7919 % kFiles) + kinds[i % 8];
      std::ofstream(root / name) << "x";
      std::ofstream(root / "images" / name) << "x";
    }
  }
  ~TFolder() { fs::remove_all(root); }
};

void BM_RefreshFolderMenus(benchmark::State& state) {
  static TFolder folder;
  TForm1 form(platform::DefaultServices());
  form.CurrentFolder = folder.root.string() + "/";
  for (auto _ : state) form.RefreshFolderMenus();
  state.counters["files"] = 2 * kFiles;
}
BENCHMARK(BM_RefreshFolderMenus)->Unit(benchmark::kMillisecond);

// Only listing and sorting, without menus: what the size of the folder costs.
void BM_ListFolderFiles(benchmark::State& state) {
  static TFolder folder;
  TForm1 form(platform::DefaultServices());
  for (auto _ : state) benchmark::DoNotOptimize(form.ListFolderFiles(folder.root.string() + "/"));
}
BENCHMARK(BM_ListFolderFiles)->Unit(benchmark::kMillisecond);

}  // namespace
