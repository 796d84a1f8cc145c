#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/RecordingHeader.h"
#include "framework/core/Exceptions.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, size_t at) {
  return std::uint16_t(b[at] | (b[at + 1] << 8));
}

TEST(RecordingHeader, StoredDefaultIsByteExact) {
  std::string dir = testsupport::MakeTempDir("hdr");
  std::string path = dir + "/Temp.wav";
  WriteWaveHeaderFile(2, 16, 22050, path);
  const std::vector<std::uint8_t> expected = {
      0x52, 0x49, 0x46, 0x46, 0x24, 0x00, 0x00, 0x00, 0x57, 0x41, 0x56, 0x45, 0x66, 0x6D, 0x74,
      0x20, 0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x22, 0x56, 0x00, 0x00, 0x88, 0x58,
      0x01, 0x00, 0x04, 0x00, 0x10, 0x00, 0x64, 0x61, 0x74, 0x61, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(ReadAll(path), expected);
}

TEST(RecordingHeader, EveryFormatAnnouncesItsRatesAndEmptyData) {
  for (std::uint16_t ch : {1, 2})
    for (std::uint16_t bits : {8, 16})
      for (std::uint32_t rate : {11025u, 22050u, 44100u}) {
        TWaveHeader h = MakeWaveHeader(ch, bits, rate);
        std::vector<std::uint8_t> b(h.begin(), h.end());
        SCOPED_TRACE(testing::Message() << ch << "ch " << bits << "bit " << rate);
        EXPECT_EQ(U32(b, 4), 36u);
        EXPECT_EQ(U16(b, 22), ch);
        EXPECT_EQ(U32(b, 24), rate);
        EXPECT_EQ(U32(b, 28), ch * rate * (bits / 8u));
        EXPECT_EQ(U16(b, 32), ch * (bits / 8));
        EXPECT_EQ(U16(b, 34), bits);
        EXPECT_EQ(U32(b, 40), 0u);
      }
  TWaveHeader mono8 = MakeWaveHeader(1, 8, 11025);
  std::vector<std::uint8_t> m(mono8.begin(), mono8.end());
  EXPECT_EQ(U32(m, 28), 11025u);
  EXPECT_EQ(U16(m, 32), 1);
  TWaveHeader st16 = MakeWaveHeader(2, 16, 44100);
  std::vector<std::uint8_t> s(st16.begin(), st16.end());
  EXPECT_EQ(U32(s, 28), 176400u);
  EXPECT_EQ(U16(s, 32), 4);
}

TEST(RecordingHeader, TruncatesALongerFile) {
  std::string path = testsupport::MakeTempDir("hdr") + "/Temp.wav";
  {
    std::ofstream out(path, std::ios::binary);
    out << std::string(100000, 'x');
  }
  WriteWaveHeaderFile(1, 8, 11025, path);
  EXPECT_EQ(std::filesystem::file_size(path), 44u);
  EXPECT_EQ(ReadAll(path)[0], 'R');
}

TEST(RecordingHeader, IoErrorsCarryTheSystemCode) {
  std::string dir = testsupport::MakeTempDir("hdr");
  try {
    WriteWaveHeaderFile(2, 16, 22050, dir + "/missing/Temp.wav");
    FAIL() << "no exception for a missing folder";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, ENOENT);
  }
  std::filesystem::create_directory(dir + "/Temp.wav");
  try {
    WriteWaveHeaderFile(2, 16, 22050, dir + "/Temp.wav");
    FAIL() << "no exception for a directory at the file's path";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, EISDIR);
  }
}

TEST(RecordingHeader, AFileLockedForExclusiveUseIsRefusedAndKept) {
  std::string path = testsupport::MakeTempDir("hdr") + "/Temp.wav";
  {
    std::ofstream out(path, std::ios::binary);
    out << "previous recording";
  }
  // The lock must belong to another open file description, as another program's would.
  int other = ::open(path.c_str(), O_RDWR);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_THROW(WriteWaveHeaderFile(2, 16, 22050, path), EInOutError);
  EXPECT_EQ(std::filesystem::file_size(path), 18u);
  ::close(other);
  WriteWaveHeaderFile(2, 16, 22050, path);
  EXPECT_EQ(std::filesystem::file_size(path), 44u);
}

}  // namespace
