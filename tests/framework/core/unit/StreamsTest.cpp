#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "tests/support/TestSupport.h"

TEST(MemoryStream, ReadWriteSeekStayInsideTheData) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Size(), 5);
  EXPECT_EQ(m.Position(), 5);
  m.SetPosition(1);
  char buf[16] = {};
  EXPECT_EQ(m.Read(buf, 10), 4);  // only what is there
  EXPECT_EQ(std::string(buf, 4), "ello");
  EXPECT_EQ(m.Read(buf, 10), 0);  // at the end
  EXPECT_EQ(m.Seek(-2, soEnd), 3);
  EXPECT_EQ(m.Seek(1, soCurrent), 4);
  EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
  EXPECT_EQ(m.Read(buf, -5), 0);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream m;
  m.Seek(4, soBeginning);
  m.WriteBuffer("x", 1);
  ASSERT_EQ(m.Size(), 5);
  EXPECT_EQ(std::memcmp(m.Memory(), "\0\0\0\0x", 5), 0);
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);  // clamped to the new end
  EXPECT_THROW(m.SetSize(-1), EStreamError);
}

TEST(MemoryStream, ExactTransfersRaiseOnShortRead) {
  TMemoryStream m;
  m.WriteBuffer("abc", 3);
  m.SetPosition(0);
  char buf[4];
  try {
    m.ReadBuffer(buf, 4);
    FAIL() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
}

TEST(MemoryStream, HugeSizeBecomesAClearException) {
  TMemoryStream m;
  try {
    m.SetSize(Int64(1) << 62);
    FAIL() << "no exception";
  } catch (const EOutOfResources& e) {
    EXPECT_NE(e.Message().find("Out of memory"), std::string::npos);
  }
  EXPECT_EQ(m.Size(), 0);
}

TEST(MemoryStream, CopyFromWholeAndPart) {
  TStringStream src("0123456789");
  TMemoryStream dst;
  src.SetPosition(7);
  EXPECT_EQ(dst.CopyFrom(src, 0), 10);  // 0 = everything from the start
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dst.Memory()), 10), "0123456789");
  src.SetPosition(2);
  TMemoryStream part;
  EXPECT_EQ(part.CopyFrom(src, 3), 3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(part.Memory()), 3), "234");
  src.SetPosition(8);
  EXPECT_THROW(part.CopyFrom(src, 5), EReadError);
}

TEST(FileStream, RoundTripAndModes) {
  std::string dir = testsupport::MakeTempDir("streams");
  std::string path = dir + "/a.bin";
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("abcdef", 6);
    EXPECT_EQ(f.Size(), 6);
    f.SetSize(4);
    EXPECT_EQ(f.Position(), 4);
  }
  {
    TFileStream f(path, fmOpenRead | fmShareDenyNone);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 8), 4);
    EXPECT_EQ(std::string(buf), "abcd");
    EXPECT_EQ(f.Write("z", 1), 0);  // read-only
  }
  {
    TFileStream f(path, fmOpenReadWrite);
    f.Seek(0, soEnd);
    f.WriteBuffer("Z", 1);
  }
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.Memory()), size_t(m.Size())), "abcdZ");
}

TEST(FileStream, OpenFailuresNameTheFileAndTheReason) {
  std::string dir = testsupport::MakeTempDir("streams-errors");
  std::string missing = dir + "/missing.bin";
  try {
    TFileStream f(missing, fmOpenRead);
    FAIL() << "no exception";
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find(missing), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("No such file"), std::string::npos) << e.Message();
  }
  try {
    TFileStream f(dir + "/no/such/dir/x.bin", fmCreate);
    FAIL() << "no exception";
  } catch (const EFCreateError& e) {
    EXPECT_NE(e.Message().find("x.bin"), std::string::npos) << e.Message();
  }
  // A directory is not a file to read.
  EXPECT_THROW(TFileStream(dir, fmOpenRead), EFOpenError);
  TMemoryStream m;
  EXPECT_THROW(m.LoadFromFile(missing), EFOpenError);
}
