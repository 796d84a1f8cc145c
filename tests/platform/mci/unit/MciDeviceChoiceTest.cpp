#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/core/Exceptions.h"
#include "platform/profile/Profile.h"
#include "tests/platform/mci/unit/MciTestHelpers.h"
#include "tests/support/TestSupport.h"

using namespace mcitest;

TEST(MciErrorText, KnownUnknownAndTruncated) {
  char buf[4096];
  EXPECT_TRUE(mciGetErrorString(MCIERR_EXTENSION_NOT_FOUND, buf, sizeof buf));
  EXPECT_STREQ(buf, "Cannot determine the device type from the given filename extension.");
  EXPECT_TRUE(mciGetErrorString(MCIERR_FILE_NOT_FOUND, buf, sizeof buf));
  EXPECT_STREQ(buf, "Cannot find the specified file. Make sure the path and filename are correct.");
  EXPECT_TRUE(mciGetErrorString(MCIERR_INVALID_DEVICE_ID, buf, sizeof buf));
  EXPECT_STREQ(buf, "Invalid MCI device ID. Use the ID returned when opening the MCI device.");
  EXPECT_EQ(MCIERR_EXTENSION_NOT_FOUND, 281u);
  EXPECT_EQ(MCIERR_FILE_NOT_SAVED, 286u);
  EXPECT_EQ(MCIERR_INVALID_FILE, 296u);
  // Every code the devices return has a text.
  for (MCIERROR e : {MCIERR_CANNOT_LOAD_DRIVER, MCIERR_INVALID_DEVICE_NAME, MCIERR_UNSUPPORTED_FUNCTION,
                     MCIERR_OUTOFRANGE, MCIERR_BAD_TIME_FORMAT, MCIERR_NULL_PARAMETER_BLOCK,
                     MCIERR_WAVE_INPUTSUNSUITABLE, MCIERR_NONAPPLICABLE_FUNCTION, MCIERR_UNNAMED_RESOURCE,
                     MCIERR_MISSING_PARAMETER, MCIERR_BAD_CONSTANT, MCIERR_FLAGS_NOT_COMPATIBLE,
                     MCIERR_FILE_READ, MCIERR_DEVICE_NOT_READY, MCIERR_OUT_OF_MEMORY}) {
    EXPECT_TRUE(mciGetErrorString(e, buf, sizeof buf)) << e;
    EXPECT_GT(std::string(buf).size(), 10u) << e;
  }
  buf[0] = 'x';
  EXPECT_FALSE(mciGetErrorString(12345, buf, sizeof buf));
  EXPECT_STREQ(buf, "");
  char small[7];
  EXPECT_TRUE(mciGetErrorString(MCIERR_FILE_NOT_FOUND, small, sizeof small));
  EXPECT_STREQ(small, "Cannot");
  EXPECT_FALSE(mciGetErrorString(MCIERR_FILE_NOT_FOUND, nullptr, 10));
}

class MciOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testsupport::MakeTempDir("mciopen");
    oldXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    wav = dir + "/Temp.wav";
    WriteFile(wav, Header({2, 22050, 16}));
  }
  void TearDown() override {
    if (oldXdg.empty()) unsetenv("XDG_CONFIG_HOME"); else setenv("XDG_CONFIG_HOME", oldXdg.c_str(), 1);
  }
  std::string dir, oldXdg, wav;
};

TEST_F(MciOpenTest, WaveFileOpensOnTheWaveDeviceByExtensionOrType) {
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(wav, &id), 0u);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_STOP);
  EXPECT_EQ(Status(id, MCI_STATUS_LENGTH), 0u);
  MCI_GETDEVCAPS_PARMS caps;
  caps.dwItem = MCI_GETDEVCAPS_DEVICE_TYPE;
  ASSERT_EQ(mciSendCommand(id, MCI_GETDEVCAPS, 0x102, reinterpret_cast<DWORD_PTR>(&caps)), 0u);
  EXPECT_EQ(caps.dwReturn, MCI_DEVTYPE_WAVEFORM_AUDIO);
  EXPECT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
  // A closed id is gone.
  EXPECT_EQ(Simple(id, MCI_STOP, MCI_WAIT), MCIERR_INVALID_DEVICE_ID);

  std::string upper = dir + "/LOUD.WAV";
  WriteFile(upper, Header({1, 11025, 8}));
  MCIDEVICEID id2 = 0;
  ASSERT_EQ(OpenElement(upper, &id2), 0u);
  EXPECT_NE(id2, id);  // ids are not reused at once
  EXPECT_EQ(Simple(id2, MCI_CLOSE, MCI_WAIT), 0u);

  MCI_OPEN_PARMS p;
  p.lpstrDeviceType = "WaveAudio";
  p.lpstrElementName = "ignored without the element flag";
  ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, reinterpret_cast<DWORD_PTR>(&p)), 0u);
  EXPECT_EQ(Status(p.wDeviceID, MCI_STATUS_LENGTH), 0u);
  EXPECT_EQ(Simple(p.wDeviceID, MCI_CLOSE, MCI_WAIT), 0u);
}

TEST_F(MciOpenTest, ExtensionsAndTypesWithoutADeviceFailWithTheirCodes) {
  MCIDEVICEID id = 0;
  WriteFile(dir + "/a.xyz", "data");
  EXPECT_EQ(OpenElement(dir + "/a.xyz", &id), MCIERR_EXTENSION_NOT_FOUND);
  EXPECT_EQ(OpenElement(dir + "/noextension", &id), MCIERR_EXTENSION_NOT_FOUND);
  WriteFile(dir + "/clip.mpg", "not really");
  EXPECT_EQ(OpenElement(dir + "/clip.mpg", &id), MCIERR_EXTENSION_NOT_FOUND);
  // Once registered the way the main window does it, the extension names its device,
  // which has no driver here.
  ASSERT_TRUE(WritePrivateProfileString("mci extensions", "mpg", "MPEGVideo", "win.ini"));
  EXPECT_EQ(OpenElement(dir + "/clip.mpg", &id), MCIERR_CANNOT_LOAD_DRIVER);
  ASSERT_TRUE(WritePrivateProfileString("MCI Extensions", "xyz", "WaveAudio", "win.ini"));
  EXPECT_EQ(OpenElement(dir + "/a.xyz", &id), MCIERR_INVALID_FILE);  // the wave device read it

  MCI_OPEN_PARMS p;
  p.lpstrDeviceType = "AVIVideo";
  EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, reinterpret_cast<DWORD_PTR>(&p)),
            MCIERR_CANNOT_LOAD_DRIVER);
  p.lpstrDeviceType = "NoSuchDevice";
  EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE, reinterpret_cast<DWORD_PTR>(&p)),
            MCIERR_INVALID_DEVICE_NAME);
  EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p)), MCIERR_MISSING_PARAMETER);
  EXPECT_EQ(mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, 0), MCIERR_NULL_PARAMETER_BLOCK);
  EXPECT_EQ(OpenElement(dir + "/missing.wav", &id), MCIERR_FILE_NOT_FOUND);
  EXPECT_EQ(Status(9999, MCI_STATUS_MODE), 0u);
  MCIERROR e = 0;
  Status(9999, MCI_STATUS_MODE, &e);
  EXPECT_EQ(e, MCIERR_INVALID_DEVICE_ID);
}

// Headers the device must refuse, each for its own reason.
TEST_F(MciOpenTest, MalformedHeadersAreInvalidFiles) {
  std::string good = Header({2, 22050, 16});
  auto with = [&](size_t at, std::string bytes) {
    std::string h = good;
    h.replace(at, bytes.size(), bytes);
    return h;
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"empty", ""},
      {"short", good.substr(0, 30)},
      {"not riff", with(0, "RIFX")},
      {"not wave", with(8, "AVI ")},
      {"riff size past end", with(4, std::string("\x40\x00\x00\x00", 4))},
      {"not pcm", with(20, std::string("\x03\x00", 2))},
      {"three channels", Header({3, 22050, 16})},
      {"24 bits", with(34, std::string("\x18\x00", 2))},
      {"byte rate wrong", with(28, std::string("\x01\x00\x00\x00", 4))},
      {"data past end", with(40, std::string("\x10\x00\x00\x00", 4))},
      {"fmt chunk too short", with(16, std::string("\x0c\x00\x00\x00", 4))},
      {"no data chunk", with(36, "junk")},
  };
  for (const auto& [name, bytes] : cases) {
    std::string path = dir + "/bad.wav";
    WriteFile(path, bytes);
    MCIDEVICEID id = 0;
    EXPECT_EQ(OpenElement(path, &id), MCIERR_INVALID_FILE) << name;
    EXPECT_THROW(ReadWaveFileInfo(path), Exception) << name;
  }
  // A file with extra chunks and existing sound is fine: the sound is the device's content.
  std::string withList = "RIFF" + std::string("\x00\x00\x00\x00", 4) + "WAVE" + "LIST" +
                         std::string("\x03\x00\x00\x00", 4) + "abc" + std::string(1, '\0') +
                         good.substr(12, 24) + "data" + std::string("\x08\x00\x00\x00", 4) + "12345678";
  std::uint32_t riff = static_cast<std::uint32_t>(withList.size() - 8);
  for (int i = 0; i < 4; ++i) withList[4 + i] = static_cast<char>(riff >> (8 * i));
  std::string path = dir + "/list.wav";
  WriteFile(path, withList);
  TWaveFileInfo info = ReadWaveFileInfo(path);
  EXPECT_EQ(info.DataSize, 8u);
  EXPECT_EQ(info.DataOffset, withList.size() - 8);
  MCIDEVICEID id = 0;
  ASSERT_EQ(OpenElement(path, &id), 0u);
  MCI_SET_PARMS set;
  set.dwTimeFormat = MCI_FORMAT_BYTES;
  ASSERT_EQ(mciSendCommand(id, MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  EXPECT_EQ(Status(id, MCI_STATUS_LENGTH), 8u);
  std::string copy = dir + "/copy.wav";
  ASSERT_EQ(SaveTo(id, copy), 0u);
  EXPECT_EQ(ReadFile(copy), Header({2, 22050, 16}, 8) + "12345678");
  EXPECT_EQ(Simple(id, MCI_CLOSE, MCI_WAIT), 0u);
}

TEST(MciTestDriver, ReceivesEveryCommandInsteadOfTheDevices) {
  std::vector<std::tuple<MCIDEVICEID, UINT, DWORD_PTR>> seen;
  mciSetTestDriver([&](MCIDEVICEID d, UINT m, DWORD_PTR f, DWORD_PTR) {
    seen.emplace_back(d, m, f);
    return MCIERR_HARDWARE;
  });
  MCI_GENERIC_PARMS g;
  EXPECT_EQ(mciSendCommand(7, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&g)), MCIERR_HARDWARE);
  mciSetTestDriver(nullptr);
  EXPECT_EQ(mciSendCommand(7, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&g)), MCIERR_INVALID_DEVICE_ID);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(std::get<0>(seen[0]), 7u);
  EXPECT_EQ(std::get<1>(seen[0]), MCI_STOP);
  EXPECT_EQ(std::get<2>(seen[0]), MCI_WAIT);
}
