// The media player control's 162-byte stored state and its property table (without
// starting the player: nothing here activates it).
#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "platform/ole/MediaPlayerControl.h"

namespace {
std::vector<std::uint8_t> SaveOf(const TMediaPlayerObject& p) {
  TMemoryStream s;
  p.Save(s);
  return s.Bytes();
}
void LoadInto(TMediaPlayerObject& p, const std::vector<std::uint8_t>& bytes) {
  TMemoryStream s;
  if (!bytes.empty()) s.WriteBuffer(bytes.data(), Int64(bytes.size()));
  s.SetPosition(0);
  p.Load(s);
}
TPlayerSettings NonDefault() {
  TPlayerSettings s;
  s.Enabled = false;
  s.FullScreen = true;
  s.EnableContextMenu = false;
  s.StretchToFit = true;
  s.WindowlessVideo = true;
  s.Mute = true;
  s.UiMode = 1;
  s.Volume = 37;
  s.ExtentWidth = 465;
  s.ExtentHeight = 433;
  return s;
}
}  // namespace

TEST(PlayerState, LayoutIsFixedBytes) {
  std::vector<std::uint8_t> b = NonDefault().Serialize();
  ASSERT_EQ(b.size(), 162u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "CVPS");
  EXPECT_EQ(b[4] | (b[5] << 8), 1);
  EXPECT_EQ(b[6] | (b[7] << 8), 401);
  EXPECT_EQ(b[8], 0x3A);  // fullScreen, stretchToFit, windowlessVideo, mute
  EXPECT_EQ(b[9] | b[10] | b[11], 0);
  EXPECT_EQ(b[12], 1);
  EXPECT_EQ(b[13], 37);
  EXPECT_EQ(b[16] | (b[17] << 8), 465);
  EXPECT_EQ(b[20] | (b[21] << 8), 433);
  for (size_t i = 24; i < b.size(); ++i) ASSERT_EQ(b[i], 0) << "padding at " << i;
  std::vector<std::uint8_t> d = TPlayerSettings{}.Serialize();
  EXPECT_EQ(d[8], 0x05);  // enabled and context menu on by default
  EXPECT_EQ(d[12], 3);    // "full"
  EXPECT_EQ(d[13], 100);
}

TEST(PlayerState, RoundTripsAndUnknownStateGivesDefaults) {
  TPlayerSettings s = NonDefault();
  std::vector<std::uint8_t> b = s.Serialize();
  EXPECT_EQ(TPlayerSettings::Parse(b.data(), b.size()), s);
  EXPECT_EQ(TPlayerSettings::Parse(nullptr, 0), TPlayerSettings{});
  std::vector<std::uint8_t> foreign(162, 0xAB);  // another control's state
  EXPECT_EQ(TPlayerSettings::Parse(foreign.data(), foreign.size()), TPlayerSettings{});
  std::vector<std::uint8_t> later = b;
  later[4] = 2;  // a layout this build does not know
  EXPECT_EQ(TPlayerSettings::Parse(later.data(), later.size()), TPlayerSettings{});
  // Padding is not looked at.
  std::vector<std::uint8_t> padded = b;
  padded[100] = 9;
  EXPECT_EQ(TPlayerSettings::Parse(padded.data(), padded.size()), s);
}

TEST(PlayerState, MalformedStateIsRefused) {
  std::vector<std::uint8_t> b = TPlayerSettings{}.Serialize();
  auto refused = [](std::vector<std::uint8_t> v) {
    EXPECT_THROW(TPlayerSettings::Parse(v.data(), v.size()), EOleError);
  };
  refused(std::vector<std::uint8_t>(b.begin(), b.begin() + 161));  // truncated
  std::vector<std::uint8_t> longer = b;
  longer.push_back(0);
  refused(longer);
  auto with = [&](size_t at, std::uint8_t v) {
    auto c = b;
    c[at] = v;
    return c;
  };
  refused(with(4, 0));      // version 0
  refused(with(8, 0x40));   // unknown flag
  refused(with(11, 0x80));  // unknown flag, high byte
  refused(with(12, 5));     // uiMode out of range
  refused(with(13, 101));   // volume above 100
  refused(with(19, 0x80));  // negative width
  // A short block that is not ours is simply not known.
  std::vector<std::uint8_t> tiny{'C', 'V'};
  EXPECT_EQ(TPlayerSettings::Parse(tiny.data(), tiny.size()), TPlayerSettings{});
}

TEST(PlayerState, ControlSavesAndLoadsThroughStreams) {
  TMediaPlayerObject p;
  p.InitNew();
  EXPECT_EQ(SaveOf(p), TPlayerSettings{}.Serialize());
  LoadInto(p, NonDefault().Serialize());
  EXPECT_EQ(p.Settings(), NonDefault());
  EXPECT_EQ(SaveOf(p), NonDefault().Serialize());
  TOleVariant v;
  ASSERT_TRUE(p.GetProperty(mediaplayer::DispUiMode, v).Succeeded());
  EXPECT_EQ(v.AsString(), u"none");
  LoadInto(p, {});
  EXPECT_EQ(p.Settings(), TPlayerSettings{});
  std::vector<std::uint8_t> bad = TPlayerSettings{}.Serialize();
  bad[13] = 200;
  EXPECT_THROW(LoadInto(p, bad), EOleError);
}

TEST(PlayerProperties, PutsAreCheckedAndKept) {
  using namespace mediaplayer;
  TMediaPlayerObject p;
  p.InitNew();
  EXPECT_TRUE(p.PutProperty(DispFullScreen, TOleVariant::FromBool(true)).Succeeded());
  EXPECT_TRUE(p.PutProperty(DispEnabled, TOleVariant::FromBool(false)).Succeeded());
  EXPECT_TRUE(p.PutProperty(DispEnableContextMenu, TOleVariant::FromBool(false)).Succeeded());
  EXPECT_TRUE(p.PutProperty(DispStretchToFit, TOleVariant::FromBool(true)).Succeeded());
  EXPECT_TRUE(p.PutProperty(DispWindowlessVideo, TOleVariant::FromBool(true)).Succeeded());
  EXPECT_TRUE(p.PutProperty(DispUiMode, TOleVariant::FromString(u"MINI")).Succeeded());
  EXPECT_TRUE(p.PutProperty(DispUrl, TOleVariant::FromString(u"/tmp/\u89c6\u9891.mp4")).Succeeded());
  TPlayerSettings s = p.Settings();
  EXPECT_TRUE(s.FullScreen);
  EXPECT_FALSE(s.Enabled);
  EXPECT_FALSE(s.EnableContextMenu);
  EXPECT_TRUE(s.StretchToFit);
  EXPECT_TRUE(s.WindowlessVideo);
  EXPECT_EQ(s.UiMode, 2);
  EXPECT_EQ(p.URL(), u"/tmp/\u89c6\u9891.mp4");
  TOleVariant v;
  ASSERT_TRUE(p.GetProperty(DispUrl, v).Succeeded());
  EXPECT_EQ(v.AsString(), u"/tmp/\u89c6\u9891.mp4");

  TOleResult r = p.PutProperty(42, TOleVariant::FromBool(true));
  EXPECT_EQ(r.Code, DISP_E_MEMBERNOTFOUND);
  EXPECT_NE(r.Description.find("42"), std::string::npos);
  EXPECT_EQ(p.PutProperty(DispEnabled, TOleVariant::FromString(u"yes")).Code, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(p.PutProperty(DispUrl, TOleVariant::FromBool(true)).Code, DISP_E_TYPEMISMATCH);
  r = p.PutProperty(DispUiMode, TOleVariant::FromString(u"huge"));
  EXPECT_EQ(r.Code, E_INVALIDARG);
  EXPECT_NE(r.Description.find("huge"), std::string::npos);
  EXPECT_EQ(p.Settings().UiMode, 2);  // a refused put changes nothing
  EXPECT_FALSE(p.Settings().Enabled);
  // The null string clears the URL.
  EXPECT_TRUE(p.PutProperty(DispUrl, TOleVariant::NullString()).Succeeded());
  EXPECT_EQ(p.URL(), u"");
  ASSERT_TRUE(p.GetProperty(DispUrl, v).Succeeded());
  EXPECT_EQ(v.Kind(), TOleVariant::TKind::NullString);
}
