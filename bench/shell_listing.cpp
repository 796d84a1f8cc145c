// Listing a folder of 10,000 files the way the file list does: the shell's enumeration,
// one folder object per row, the mask, folders first in the shell's order, then every
// row's caption and small icon; and going into a sub-folder and back out. Baseline in
// the same run: reading the folder's names with readdir. Aim: the whole folder listed
// in under 1 s; and the file list itself going to that folder with its first screen of
// rows painted, aim under 150 ms. Counters: ms (milliseconds per listing), x_readdir
// (listing / baseline).
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/PaintTo.h"
#include "skin/dialogs/SkinFileListView.h"
#include "skin/dialogs/ShellFolder.h"
#include "skin/dialogs/ShellFolderRows.h"

namespace {

using bench::SecondsPerCall;

constexpr int Files = 10000;

struct Tree {
  Tree() {
    char templ[] = "/tmp/corvale-bench-shell-XXXXXX";
    root = mkdtemp(templ);
    mkdir((root + "/big").c_str(), 0755);
    mkdir((root + "/big/sub").c_str(), 0755);
    const char* exts[] = {".mp4", ".txt", ".wav", ".avi", ".png", ""};
    const int fd = open((root + "/big").c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < Files; ++i) {
      const std::string name = "take " + std::to_string(i) + exts[i % 6];
      close(openat(fd, name.c_str(), O_CREAT | O_WRONLY, 0644));
    }
    close(fd);
  }
  ~Tree() {
    if (std::system(("rm -rf '" + root + "'").c_str()) != 0) {
    }
  }
  std::string root;
};

Tree& TheTree() {
  static Tree tree;
  return tree;
}

double ReaddirSeconds(const std::string& path) {
  return SecondsPerCall(
      [&] {
        std::vector<std::string> names;
        DIR* d = opendir(path.c_str());
        while (dirent* e = readdir(d)) names.emplace_back(e->d_name);
        closedir(d);
        benchmark::DoNotOptimize(names.data());
      },
      3);
}

// Rows, then each row's caption and icon, as a list painting every row would ask.
int ListAll(TbsShellFolder* folder, TbsShellFolderRows& rows) {
  rows.Fill(folder, {otFolders, otNonFolders}, "*.*", true);
  int sum = 0;
  for (int i = 0; i < rows.Count(); ++i) {
    sum += int(rows.Rows(i)->DisplayName().size());
    sum += rows.Rows(i)->ImageIndex(false);
  }
  return sum;
}

void BM_ListTenThousandFiles(benchmark::State& state) {
  const std::string big = TheTree().root + "/big";
  auto folder = CreateRootFolder(big);
  TbsShellFolderRows rows;
  ListAll(folder.get(), rows);  // icons of the theme are loaded once per program
  const double baseline = ReaddirSeconds(big);
  double seconds = 0;
  for (auto _ : state) {
    seconds = SecondsPerCall([&] { benchmark::DoNotOptimize(ListAll(folder.get(), rows)); }, 2);
    state.SetIterationTime(seconds);
  }
  state.counters["rows"] = rows.Count();
  state.counters["ms"] = seconds * 1000;
  state.counters["x_readdir"] = seconds / baseline;
}
BENCHMARK(BM_ListTenThousandFiles)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Into the empty sub-folder and back out to the 10,000 files, both rebuilt from scratch.
void BM_IntoAndOutOfAFolder(benchmark::State& state) {
  const std::string big = TheTree().root + "/big";
  TbsShellFolderRows rows;
  const double baseline = ReaddirSeconds(big);
  double seconds = 0;
  for (auto _ : state) {
    seconds = SecondsPerCall(
        [&] {
          auto sub = CreateRootFolder(big + "/sub");
          ListAll(sub.get(), rows);
          auto parent = CreateRootFolder(big);
          ListAll(parent.get(), rows);
        },
        2);
    state.SetIterationTime(seconds);
  }
  state.counters["ms"] = seconds * 1000;
  state.counters["x_readdir"] = seconds / baseline;
}
BENCHMARK(BM_IntoAndOutOfAFolder)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The dialog's list (450 x 290 window) shown on the folder's parent, then sent into the
// 10,000 files and painted; the way out again is the next round's start.
void BM_FirstScreenPainted(benchmark::State& state) {
  const std::string big = TheTree().root + "/big";
  TForm* form = new TForm(nullptr);
  form->SetBounds(10, 10, 450, 290);
  auto* list = new TbsSkinFileListView(form);
  list->SetParent(form);
  list->SetBounds(0, 25, 431, 166);
  list->SetViewStyle(vsList);
  form->Show();
  Application->ProcessMessages();
  TBitmap shot;
  const double baseline = ReaddirSeconds(big);
  double seconds = 0;
  for (auto _ : state) {
    seconds = SecondsPerCall(
        [&] {
          list->SetPath(TheTree().root);
          list->SetPath(big);
          PaintTo(list, &shot);
        },
        2);
    state.SetIterationTime(seconds);
  }
  state.counters["rows"] = list->ItemCount();
  state.counters["ms"] = seconds * 1000;
  state.counters["x_readdir"] = seconds / baseline;
  delete form;
}
BENCHMARK(BM_FirstScreenPainted)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // The theme's icons are drawn through the application object.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application_Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
