// The journal a take is recorded into: a wave file that keeps up with the take, locked
// against a second recorder, renamed into place by a save, and rescued to whole frames
// when a crash left it behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/audio/Audio.h"
#include "platform/mci/TakeJournal.h"
#include "tests/platform/mci/unit/MciTestHelpers.h"
#include "tests/support/TestSupport.h"

using namespace mcitest;
namespace fs = std::filesystem;

namespace {
ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}
std::uint32_t U32At(const std::string& b, size_t at) {
  return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
         std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
}  // namespace

TEST(TakeJournal, KeepsUpWithTheTakeIsLockedAndBecomesTheSavedFile) {
  const std::string dir = testsupport::MakeTempDir("journal"), wav = dir + "/Temp.wav";
  const std::string journal = dir + "/.Temp.wav.recording";
  SetAudioSourceFactory([] { return CreateSyntheticAudioSource({440, 1000, 0.5, true}); });
  WriteFile(wav, Header({2, 22050, 16}));
  MCIDEVICEID id = 0, second = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  ASSERT_EQ(Simple(id, MCI_RECORD, MCI_NOTIFY), 0u);
  const auto start = std::chrono::steady_clock::now();
  for (double probe : {1.3, 2.6}) {
    std::this_thread::sleep_until(start + std::chrono::milliseconds(int(probe * 1000)));
    // A whole wave file announcing all but the last second and a quarter.
    TWaveFileInfo info = ReadWaveFileInfo(journal);
    EXPECT_EQ(info.Format, (TAudioFormat{2, 22050, 16}));
    EXPECT_GE(double(info.DataSize), (probe - 1.3) * 88200) << "at " << probe << " s";
    EXPECT_EQ(OpenElement(wav, &second), MCIERR_DEVICE_LOCKED) << "a second recorder";
  }
  const ino_t journalInode = Inode(journal);
  ASSERT_EQ(Simple(id, MCI_STOP, MCI_WAIT), 0u);
  ASSERT_EQ(SaveTo(id, wav), 0u);
  EXPECT_EQ(Inode(wav), journalInode) << "the save copied the take instead of renaming it";
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

// What a start may find, and what each must become.
TEST(TakeJournal, LeftJournalsAreRescuedToWholeFramesOrLeftAlone) {
  const std::string dir = testsupport::MakeTempDir("rescue"), journal = dir + "/.Temp.wav.recording";
  const std::string header = Header({2, 22050, 16}, 0x7FFFFFCC);  // sizes a crash left wrong
  std::string other = header;
  other[34] = 24;  // 24-bit sound
  const struct {
    std::string Bytes;
    TJournalRescue::TOutcome Outcome;
  } cases[] = {
      {header + std::string(4000 + 3, 'Z'), TJournalRescue::jrRescued},  // 1000 frames, cut in the next
      {header, TJournalRescue::jrEmpty},
      {header.substr(0, 30), TJournalRescue::jrEmpty},  // cut inside its header
      {other + std::string(400, 'Z'), TJournalRescue::jrKept},
      {"just some notes, no sound at all, long enough for a header", TJournalRescue::jrKept},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Bytes.substr(0, 20));
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
    if (c.Outcome == TJournalRescue::jrRescued) {
      EXPECT_EQ(asked, (std::vector<std::time_t>{1700000000, 1700000000}));
      const std::string rescued = ReadFile(dir + "/rescued.wav");
      EXPECT_EQ(rescued.substr(0, 40), header.substr(0, 4) + rescued.substr(4, 4) + header.substr(8, 32));
      EXPECT_EQ(U32At(rescued, 4), 36u + 4000);
      EXPECT_EQ(U32At(rescued, 40), 4000u);
      EXPECT_EQ(rescued.substr(44), std::string(4000, 'Z'));
      EXPECT_EQ(ReadFile(dir + "/rescued.cover.json"), "{}");
      EXPECT_EQ(ReadFile(dir + "/taken.wav"), "x");
    }
    EXPECT_EQ(fs::exists(journal), c.Outcome == TJournalRescue::jrKept);
    if (c.Outcome == TJournalRescue::jrKept) {
      EXPECT_EQ(ReadFile(journal), c.Bytes);
    }
    fs::remove(journal);
  }

  // A take in progress: neither rescued nor touched.
  WriteFile(dir + "/Temp.wav", Header({1, 11025, 8}));
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(dir + "/Temp.wav", &id), 0u);
  const std::string held = ReadFile(journal);
  EXPECT_EQ(RescueJournal(journal, [&](std::time_t) { return dir + "/no.wav"; }).Outcome, TJournalRescue::jrBusy);
  EXPECT_EQ(ReadFile(journal), held);
  EXPECT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
}

// A folder that became read-only: the journal cannot be renamed, so it stays whole.
TEST(TakeJournal, AJournalInAReadOnlyFolderIsLeftAsItIs) {
  char pattern[] = "/tmp/corvale-rojournal-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string dir = pattern, journal = dir + "/.Temp.wav.recording";
  const std::string bytes = Header({2, 22050, 16}) + std::string(800, '\x33');
  WriteFile(journal, bytes);
  ASSERT_EQ(chmod(journal.c_str(), 0666) | chmod(dir.c_str(), 0555), 0);
  pid_t pid = fork();
  if (pid == 0) {  // as an unprivileged user: root ignores the folder's permissions
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
