#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/audio/Audio.h"
#include "tests/platform/mci/unit/MciTestHelpers.h"
#include "tests/support/SyntheticAudio.h"
#include "tests/support/TestSupport.h"

using namespace mcitest;
namespace fs = std::filesystem;

namespace {
using testsupport::SyntheticBytes;

// A source that opens with a fixed result, or delivers some bytes and then fails.
class TFailingSource : public IAudioSource {
 public:
  TFailingSource(MMRESULT openResult, long goodReads) : FOpen(openResult), FGood(goodReads) {}
  MMRESULT Open(const TAudioFormat& f) override {
    FBlock = static_cast<size_t>(f.BlockAlign());
    return FOpen;
  }
  long Read(void* buf, size_t bytes, int) override {
    if (FGood-- <= 0) return -1;
    size_t n = std::min<size_t>(bytes, 100 * FBlock);
    std::memset(buf, 0x11, n);
    return static_cast<long>(n);
  }
  void Close() override {}

 private:
  MMRESULT FOpen;
  long FGood;
  size_t FBlock = 1;
};

class WaveRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testsupport::MakeTempDir("waverec");
    wav = dir + "/Temp.wav";
    SetAudioSourceFactory([this] { return CreateSyntheticAudioSource(signal); });
  }
  void TearDown() override { SetAudioSourceFactory(nullptr); }
  MCIERROR Record(MCIDEVICEID id, DWORD flags, DWORD to = 0, DWORD_PTR cb = 0, DWORD from = 0) {
    MCI_RECORD_PARMS r;
    r.dwCallback = cb;
    r.dwFrom = from;
    r.dwTo = to;
    return mciSendCommand(id, MCI_RECORD, flags, reinterpret_cast<DWORD_PTR>(&r));
  }
  int FilesIn(const std::string& d) {
    int n = 0;
    for (auto& e : fs::directory_iterator(d)) { (void)e; ++n; }
    return n;
  }
  TSyntheticSignal signal;
  std::string dir, wav;
};
}  // namespace

// Every format the main window offers: the saved file is the header the device writes
// followed by exactly the samples the source gave.
TEST_F(WaveRecordTest, AllTwelveFormatsSaveSampleExactFiles) {
  for (int ch : {1, 2})
    for (int bits : {8, 16})
      for (int rate : {11025, 22050, 44100}) {
        TAudioFormat fmt{ch, rate, bits};
        WriteFile(wav, Header(fmt));
        MCIDEVICEID id = 0;
        ASSERT_EQ(OpenElement(wav, &id), 0u);
        MCI_SET_PARMS set;
        set.dwTimeFormat = MCI_FORMAT_SAMPLES;
        ASSERT_EQ(mciSendCommand(id, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)), 0u);
        const DWORD frames = static_cast<DWORD>(rate / 4 + 1);  // odd for 8-bit mono: needs a pad byte
        ASSERT_EQ(Record(id, MCI_WAIT | MCI_TO, frames), 0u);
        EXPECT_EQ(Status(id, MCI_STATUS_LENGTH), frames);
        EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_STOP);
        ASSERT_EQ(Simple(id, MCI_STOP, MCI_WAIT), 0u);
        MCI_SAVE_PARMS save;
        save.lpfilename = wav.c_str();
        ASSERT_EQ(mciSendCommand(id, MCI_SAVE, MCI_WAIT | MCI_SAVE_FILE, reinterpret_cast<DWORD_PTR>(&save)), 0u);
        ASSERT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
        std::string data = SyntheticBytes(signal, fmt, frames);
        std::string pad = data.size() % 2 ? std::string(1, '\0') : "";
        EXPECT_EQ(ReadFile(wav), Header(fmt, static_cast<std::uint32_t>(data.size())) + data + pad)
            << ch << "ch " << bits << "bit " << rate;
        TWaveFileInfo info = ReadWaveFileInfo(wav);
        EXPECT_EQ(info.Format, fmt);
        EXPECT_EQ(info.DataSize, data.size());
        EXPECT_EQ(FilesIn(dir), 1);  // no spill or temporary file left
      }
}

TEST_F(WaveRecordTest, StatusDuringRecordingAndTimeFormats) {
  signal.RealTime = true;
  WriteFile(wav, Header({2, 22050, 16}));
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  ASSERT_EQ(Record(id, MCI_NOTIFY), 0u);
  EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_RECORD);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return Status(id, MCI_STATUS_LENGTH) >= 200; }, 5000));
  ASSERT_EQ(Simple(id, MCI_STOP, MCI_WAIT), 0u);
  EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_STOP);
  DWORD_PTR ms = Status(id, MCI_STATUS_LENGTH);
  MCI_SET_PARMS set;
  set.dwTimeFormat = MCI_FORMAT_BYTES;
  ASSERT_EQ(mciSendCommand(id, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  DWORD_PTR bytes = Status(id, MCI_STATUS_LENGTH);
  EXPECT_EQ(bytes % 4, 0u);
  EXPECT_EQ(bytes / 4 * 1000 / 22050, ms);
  EXPECT_EQ(Status(id, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_BYTES);
  set.dwTimeFormat = MCI_FORMAT_TMSF;
  EXPECT_EQ(mciSendCommand(id, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)),
            MCIERR_BAD_TIME_FORMAT);
  EXPECT_EQ(Status(id, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_BYTES);

  // Capabilities as a wave device answers them; where and window are not its business.
  const std::pair<DWORD, DWORD> caps[] = {{MCI_GETDEVCAPS_CAN_PLAY, 1},  {MCI_GETDEVCAPS_CAN_RECORD, 1},
                                          {MCI_GETDEVCAPS_CAN_EJECT, 0}, {MCI_GETDEVCAPS_HAS_VIDEO, 0},
                                          {MCI_GETDEVCAPS_CAN_SAVE, 1},  {MCI_GETDEVCAPS_DEVICE_TYPE, 522}};
  for (auto [item, want] : caps) {
    MCI_GETDEVCAPS_PARMS c;
    c.dwItem = item;
    c.dwReturn = 77;
    ASSERT_EQ(mciSendCommand(id, MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, reinterpret_cast<DWORD_PTR>(&c)), 0u);
    EXPECT_EQ(c.dwReturn, want) << item;
  }
  MCI_GETDEVCAPS_PARMS c;
  c.dwItem = 99;
  EXPECT_EQ(mciSendCommand(id, MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, reinterpret_cast<DWORD_PTR>(&c)),
            MCIERR_BAD_CONSTANT);
  MCI_ANIM_RECT_PARMS where;
  EXPECT_EQ(mciSendCommand(id, MCI_WHERE, MCI_WAIT | MCI_ANIM_WHERE_SOURCE, reinterpret_cast<DWORD_PTR>(&where)),
            MCIERR_UNSUPPORTED_FUNCTION);
  MCI_ANIM_WINDOW_PARMS win;
  EXPECT_EQ(mciSendCommand(id, MCI_WINDOW, MCI_WAIT | MCI_ANIM_WINDOW_HWND, reinterpret_cast<DWORD_PTR>(&win)),
            MCIERR_UNSUPPORTED_FUNCTION);
  MCI_STATUS_PARMS s;
  EXPECT_EQ(mciSendCommand(id, MCI_STATUS, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&s)), MCIERR_MISSING_PARAMETER);
  EXPECT_EQ(mciSendCommand(id, 0x9999, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&s)), MCIERR_UNRECOGNIZED_COMMAND);
  EXPECT_EQ(Record(id, MCI_WAIT | MCI_FROM, 0, 0, 0x7FFFFFFF), MCIERR_OUTOFRANGE);
  ASSERT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
}

TEST_F(WaveRecordTest, CloseWithoutSaveKeepsTheElementAndLeavesNoSpill) {
  signal.RealTime = true;
  std::string header = Header({1, 11025, 8});
  WriteFile(wav, header);
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  ASSERT_EQ(Record(id, MCI_NOTIFY), 0u);
  testsupport::Pump(100);
  ASSERT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);  // closing while recording
  EXPECT_EQ(ReadFile(wav), header);
  EXPECT_EQ(FilesIn(dir), 1);
}

TEST_F(WaveRecordTest, FailedSaveLeavesTheTargetAsItWas) {
  WriteFile(wav, Header({2, 11025, 16}));
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  ASSERT_EQ(Record(id, MCI_WAIT | MCI_TO, 100), 0u);
  // A target that is a folder with content cannot be replaced.
  fs::create_directory(dir + "/taken.wav");
  WriteFile(dir + "/taken.wav/inside", "keep");
  EXPECT_EQ(SaveTo(id, dir + "/taken.wav"), MCIERR_FILE_NOT_SAVED);
  EXPECT_EQ(ReadFile(dir + "/taken.wav/inside"), "keep");
  EXPECT_EQ(SaveTo(id, dir + "/no/such/folder/x.wav"), MCIERR_FILE_NOT_SAVED);
  EXPECT_EQ(FilesIn(dir), 3);  // Temp.wav, the folder and the open take's journal: no temporary file
  MCI_SAVE_PARMS save;
  EXPECT_EQ(mciSendCommand(id, MCI_SAVE, MCI_WAIT | MCI_SAVE_FILE, reinterpret_cast<DWORD_PTR>(&save)),
            MCIERR_MISSING_PARAMETER);
  // Without a file name the element itself is saved.
  ASSERT_EQ(mciSendCommand(id, MCI_SAVE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&save)), 0u);
  EXPECT_EQ(ReadWaveFileInfo(wav).DataSize, 100u * 11025 / 1000 * 4);
  ASSERT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
}

TEST_F(WaveRecordTest, NoInputDeviceFailsTheRecordCommand) {
  SetAudioSourceFactory([] { return std::make_unique<TFailingSource>(MMSYSERR_NODRIVER, 0); });
  WriteFile(wav, Header({2, 22050, 16}));
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  EXPECT_EQ(Record(id, MCI_NOTIFY), MCIERR_WAVE_INPUTSUNSUITABLE);
  EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_STOP);
  EXPECT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
}

// Who learns what when a recording ends: stop aborts it, its end position completes
// it, a failing input fails it, a new notifying record supersedes it.
TEST_F(WaveRecordTest, RecordNotificationsReachTheCallbackWindow) {
  TNotifyWindow window;
  HWND h = window.Handle();
  ASSERT_NE(h, 0u);
  WriteFile(wav, Header({2, 22050, 16}));
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);

  signal.RealTime = true;
  ASSERT_EQ(Record(id, MCI_NOTIFY, 0, h), 0u);
  ASSERT_EQ(Simple(id, MCI_STOP, MCI_WAIT | MCI_NOTIFY, h), 0u);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return window.Notices.size() >= 2; }, 3000));
  EXPECT_EQ(window.Notices[0].Code, MCI_NOTIFY_ABORTED);
  EXPECT_EQ(window.Notices[0].Device, static_cast<LPARAM>(id));
  EXPECT_EQ(window.Notices[1].Code, MCI_NOTIFY_SUCCESSFUL);  // the stop itself

  window.Notices.clear();
  signal.RealTime = false;
  ASSERT_EQ(Record(id, MCI_NOTIFY | MCI_TO | MCI_FROM, 300, h, 0), 0u);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return !window.Notices.empty(); }, 3000));
  EXPECT_EQ(window.Notices[0].Code, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Status(id, MCI_STATUS_LENGTH), 300u);

  window.Notices.clear();
  signal.RealTime = true;
  ASSERT_EQ(Record(id, MCI_NOTIFY, 0, h), 0u);
  ASSERT_EQ(Record(id, MCI_NOTIFY, 0, h), 0u);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return !window.Notices.empty(); }, 3000));
  EXPECT_EQ(window.Notices[0].Code, MCI_NOTIFY_SUPERSEDED);
  ASSERT_EQ(Simple(id, MCI_STOP, MCI_WAIT), 0u);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return window.Notices.size() >= 2; }, 3000));
  EXPECT_EQ(window.Notices[1].Code, MCI_NOTIFY_ABORTED);

  window.Notices.clear();
  SetAudioSourceFactory([] { return std::make_unique<TFailingSource>(MMSYSERR_NOERROR, 3); });
  MCI_SET_PARMS set;
  set.dwTimeFormat = MCI_FORMAT_SAMPLES;
  ASSERT_EQ(mciSendCommand(id, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  ASSERT_EQ(Record(id, MCI_NOTIFY | MCI_FROM, 0, h, 0), 0u);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return !window.Notices.empty(); }, 3000));
  EXPECT_EQ(window.Notices[0].Code, MCI_NOTIFY_FAILURE);
  EXPECT_EQ(Status(id, MCI_STATUS_POSITION), 300u);  // what came before the failure is kept
  EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_STOP);
  ASSERT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
  testsupport::Pump(50);
  EXPECT_EQ(window.Notices.size(), 1u);  // closing a stopped device tells nobody
}
