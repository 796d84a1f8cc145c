// Unpacking and loading a stored skin against a plain zlib inflate of the same bytes,
// for the Slate skin and for a synthetic skin twenty times its size. The load should
// cost little beyond the inflate.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniFile.h"

namespace {
const std::string SourceDir = ExtractFilePath(ExcludeTrailingPathDelimiter(ExtractFilePath(__FILE__)));

struct BenchSkins {
  TbsCompressedStoredSkin slate{nullptr};
  TbsCompressedStoredSkin large{nullptr};
  size_t slateRaw = 0, largeRaw = 0;

  BenchSkins() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string dir = "/tmp/corvale-bench-skin/";
    const std::string cmd = "python3 '" + SourceDir + "skins/make_skin.py' '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) std::abort();
    slate.PackSkinIni(dir + "skin.ini");

    // Twenty times the pictures and the records: every control and object section
    // copied under new names, and every picture listed twenty times.
    TSkinIniFile ini;
    ini.LoadFromFile(dir + "skin.ini");
    TStringList lines;
    lines.LoadFromFile(dir + "skin.ini");
    std::string text = lines.Text();
    std::string pictures = "[PICTURES]\npicture=frame.bmp\ninactivepicture=frame_inactive.bmp\nmask=frame_mask.bmp\n"
                           "activepicturescount=60\n";
    for (int i = 0; i < 60; ++i)
      pictures += IntToStr(i) + "=" + (i % 3 == 0 ? "controls.bmp" : i % 3 == 1 ? "windows.bmp" : "background.bmp") + "\n";
    std::string extra = pictures, controls = "[SKINCONTROLS]\ncount=660\n", objects = "[SKINOBJECTS]\ncount=260\n";
    int c = 0, o = 0;
    for (const char* list : {"SKINCONTROLS", "SKINOBJECTS"}) {
      const int n = ini.ReadInteger(list, "count", 0);
      for (int copy = 0; copy < 20; ++copy)
        for (int i = 0; i < n; ++i) {
          const std::string entry = ini.ReadString(list, IntToStr(i), "");
          const std::string name = entry.substr(0, entry.find(':')) + "_" + IntToStr(copy);
          std::string& target = std::string(list) == "SKINCONTROLS" ? controls : objects;
          target += IntToStr(std::string(list) == "SKINCONTROLS" ? c++ : o++) + "=" + name +
                    entry.substr(entry.find(':')) + "\n";
          TStringList keys;
          ini.ReadSection(entry.substr(0, entry.find(':')), keys);
          extra += "[" + name + "]\n";
          for (int k = 0; k < keys.Count(); ++k)
            extra += keys[k] + "=" + ini.ReadString(entry.substr(0, entry.find(':')), keys[k], "") + "\n";
        }
    }
    // The first section of a name counts, so the new lists go in front.
    text = "[VERSION]\nskinname=Large\n" + controls + objects + extra + text;
    TFileStream f(dir + "large.ini", fmCreate);
    f.WriteBuffer(text.data(), Int64(text.size()));
    large.PackSkinIni(dir + "large.ini");

    slateRaw = RawSize(slate);
    largeRaw = RawSize(large);
  }

  static size_t RawSize(TbsCompressedStoredSkin& s) {
    TMemoryStream m;
    s.UnpackTo(m);
    return size_t(m.Size());
  }
};

BenchSkins& Skins() {
  static BenchSkins skins;
  return skins;
}

void Inflate(benchmark::State& state, TbsCompressedStoredSkin& skin, size_t raw) {
  std::vector<Bytef> out(raw);
  const auto& in = skin.PackedData().Bytes();
  for (auto _ : state) {
    uLongf size = uLongf(out.size());
    if (uncompress(out.data(), &size, in.data(), uLong(in.size())) != Z_OK) state.SkipWithError("inflate");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(Int64(state.iterations()) * Int64(raw));
}

void Load(benchmark::State& state, TbsCompressedStoredSkin& skin, size_t raw) {
  TbsSkinData data(nullptr);
  for (auto _ : state) {
    data.LoadFromStoredSkin(&skin);
    if (data.SkinEmpty) state.SkipWithError("load");
  }
  state.counters["records"] = double(data.ControlRecords.size() + data.ObjectRecords.size());
  state.SetBytesProcessed(Int64(state.iterations()) * Int64(raw));
}

void BM_SlateInflateOnly(benchmark::State& s) { Inflate(s, Skins().slate, Skins().slateRaw); }
void BM_SlateUnpackAndLoad(benchmark::State& s) { Load(s, Skins().slate, Skins().slateRaw); }
void BM_LargeInflateOnly(benchmark::State& s) { Inflate(s, Skins().large, Skins().largeRaw); }
void BM_LargeUnpackAndLoad(benchmark::State& s) { Load(s, Skins().large, Skins().largeRaw); }
}  // namespace

BENCHMARK(BM_SlateInflateOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlateUnpackAndLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeInflateOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeUnpackAndLoad)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
