// Recording hours of 44.1 kHz stereo from a synthetic input through the wave device:
// capture into the take's journal, then save. Measured against a plain write-then-copy
// of the same bytes in the same run; peak memory growth must stay flat with the length,
// and every saved byte is checked against the input. A two-hour take with the journal
// runs against the same take in an unnamed spill file saved by copying (the device's
// way when no journal can be made beside the file), reporting processor time, memory,
// writes and syncs per recorded second.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/Audio.h"
#include "platform/mci/Mci.h"
#include "platform/mci/TakeJournal.h"
#include "platform/mci/WaveFile.h"

namespace {
const TAudioFormat kFormat{2, 44100, 16};
const TSyntheticSignal kSignal{};  // 440 Hz left, 1000 Hz right

std::string MakeDir() {
  char tmpl[] = "/tmp/corvale-bench-XXXXXX";
  return mkdtemp(tmpl) ? tmpl : "/tmp";
}

// Peak resident memory since the last reset, in kB.
long PeakKb() {
  std::ifstream f("/proc/self/status");
  std::string line;
  while (std::getline(f, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}
void ResetPeak() {
  std::ofstream f("/proc/self/clear_refs");
  f << "5";
}

std::uint64_t FramesFor(double hours) { return static_cast<std::uint64_t>(hours * 3600) * 44100; }

// One second of the input, which repeats exactly every second.
std::vector<char> OneSecond() {
  auto src = CreateSyntheticAudioSource(kSignal);
  src->Open(kFormat);
  std::vector<char> s(static_cast<size_t>(kFormat.BytesPerSec()));
  src->Read(s.data(), s.size(), 0);
  return s;
}

// True when the file holds the header and then exactly the input's bytes.
bool SampleExact(const std::string& path, std::uint64_t dataBytes) {
  auto header = MakeWaveHeader(kFormat, static_cast<std::uint32_t>(dataBytes));
  std::vector<char> second = OneSecond(), buf(second.size());
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  char h[44];
  bool ok = ::read(fd, h, 44) == 44 && std::memcmp(h, header.data(), 44) == 0;
  for (std::uint64_t done = 0; ok && done < dataBytes; done += buf.size()) {
    size_t n = static_cast<size_t>(std::min<std::uint64_t>(buf.size(), dataBytes - done));
    ok = ::read(fd, buf.data(), n) == static_cast<ssize_t>(n) && std::memcmp(buf.data(), second.data(), n) == 0;
  }
  char extra;
  ok = ok && ::read(fd, &extra, 1) == 0;
  ::close(fd);
  return ok;
}

void BM_RecordAndSave(benchmark::State& state) {
  const double hours = static_cast<double>(state.range(0)) / 4;  // argument in quarter hours
  const std::uint64_t frames = FramesFor(hours), bytes = frames * 4;
  SetAudioSourceFactory([] { return CreateSyntheticAudioSource(kSignal); });
  std::string dir = MakeDir(), wav = dir + "/Temp.wav";
  long growth = 0;
  for (auto _ : state) {
    state.PauseTiming();
    {
      auto h = MakeWaveHeader(kFormat, 0);
      std::ofstream(wav, std::ios::binary).write(reinterpret_cast<const char*>(h.data()), 44);
    }
    ResetPeak();
    long before = PeakKb();
    state.ResumeTiming();

    MCI_OPEN_PARMS open;
    open.lpstrElementName = wav.c_str();
    if (mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
      state.SkipWithError("open failed");
      break;
    }
    MCI_SET_PARMS set;
    set.dwTimeFormat = MCI_FORMAT_SAMPLES;
    mciSendCommand(open.wDeviceID, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set));
    MCI_RECORD_PARMS rec;
    rec.dwTo = static_cast<DWORD>(frames);
    MCIERROR e = mciSendCommand(open.wDeviceID, MCI_RECORD, MCI_WAIT | MCI_TO, reinterpret_cast<DWORD_PTR>(&rec));
    MCI_SAVE_PARMS save;
    save.lpfilename = wav.c_str();
    if (!e) e = mciSendCommand(open.wDeviceID, MCI_SAVE, MCI_WAIT | MCI_SAVE_FILE, reinterpret_cast<DWORD_PTR>(&save));
    MCI_GENERIC_PARMS close;
    mciSendCommand(open.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));

    state.PauseTiming();
    growth = PeakKb() - before;
    if (e) {
      state.SkipWithError("record or save failed");
      break;
    }
    if (!SampleExact(wav, bytes)) {
      state.SkipWithError("saved file is not sample-exact");
      break;
    }
    state.ResumeTiming();
  }
  SetAudioSourceFactory(nullptr);
  std::filesystem::remove_all(dir);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["audio_s"] = static_cast<double>(frames) / 44100;
  state.counters["peak_growth_MB"] = static_cast<double>(growth) / 1024;
  state.counters["x_realtime"] =
      benchmark::Counter(static_cast<double>(frames) / 44100 * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

double ProcessCpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// Write calls of this process so far (any file).
double WriteCalls() {
  std::ifstream f("/proc/self/io");
  std::string key;
  double value = 0;
  while (f >> key >> value)
    if (key == "syscw:") return value;
  return 0;
}

// The synthetic input as the sound server hands it out: 50 ms at a time, only faster.
class TFragmentSource : public IAudioSource {
 public:
  MMRESULT Open(const TAudioFormat& f) override { return FSource->Open(f); }
  long Read(void* buffer, size_t bytes, int timeoutMs) override {
    return FSource->Read(buffer, std::min<size_t>(bytes, kFormat.BytesPerSec() / 20), timeoutMs);
  }
  void Close() override { FSource->Close(); }

 private:
  std::unique_ptr<IAudioSource> FSource = CreateSyntheticAudioSource(kSignal);
};

// Argument 0: today's unnamed spill file, copied at the save (a folder at the journal's
// name makes the device fall back to it); 1: the journal, renamed at the save.
void BM_TwoHourTake(benchmark::State& state) {
  const bool journal = state.range(0) == 1;
  const std::uint64_t frames = FramesFor(2), bytes = frames * 4;
  const double seconds = static_cast<double>(frames) / 44100;
  SetAudioSourceFactory([] { return std::make_unique<TFragmentSource>(); });
  std::string dir = MakeDir(), wav = dir + "/Temp.wav";
  if (!journal) std::filesystem::create_directory(JournalPathFor(wav));
  double cpu = 0, writes = 0, growth = 0;
  TJournalCounters before{}, after{};
  for (auto _ : state) {
    state.PauseTiming();
    auto h = MakeWaveHeader(kFormat, 0);
    std::ofstream(wav, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(h.data()), 44);
    ResetPeak();
    const long peak0 = PeakKb();
    const double cpu0 = ProcessCpuSeconds(), writes0 = WriteCalls();
    before = JournalCounters();
    state.ResumeTiming();

    MCI_OPEN_PARMS open;
    open.lpstrElementName = wav.c_str();
    MCIERROR e = mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open));
    MCI_SET_PARMS set;
    set.dwTimeFormat = MCI_FORMAT_SAMPLES;
    if (!e) e = mciSendCommand(open.wDeviceID, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set));
    MCI_RECORD_PARMS rec;
    rec.dwTo = static_cast<DWORD>(frames);
    if (!e) e = mciSendCommand(open.wDeviceID, MCI_RECORD, MCI_WAIT | MCI_TO, reinterpret_cast<DWORD_PTR>(&rec));
    MCI_SAVE_PARMS save;
    save.lpfilename = wav.c_str();
    if (!e) e = mciSendCommand(open.wDeviceID, MCI_SAVE, MCI_WAIT | MCI_SAVE_FILE, reinterpret_cast<DWORD_PTR>(&save));
    MCI_GENERIC_PARMS close;
    mciSendCommand(open.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));

    state.PauseTiming();
    cpu = ProcessCpuSeconds() - cpu0;
    writes = WriteCalls() - writes0;
    after = JournalCounters();
    growth = double(PeakKb() - peak0) / 1024;
    if (e) {
      state.SkipWithError("open, record or save failed");
      break;
    }
    if (!SampleExact(wav, bytes)) {
      state.SkipWithError("saved file is not sample-exact");
      break;
    }
    state.ResumeTiming();
  }
  SetAudioSourceFactory(nullptr);
  std::filesystem::remove_all(dir);
  state.counters["audio_s"] = seconds;
  state.counters["cpu_ms_per_audio_s"] = cpu * 1000 / seconds;
  state.counters["peak_growth_MB"] = growth;
  state.counters["writes_per_audio_s"] = writes / seconds;
  state.counters["header_writes_per_audio_s"] = double(after.HeaderWrites - before.HeaderWrites) / seconds;
  state.counters["syncs_per_audio_s"] = double(after.Syncs - before.Syncs) / seconds;
}

// Baseline: the same bytes written to a file and copied to another, as plainly as possible.
void BM_PlainWriteThenCopy(benchmark::State& state) {
  const double hours = static_cast<double>(state.range(0)) / 4;
  const std::uint64_t bytes = FramesFor(hours) * 4;
  std::string dir = MakeDir(), a = dir + "/a.raw", b = dir + "/b.raw";
  std::vector<char> buf(256 * 1024);
  for (auto _ : state) {
    auto src = CreateSyntheticAudioSource(kSignal);
    src->Open(kFormat);
    int fa = ::open(a.c_str(), O_CREAT | O_TRUNC | O_RDWR, 0644);
    for (std::uint64_t done = 0; done < bytes;) {
      long n = src->Read(buf.data(), static_cast<size_t>(std::min<std::uint64_t>(buf.size(), bytes - done)), 0);
      if (::write(fa, buf.data(), static_cast<size_t>(n)) != n) break;
      done += static_cast<std::uint64_t>(n);
    }
    int fb = ::open(b.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    ::lseek(fa, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fa, buf.data(), buf.size())) > 0;)
      if (::write(fb, buf.data(), static_cast<size_t>(n)) != n) break;
    ::fsync(fb);
    ::close(fb);
    ::close(fa);
  }
  std::filesystem::remove_all(dir);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["audio_s"] = static_cast<double>(bytes) / kFormat.BytesPerSec();
}
}  // namespace

// A quarter of an hour, one hour and two hours of sound.
BENCHMARK(BM_PlainWriteThenCopy)->Arg(1)->Arg(4)->Arg(8)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_RecordAndSave)->Arg(1)->Arg(4)->Arg(8)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_TwoHourTake)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
