// The journal a take is recorded into: a wave file that keeps up with the take while it
// runs, locked against a second recorder, renamed into place by a save, and rescued to
// whole frames when a crash left it behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/audio/Audio.h"
#include "platform/mci/TakeJournal.h"
#include "tests/platform_mci/unit/MciTestHelpers.h"
#include "tests/support/TestSupport.h"

using namespace mcitest;
namespace fs = std::filesystem;

namespace {
ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}
std::uint32_t U32At(const std::string& bytes, size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}
// 2 channels, 16 bits, 22050 Hz, as the main window writes it, sizes as given.
std::string StereoHeader(std::uint32_t riff, std::uint32_t data) {
  std::string h = Header({2, 22050, 16});
  for (int i = 0; i < 4; ++i) {
    h[4 + i] = static_cast<char>(riff >> (8 * i));
    h[40 + i] = static_cast<char>(data >> (8 * i));
  }
  return h;
}
}  // namespace

TEST(TakeJournal, KeepsUpWithTheTakeIsLockedAndBecomesTheSavedFile) {
  const std::string dir = testsupport::MakeTempDir("journal"), wav = dir + "/Temp.wav";
  const std::string journal = dir + "/.Temp.wav.recording";
  TSyntheticSignal signal;
  signal.RealTime = true;
  SetAudioSourceFactory([signal] { return CreateSyntheticAudioSource(signal); });
  WriteFile(wav, Header({2, 22050, 16}));
  MCIDEVICEID id = 0, second = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  MCI_RECORD_PARMS rec;
  ASSERT_EQ(mciSendCommand(id, MCI_RECORD, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&rec)), 0u);
  const auto start = std::chrono::steady_clock::now();
  for (double probe : {1.3, 2.6}) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(static_cast<int>(probe * 1000)));
    // A whole wave file announcing all but the last second and a quarter (a crash may
    // take no more than that and the unsynced batch).
    TWaveFileInfo info = ReadWaveFileInfo(journal);
    EXPECT_EQ(info.Format, (TAudioFormat{2, 22050, 16}));
    EXPECT_GE(static_cast<double>(info.DataSize), (probe - 1.3) * 88200) << "at " << probe << " s";
    EXPECT_EQ(OpenElement(wav, &second), MCIERR_DEVICE_LOCKED) << "a second recorder";
  }
  const ino_t journalInode = Inode(journal);
  ASSERT_EQ(Simple(id, MCI_STOP, MCI_WAIT), 0u);
  ASSERT_EQ(SaveTo(id, wav), 0u);
  EXPECT_EQ(Inode(wav), journalInode) << "the save copied the take instead of renaming it";
  EXPECT_FALSE(fs::exists(journal));
  const std::string saved = ReadFile(wav);
  EXPECT_EQ(U32At(saved, 40), saved.size() - 44);
  EXPECT_GE(saved.size() - 44, 2.5 * 88200);
  EXPECT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
  EXPECT_EQ(ReadFile(wav), saved);
  ASSERT_EQ(OpenElement(wav, &second), 0u) << "the lock outlived the device";
  EXPECT_EQ(Simple(second, MCI_CLOSE, MCI_WAIT), 0u);
  EXPECT_FALSE(fs::exists(journal));
  SetAudioSourceFactory(nullptr);
}

// What a start finds: every kind of journal, and what each must become.
TEST(TakeJournal, LeftJournalsAreRescuedToWholeFramesOrLeftAlone) {
  const std::string dir = testsupport::MakeTempDir("rescue");
  const std::string journal = dir + "/.Temp.wav.recording";
  const std::string frames1000 = StereoHeader(0x7FFFFFF0, 0x7FFFFFCC) + std::string(4000 + 3, '\x5A');
  std::string other = Header({2, 22050, 16});
  other[34] = 24;  // 24-bit sound
  struct Case {
    const char* Name;
    std::string Bytes;
    TJournalRescue::TOutcome Outcome;
    std::uint64_t Frames;
  } cases[] = {
      {"cut mid-frame after 1000 frames", frames1000, TJournalRescue::jrRescued, 1000},
      {"header only", StereoHeader(36, 0), TJournalRescue::jrEmpty, 0},
      {"cut inside its header", Header({2, 22050, 16}).substr(0, 30), TJournalRescue::jrEmpty, 0},
      {"another format", other + std::string(400, '\x01'), TJournalRescue::jrKept, 0},
      {"not a wave file", std::string("just some notes that are not sound at all, long enough"), TJournalRescue::jrKept,
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteFile(journal, c.Bytes);
    WriteFile(journal + ".cover.json", "{}");
    const timespec times[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, journal.c_str(), times, 0), 0);
    WriteFile(dir + "/taken.wav", "x");
    std::vector<std::time_t> asked;
    TJournalRescue r = RescueJournal(journal, [&](std::time_t t) {
      asked.push_back(t);
      return dir + (asked.size() == 1 ? "/taken.wav" : "/rescued.wav");  // the first name is taken
    });
    EXPECT_EQ(r.Outcome, c.Outcome) << r.Reason;
    EXPECT_EQ(r.Frames, c.Frames);
    if (c.Outcome == TJournalRescue::jrRescued) {
      EXPECT_EQ(asked, (std::vector<std::time_t>{1700000000, 1700000000}));
      EXPECT_EQ(r.RescuedPath, dir + "/rescued.wav");
      EXPECT_EQ(ReadFile(dir + "/rescued.wav"), StereoHeader(36 + 4000, 4000) + std::string(4000, '\x5A'));
      EXPECT_EQ(ReadFile(dir + "/rescued.cover.json"), "{}");
      EXPECT_EQ(ReadFile(dir + "/taken.wav"), "x");
      EXPECT_FALSE(fs::exists(journal));
    } else if (c.Outcome == TJournalRescue::jrEmpty) {
      EXPECT_FALSE(fs::exists(journal));
    } else {
      EXPECT_FALSE(r.Reason.empty());
      EXPECT_EQ(ReadFile(journal), c.Bytes);
    }
    fs::remove(journal + ".cover.json");
    fs::remove(dir + "/rescued.wav");
  }

  fs::remove(journal);

  // A take in progress: neither rescued nor touched.
  const std::string wav = dir + "/Temp.wav";
  WriteFile(wav, Header({1, 11025, 8}));
  SetAudioSourceFactory([] { return CreateSyntheticAudioSource({}); });
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  const std::string held = ReadFile(journal);
  EXPECT_EQ(RescueJournal(journal, [&](std::time_t) { return dir + "/no.wav"; }).Outcome, TJournalRescue::jrBusy);
  EXPECT_EQ(ReadFile(journal), held);
  EXPECT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
  SetAudioSourceFactory(nullptr);
}

// A folder that became read-only: the journal cannot be renamed, so it stays whole.
TEST(TakeJournal, AJournalInAReadOnlyFolderIsLeftAsItIs) {
  char pattern[] = "/tmp/corvale-rojournal-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string dir = pattern, journal = dir + "/.Temp.wav.recording";
  const std::string bytes = StereoHeader(36, 0) + std::string(800, '\x33');
  WriteFile(journal, bytes);
  ASSERT_EQ(chmod(journal.c_str(), 0666), 0);
  ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
  pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(20);
    TJournalRescue r = RescueJournal(journal, [&](std::time_t) { return dir + "/Temp-x.wav"; });
    _exit(r.Outcome == TJournalRescue::jrKept && !r.Reason.empty() ? 0 : 1);
  }
  int status = -1;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadFile(journal), bytes);
  chmod(dir.c_str(), 0755);
  fs::remove_all(dir);
}
