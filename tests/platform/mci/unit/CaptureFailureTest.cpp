// Takes that end badly: an input that dies, a disk that fills, a folder the user may
// not create files in. The device must say so, and keep every sample it got.
#include <gtest/gtest.h>
#include <grp.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "platform/audio/Audio.h"
#include "tests/platform/mci/unit/MciTestHelpers.h"
#include "tests/support/SyntheticAudio.h"
#include "tests/support/TestSupport.h"

using namespace mcitest;
namespace fs = std::filesystem;

namespace {
constexpr uid_t kNobody = 65534;

// Delivers `reads` blocks of 100 frames, each frame's bytes the frame number's low
// byte, then fails as a source does when its server goes away.
class TDyingSource : public IAudioSource {
 public:
  explicit TDyingSource(long reads) : FReads(reads) {}
  MMRESULT Open(const TAudioFormat& f) override {
    FBlock = static_cast<size_t>(f.BlockAlign());
    return MMSYSERR_NOERROR;
  }
  long Read(void* buf, size_t bytes, int) override {
    if (FReads-- <= 0) return -1;
    size_t frames = std::min<size_t>(bytes / FBlock, 100);
    auto* p = static_cast<unsigned char*>(buf);
    for (size_t i = 0; i < frames * FBlock; ++i) p[i] = static_cast<unsigned char>(FFrame + i / FBlock);
    FFrame += frames;
    return static_cast<long>(frames * FBlock);
  }
  void Close() override {}

 private:
  long FReads;
  size_t FBlock = 1;
  size_t FFrame = 0;
};

std::string DyingSourceBytes(size_t frames, size_t block) {
  std::string s;
  for (size_t f = 0; f < frames; ++f) s.append(block, static_cast<char>(f & 0xFF));
  return s;
}

using testsupport::SyntheticBytes;

// Runs body in a forked child and returns its exit status (100 + signal when killed).
int InChild(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

MCIERROR RecordFor(MCIDEVICEID id, DWORD flags, DWORD to = 0) {
  MCI_RECORD_PARMS r;
  r.dwTo = to;
  return mciSendCommand(id, MCI_RECORD, flags, reinterpret_cast<DWORD_PTR>(&r));
}

MCIERROR UseSamples(MCIDEVICEID id) {
  MCI_SET_PARMS set;
  set.dwTimeFormat = MCI_FORMAT_SAMPLES;
  return mciSendCommand(id, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set));
}

void SetFileSizeLimit(rlim_t bytes) {
  rlimit r{};
  getrlimit(RLIMIT_FSIZE, &r);
  r.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &r);
}

class CaptureFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testsupport::MakeTempDir("capfail");
    wav = dir + "/Temp.wav";
    SetAudioSourceFactory([this] { return CreateSyntheticAudioSource(signal); });
  }
  void TearDown() override { SetAudioSourceFactory(nullptr); }
  TSyntheticSignal signal;
  std::string dir, wav;
};

// A folder under /tmp that the unprivileged user can reach but not create files in,
// holding a Temp.wav that user may write.
class ReadOnlyFolder : public CaptureFailure {
 protected:
  void SetUp() override {
    CaptureFailure::SetUp();
    char pattern[] = "/tmp/corvale-rofolder-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    ro = pattern;
    rowav = ro + "/Temp.wav";
    WriteFile(rowav, Header(fmt));
    ASSERT_EQ(chmod(rowav.c_str(), 0666), 0);
    ASSERT_EQ(chmod(ro.c_str(), geteuid() == 0 ? 0755 : 0555), 0);
  }
  void TearDown() override {
    chmod(ro.c_str(), 0755);
    fs::remove_all(ro);
    CaptureFailure::TearDown();
  }
  // In the child: becomes the unprivileged user (root ignores permissions) and proves
  // that no file can be made in the folder. 0 when that holds.
  int DropAndCheckFolder() {
    if (geteuid() == 0) {
      if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) return 20;
    }
    std::string probe = ro + "/probe~XXXXXX";
    int fd = mkstemp(probe.data());
    if (fd >= 0 || errno != EACCES) return 21;
    setenv("TMPDIR", "/tmp", 1);  // the spill goes there
    return 0;
  }
  const TAudioFormat fmt{2, 11025, 16};
  std::string ro, rowav;
};
}  // namespace

TEST_F(CaptureFailure, AnInputThatDiesIsReportedOnceAndTheTakeIsKept) {
  const TAudioFormat fmt{2, 22050, 16};
  WriteFile(wav, Header(fmt));
  for (bool stopFirst : {true, false}) {
    SCOPED_TRACE(stopFirst ? "stop, then save" : "save without stop");
    SetAudioSourceFactory([] { return std::make_unique<TDyingSource>(3); });
    MCIDEVICEID id = 0;
    ASSERT_EQ(OpenElement(wav, &id), 0u);
    ASSERT_EQ(RecordFor(id, MCI_NOTIFY), 0u);
    ASSERT_TRUE(testsupport::WaitUntil([&] { return Status(id, MCI_STATUS_MODE) == MCI_MODE_STOP; }, 3000));
    if (stopFirst) {
      EXPECT_EQ(Simple(id, MCI_STOP, MCI_WAIT), MCIERR_HARDWARE);
      EXPECT_EQ(SaveTo(id, wav), 0u);  // the take is complete as far as it went
    } else {
      EXPECT_EQ(SaveTo(id, wav), MCIERR_HARDWARE);  // saved, and the failure reported
    }
    // Reported once: the next commands have nothing more to say.
    EXPECT_EQ(Simple(id, MCI_STOP, MCI_WAIT), 0u);
    EXPECT_EQ(SaveTo(id, wav), 0u);
    EXPECT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
    std::string data = DyingSourceBytes(300, 4);
    EXPECT_EQ(ReadFile(wav), Header(fmt, static_cast<std::uint32_t>(data.size())) + data);
    WriteFile(wav, Header(fmt));
  }
  // A new take starts clean: an unreported failure of the last one is not carried over.
  SetAudioSourceFactory([] { return std::make_unique<TDyingSource>(1); });
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  ASSERT_EQ(RecordFor(id, MCI_NOTIFY), 0u);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return Status(id, MCI_STATUS_MODE) == MCI_MODE_STOP; }, 3000));
  SetAudioSourceFactory([this] { return CreateSyntheticAudioSource(signal); });
  ASSERT_EQ(UseSamples(id), 0u);
  ASSERT_EQ(RecordFor(id, MCI_WAIT | MCI_TO, 500), 0u);
  EXPECT_EQ(Simple(id, MCI_STOP, MCI_WAIT), 0u);
  EXPECT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
}

// The take's journal lives beside Temp.wav, its 44-byte header first; a full disk ends
// the capture there. The child gets a small file size limit (writes past it fail with
// EFBIG), and, once the stop has reported the failure, room again to save.
TEST_F(CaptureFailure, AFullDiskEndsTheTakeWithAnErrorAndKeepsEveryWholeFrame) {
  const TAudioFormat fmt{2, 22050, 16};
  WriteFile(wav, Header(fmt));
  constexpr rlim_t kLimit = 100003;  // not a whole frame: the partial frame is dropped
  int rc = InChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    MCIDEVICEID id = 0;
    if (OpenElement(wav, &id) != 0 || UseSamples(id) != 0) return 10;
    SetFileSizeLimit(kLimit);
    if (RecordFor(id, MCI_WAIT) != 0) return 11;  // ends by itself, when the disk is full
    if (Simple(id, MCI_STOP, MCI_WAIT) != MCIERR_FILE_WRITE) return 12;
    if (Status(id, MCI_STATUS_LENGTH) != (kLimit - 44) / 4) return 13;
    SetFileSizeLimit(RLIM_INFINITY);
    if (SaveTo(id, wav) != 0) return 14;
    return Simple(id, MCI_CLOSE, MCI_WAIT) == 0 ? 0 : 15;
  });
  ASSERT_EQ(rc, 0);
  std::string data = SyntheticBytes(signal, fmt, (kLimit - 44) / 4);
  EXPECT_EQ(ReadFile(wav), Header(fmt, static_cast<std::uint32_t>(data.size())) + data);
  int files = 0;
  for (auto& e : fs::directory_iterator(dir)) { (void)e; ++files; }
  EXPECT_EQ(files, 1);
}

TEST_F(ReadOnlyFolder, SaveWritesInPlaceWhenNoFileCanBeMadeBesideTheTarget) {
  const DWORD frames = 3001;
  int rc = InChild([&] {
    if (int e = DropAndCheckFolder()) return e;
    MCIDEVICEID id = 0;
    if (OpenElement(rowav, &id) != 0 || UseSamples(id) != 0) return 10;
    if (RecordFor(id, MCI_WAIT | MCI_TO, frames) != 0) return 11;
    if (SaveTo(id, rowav) != 0) return 12;
    return Simple(id, MCI_CLOSE, MCI_WAIT) == 0 ? 0 : 13;
  });
  ASSERT_EQ(rc, 0);
  std::string data = SyntheticBytes(signal, fmt, frames);
  EXPECT_EQ(ReadFile(rowav), Header(fmt, static_cast<std::uint32_t>(data.size())) + data);
  int files = 0;
  for (auto& e : fs::directory_iterator(ro)) { (void)e; ++files; }
  EXPECT_EQ(files, 1);
}

// In place and out of room half-way: the save fails, and the file's header announces
// exactly the whole frames it holds.
TEST_F(ReadOnlyFolder, AnInPlaceSaveThatFailsLeavesATrueHeader) {
  const DWORD frames = 5000;
  constexpr rlim_t kLimit = 44 + 10002;
  int rc = InChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    if (int e = DropAndCheckFolder()) return e;
    MCIDEVICEID id = 0;
    if (OpenElement(rowav, &id) != 0 || UseSamples(id) != 0) return 10;
    if (RecordFor(id, MCI_WAIT | MCI_TO, frames) != 0) return 11;
    SetFileSizeLimit(kLimit);
    if (SaveTo(id, rowav) != MCIERR_FILE_NOT_SAVED) return 12;
    return Simple(id, MCI_CLOSE, MCI_WAIT) == 0 ? 0 : 13;
  });
  ASSERT_EQ(rc, 0);
  std::string data = SyntheticBytes(signal, fmt, 10000 / 4);
  EXPECT_EQ(ReadFile(rowav), Header(fmt, static_cast<std::uint32_t>(data.size())) + data);
  TWaveFileInfo info = ReadWaveFileInfo(rowav);
  EXPECT_EQ(info.DataSize, 10000u);
}
