#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "skin/data/ZlibStreams.h"
#include "tests/skin/data/unit/SkinTestData.h"

namespace {
std::string Noise(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (auto& c : s) c = char(rng() % 7 == 0 ? rng() : 'a' + rng() % 4);
  return s;
}

std::string Inflate(const std::string& packed) {
  TStringStream src(packed);
  TMemoryStream out;
  DecompressStream(out, src);
  return std::string(reinterpret_cast<const char*>(out.Memory()), size_t(out.Size()));
}
}  // namespace

TEST(ZlibStreams, WrapperOutputIsPlainZlibAndBack) {
  const std::string raw = Noise(100000, 1);
  const std::string packed = skintest::Deflate(raw);
  ASSERT_GE(packed.size(), 2u);
  EXPECT_EQ(0x78, Byte(packed[0]));  // RFC 1950 header
  uLongf size = uLongf(raw.size());
  std::string plain(raw.size(), '\0');
  ASSERT_EQ(Z_OK, uncompress(reinterpret_cast<Bytef*>(plain.data()), &size,
                             reinterpret_cast<const Bytef*>(packed.data()), uLong(packed.size())));
  EXPECT_EQ(raw, plain.substr(0, size));

  // The other way: plain zlib data inflates through the wrapper.
  uLongf cap = compressBound(uLong(raw.size()));
  std::string z(cap, '\0');
  ASSERT_EQ(Z_OK, compress2(reinterpret_cast<Bytef*>(z.data()), &cap,
                            reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 6));
  z.resize(cap);
  EXPECT_EQ(raw, Inflate(z));
}

TEST(ZlibStreams, EmptyInputRoundTrips) {
  const std::string packed = skintest::Deflate("");
  EXPECT_FALSE(packed.empty());
  EXPECT_EQ("", Inflate(packed));
}

TEST(ZlibStreams, LevelsMapToZlibLevels) {
  const std::string raw = Noise(50000, 2);
  auto pack = [&](TCompressionLevel level) {
    TMemoryStream out;
    TCompressionStream c(level, out);
    c.WriteBuffer(raw.data(), Int64(raw.size()));
    c.Finish();
    return std::string(reinterpret_cast<const char*>(out.Memory()), size_t(out.Size()));
  };
  auto plain = [&](int level) {
    uLongf cap = compressBound(uLong(raw.size()));
    std::string z(cap, '\0');
    EXPECT_EQ(Z_OK, compress2(reinterpret_cast<Bytef*>(z.data()), &cap,
                              reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), level));
    z.resize(cap);
    return z;
  };
  // Deflate is deterministic for a level, so each level must give zlib's own bytes.
  // Level 0 stores; its block boundaries depend on how the input arrives.
  const std::string stored = pack(TCompressionLevel::clNone);
  EXPECT_GT(stored.size(), raw.size());
  EXPECT_EQ(raw, Inflate(stored));
  EXPECT_EQ(plain(1), pack(TCompressionLevel::clFastest));
  EXPECT_EQ(plain(Z_DEFAULT_COMPRESSION), pack(TCompressionLevel::clDefault));
  EXPECT_EQ(plain(9), pack(TCompressionLevel::clMax));
  EXPECT_EQ(plain(9), skintest::Deflate(raw));  // the packer's helper uses the best level
}

TEST(ZlibStreams, ProgressFiresPerFullBuffer) {
  const std::string raw = Noise(300000, 3);
  TMemoryStream out;
  int calls = 0;
  {
    TCompressionStream c(TCompressionLevel::clNone, out);
    c.OnProgress = [&](TCustomZlibStream* s) {
      EXPECT_EQ(&c, s);
      ++calls;
    };
    c.WriteBuffer(raw.data(), Int64(raw.size()));
    c.Finish();
  }
  // Every full 4096-byte buffer is one call; the last partial buffer is none.
  EXPECT_EQ(out.Size() / 4096, calls);

  TStringStream src(std::string(reinterpret_cast<const char*>(out.Memory()), size_t(out.Size())));
  TDecompressionStream d(src);
  int reads = 0;
  d.OnProgress = [&](TCustomZlibStream*) { ++reads; };
  std::string back(raw.size(), '\0');
  d.ReadBuffer(back.data(), Int64(back.size()));
  EXPECT_EQ(raw, back);
  EXPECT_EQ((out.Size() + 4095) / 4096, reads);
}

TEST(ZlibStreams, InvalidOperationsRaiseWithTheirMessages) {
  TMemoryStream out;
  TCompressionStream c(TCompressionLevel::clDefault, out);
  char b[4] = {};
  try {
    c.Read(b, 4);
    FAIL() << "read on a compression stream";
  } catch (const ECompressionError& e) {
    EXPECT_EQ("Invalid stream operation", e.Message());
  }
  EXPECT_THROW(c.Seek(1, soCurrent), ECompressionError);
  EXPECT_THROW(c.Seek(0, soBeginning), ECompressionError);
  c.WriteBuffer("abcdef", 6);
  EXPECT_EQ(6, c.Seek(0, soCurrent));  // bytes written into the wrapper so far

  TStringStream src(skintest::Deflate("hello"));
  TDecompressionStream d(src);
  try {
    d.Write(b, 4);
    FAIL() << "write on a decompression stream";
  } catch (const EDecompressionError& e) {
    EXPECT_EQ("Invalid stream operation", e.Message());
  }
  EXPECT_THROW(d.Seek(-1, soCurrent), EDecompressionError);
  EXPECT_THROW(d.Seek(0, soEnd), EDecompressionError);
  static_assert(std::is_base_of_v<EZlibError, ECompressionError> && std::is_base_of_v<Exception, EZlibError>);
}

TEST(ZlibStreams, DecompressionSeeksForwardAndRestarts) {
  const std::string raw = Noise(20000, 4);
  TStringStream src(skintest::Deflate(raw));
  TDecompressionStream d(src);
  EXPECT_EQ(10000, d.Seek(10000, soCurrent));
  char c = 0;
  d.ReadBuffer(&c, 1);
  EXPECT_EQ(raw[10000], c);
  EXPECT_EQ(15000, d.Seek(15000, soBeginning));  // beyond what was produced: forward
  d.ReadBuffer(&c, 1);
  EXPECT_EQ(raw[15000], c);
  EXPECT_THROW(d.Seek(100, soBeginning), EDecompressionError);  // backwards
  src.SetPosition(7);  // someone else moves the source: restart puts it back at 0
  EXPECT_EQ(0, d.Seek(0, soBeginning));
  d.ReadBuffer(&c, 1);
  EXPECT_EQ(raw[0], c);
}

TEST(ZlibStreams, UnderlyingPositionIsRestoredBeforeTransfers) {
  const std::string raw = Noise(9000, 5);
  TStringStream src(skintest::Deflate(raw));
  TDecompressionStream d(src);
  std::string part(100, '\0');
  d.ReadBuffer(part.data(), 100);
  src.SetPosition(0);  // disturbed between reads
  std::string rest(raw.size() - 100, '\0');
  d.ReadBuffer(rest.data(), Int64(rest.size()));
  EXPECT_EQ(raw, part + rest);
}

TEST(ZlibStreams, CorruptDataRaisesCompressionError) {
  const std::string raw = Noise(30000, 6);
  const std::string packed = skintest::Deflate(raw);
  auto expectCorrupt = [](const std::string& data) {
    try {
      Inflate(data);
      return false;
    } catch (const EDecompressionError& e) {
      EXPECT_EQ("compression error", e.Message());
      return true;
    }
  };
  EXPECT_TRUE(expectCorrupt(packed.substr(0, packed.size() / 2))) << "truncated";
  EXPECT_TRUE(expectCorrupt(packed.substr(0, packed.size() - 1))) << "checksum cut";
  EXPECT_TRUE(expectCorrupt("")) << "nothing at all";
  EXPECT_TRUE(expectCorrupt(std::string("\x78\xbb\x00\x00\x00\x01", 6))) << "preset dictionary";
  std::string header = packed;
  header[0] = 0x12;
  EXPECT_TRUE(expectCorrupt(header)) << "bad header";
  // Flip bits all over the data: never a crash or a read outside the data (the
  // sanitizers watch), and nearly always an error; the Adler-32 trailer cannot catch
  // every change, so a few flips may pass as other data.
  std::mt19937 rng(7);
  int caught = 0;
  for (int i = 0; i < 200; ++i) {
    std::string bad = packed;
    bad[rng() % bad.size()] ^= char(1 << (rng() % 8));
    try {
      Inflate(bad);
    } catch (const EDecompressionError&) {
      ++caught;
    }
  }
  EXPECT_GT(caught, 180);
}

TEST(ZlibStreams, TrailingBytesAfterTheStreamAreLeftAlone) {
  const std::string raw = Noise(5000, 8);
  EXPECT_EQ(raw, Inflate(skintest::Deflate(raw) + "trailing garbage"));
}
