// A disk that fills during a real take from the test sound server. The take runs in a
// fresh child process (this test binary started again; a forked copy could not talk
// to the sound server) whose file size limit stands in for the full disk.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/audio/Audio.h"
#include "platform/mci/Mci.h"
#include "platform/mci/WaveFile.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ToneAnalysis.h"

extern char** environ;

namespace {
constexpr const char* kRoleVar = "CORVALE_FULL_DISK_CHILD";
constexpr rlim_t kLimit = 100003;  // about 1.1 s of stereo 16-bit 22050 Hz, not a whole frame
// The take is written as it arrives into a wave journal: its 44-byte header shares the
// limit with the samples.
constexpr std::uint64_t kFrames = (kLimit - 44) / 4;

void SetFileSizeLimit(rlim_t bytes) {
  rlimit r{};
  getrlimit(RLIMIT_FSIZE, &r);
  r.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &r);
}

DWORD_PTR Status(MCIDEVICEID id, DWORD item) {
  MCI_STATUS_PARMS s;
  s.dwItem = item;
  return mciSendCommand(id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&s)) == 0
             ? s.dwReturn
             : 0;
}

// The child: records into the wave file named by the role variable until the disk is
// full; the stop must report that; with room again the save keeps every whole frame.
int FullDiskTake(const char* wav) {
  signal(SIGXFSZ, SIG_IGN);
  MCI_OPEN_PARMS open;
  open.lpstrElementName = wav;
  if (mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) return 10;
  MCIDEVICEID id = open.wDeviceID;
  MCI_SET_PARMS set;
  set.dwTimeFormat = MCI_FORMAT_SAMPLES;
  if (mciSendCommand(id, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)) != 0) return 11;
  SetFileSizeLimit(kLimit);
  MCI_RECORD_PARMS rec;
  if (mciSendCommand(id, MCI_RECORD, 0, reinterpret_cast<DWORD_PTR>(&rec)) != 0) return 12;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (Status(id, MCI_STATUS_MODE) == MCI_MODE_RECORD && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  MCI_GENERIC_PARMS g;
  if (mciSendCommand(id, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&g)) != MCIERR_FILE_WRITE) return 13;
  if (Status(id, MCI_STATUS_LENGTH) != kFrames) return 14;
  SetFileSizeLimit(RLIM_INFINITY);
  MCI_SAVE_PARMS save;
  save.lpfilename = wav;
  if (mciSendCommand(id, MCI_SAVE, MCI_WAIT | MCI_SAVE_FILE, reinterpret_cast<DWORD_PTR>(&save)) != 0) return 15;
  return mciSendCommand(id, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&g)) == 0 ? 0 : 16;
}

// Runs before main when this binary was started as the child.
[[maybe_unused]] const int kChildRole = [] {
  if (const char* wav = std::getenv(kRoleVar)) _exit(FullDiskTake(wav));
  return 0;
}();
}  // namespace

TEST(FullDiskRecording, TheStopReportsItAndTheSaveKeepsEveryWholeFrame) {
  if (!testsupport::PulseExpected()) GTEST_SKIP() << "no PulseAudio test daemon (scripts/services.sh)";
  ASSERT_EQ(waveOutSetVolume(0, 0xFFFFFFFF), MMSYSERR_NOERROR);
  testsupport::ToneFeeder feed;  // left 440 Hz, right 1000 Hz
  ASSERT_TRUE(feed.Active());
  const std::string wav = testsupport::MakeTempDir("fulldisk") + "/Temp.wav";
  auto header = MakeWaveHeader({2, 22050, 16}, 0);
  FILE* f = std::fopen(wav.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(header.data(), 1, header.size(), f);
  std::fclose(f);

  setenv(kRoleVar, wav.c_str(), 1);
  char self[] = "/proc/self/exe";
  char* argv[] = {self, nullptr};
  pid_t pid = -1;
  int spawned = posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, argv, environ);
  unsetenv(kRoleVar);
  ASSERT_EQ(spawned, 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status);
  ASSERT_EQ(WEXITSTATUS(status), 0);

  testsupport::WaveData w;
  std::string why;
  ASSERT_TRUE(testsupport::ReadWave(wav, w, why)) << why;
  EXPECT_EQ(w.DataSize, kFrames * 4);
  EXPECT_EQ(w.FileSize, 44 + kFrames * 4);
  EXPECT_EQ(w.RiffSize, w.FileSize - 8);
  std::vector<double> left(w.Samples[0].begin() + 22050 * 3 / 10, w.Samples[0].end());
  std::vector<double> right(w.Samples[1].begin() + 22050 * 3 / 10, w.Samples[1].end());
  EXPECT_GT(testsupport::TonePower(left, 22050, 440), 20 * testsupport::TonePower(left, 22050, 1000));
  EXPECT_GT(testsupport::TonePower(right, 22050, 1000), 20 * testsupport::TonePower(right, 22050, 440));
}
