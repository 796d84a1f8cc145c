#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "framework/graphics/Bitmap.h"
#include "media/MediaPlayer.h"
#include "media/MediaPlayerBar.h"
#include "tests/support/TestSupport.h"

namespace {
// What the component sent, copied out of the parameter block at the time of the call.
struct TCall {
  MCIDEVICEID Device = 0;
  UINT Msg = 0;
  DWORD_PTR Flags = 0;
  DWORD_PTR Callback = 0;
  std::string Type, Element, File;
  bool AliasNull = true, FileNull = true;
  DWORD Item = 0, From = 0, To = 0;
};

// A device behind mciSendCommand that answers like a wave device and records every call.
class TFakeDriver {
 public:
  TFakeDriver() {
    mciSetTestDriver([this](MCIDEVICEID d, UINT m, DWORD_PTR f, DWORD_PTR p) { return Handle(d, m, f, p); });
  }
  ~TFakeDriver() { mciSetTestDriver(nullptr); }

  std::vector<TCall> Calls;
  std::map<UINT, MCIERROR> Fail;  // command -> error it answers with
  DWORD ModeValue = MCI_MODE_STOP;
  std::map<DWORD, DWORD> Caps = {{MCI_GETDEVCAPS_CAN_PLAY, 1},  {MCI_GETDEVCAPS_CAN_RECORD, 1},
                                 {MCI_GETDEVCAPS_CAN_EJECT, 0}, {MCI_GETDEVCAPS_HAS_VIDEO, 0},
                                 {MCI_GETDEVCAPS_DEVICE_TYPE, MCI_DEVTYPE_WAVEFORM_AUDIO}};
  MCIDEVICEID NextId = 5;

  std::vector<TCall> Of(UINT msg) const {
    std::vector<TCall> out;
    for (const auto& c : Calls)
      if (c.Msg == msg) out.push_back(c);
    return out;
  }

 private:
  MCIERROR Handle(MCIDEVICEID d, UINT m, DWORD_PTR f, DWORD_PTR p) {
    TCall c;
    c.Device = d;
    c.Msg = m;
    c.Flags = f;
    if (p) c.Callback = reinterpret_cast<MCI_GENERIC_PARMS*>(p)->dwCallback;
    MCIERROR result = Fail.count(m) ? Fail[m] : 0;
    switch (m) {
      case MCI_OPEN: {
        auto* o = reinterpret_cast<MCI_OPEN_PARMS*>(p);
        c.Type = o->lpstrDeviceType ? o->lpstrDeviceType : "<null>";
        c.Element = o->lpstrElementName ? o->lpstrElementName : "<null>";
        c.AliasNull = o->lpstrAlias == nullptr;
        if (!result) o->wDeviceID = NextId++;
        break;
      }
      case MCI_STATUS: {
        auto* s = reinterpret_cast<MCI_STATUS_PARMS*>(p);
        c.Item = s->dwItem;
        s->dwReturn = s->dwItem == MCI_STATUS_MODE ? ModeValue : s->dwItem == MCI_STATUS_LENGTH ? 1000 : 0;
        break;
      }
      case MCI_GETDEVCAPS: {
        auto* g = reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(p);
        c.Item = g->dwItem;
        g->dwReturn = Caps[g->dwItem];
        break;
      }
      case MCI_RECORD: {
        auto* r = reinterpret_cast<MCI_RECORD_PARMS*>(p);
        c.From = r->dwFrom;
        c.To = r->dwTo;
        break;
      }
      case MCI_SAVE: {
        auto* s = reinterpret_cast<MCI_SAVE_PARMS*>(p);
        c.FileNull = s->lpfilename == nullptr;
        c.File = s->lpfilename ? s->lpfilename : "";
        break;
      }
      case MCI_SET: c.Item = reinterpret_cast<MCI_SET_PARMS*>(p)->dwTimeFormat; break;
      case MCI_WHERE: result = MCIERR_UNSUPPORTED_FUNCTION; break;
      default: break;
    }
    Calls.push_back(c);
    return result;
  }
};

class MediaPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    player = new TMediaPlayer(nullptr);
    player->SetFileName("/tmp/x/Temp.wav");
  }
  void TearDown() override { delete player; }
  void OpenIt() {
    player->Open();
    driver.Calls.clear();
  }
  TFakeDriver driver;
  TMediaPlayer* player = nullptr;
};
}  // namespace

TEST(MediaPlayerDefaults, PublishedDefaultsAndSize) {
  TMediaPlayer p(nullptr);
  EXPECT_EQ(p.DeviceType(), dtAutoSelect);
  EXPECT_EQ(p.FileName(), "");
  EXPECT_FALSE(p.AutoOpen());
  EXPECT_FALSE(p.Shareable());
  EXPECT_TRUE(p.AutoEnable());
  EXPECT_TRUE(p.AutoRewind());
  EXPECT_EQ(p.Display(), nullptr);
  EXPECT_EQ(p.VisibleButtons(), kAllMPButtons);
  EXPECT_EQ(p.EnabledButtons(), kAllMPButtons);
  EXPECT_EQ(p.ColoredButtons(), kAllMPButtons);
  EXPECT_EQ(p.Width(), 240);
  EXPECT_EQ(p.Height(), 30);
  EXPECT_FALSE(p.Opened());
  EXPECT_EQ(p.DeviceID(), 0u);
  EXPECT_EQ(p.Error(), 0u);
  EXPECT_EQ(std::string(MPDeviceTypeName(dtWaveAudio)), "WaveAudio");
  EXPECT_EQ(std::string(MPDeviceTypeName(TMPDeviceTypes::dtDigitalVideo)), "DigitalVideo");
  EXPECT_EQ(std::string(MPDeviceTypeName(dtAutoSelect)), "");
}

TEST_F(MediaPlayerTest, OpenSendsElementFlagsThenReadsLengthAndCapabilities) {
  player->Open();
  ASSERT_GE(driver.Calls.size(), 8u);
  const TCall& open = driver.Calls[0];
  EXPECT_EQ(open.Msg, MCI_OPEN);
  EXPECT_EQ(open.Device, 0u);
  EXPECT_EQ(open.Flags, 0x202u);
  EXPECT_EQ(open.Type, "");
  EXPECT_EQ(open.Element, "/tmp/x/Temp.wav");
  EXPECT_TRUE(open.AliasNull);
  EXPECT_EQ(open.Callback, player->Handle());
  EXPECT_NE(open.Callback, 0u);
  EXPECT_TRUE(player->Opened());
  EXPECT_EQ(player->DeviceID(), 5u);
  EXPECT_EQ(player->Error(), 0u);

  EXPECT_EQ(driver.Calls[1].Msg, MCI_STATUS);
  EXPECT_EQ(driver.Calls[1].Flags, 0x102u);
  EXPECT_EQ(driver.Calls[1].Item, MCI_STATUS_LENGTH);
  EXPECT_EQ(driver.Calls[1].Device, 5u);
  EXPECT_EQ(player->Frames(), 100u);
  const DWORD capsOrder[] = {8, 1, 7, 3, 4};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(driver.Calls[2 + i].Msg, MCI_GETDEVCAPS);
    EXPECT_EQ(driver.Calls[2 + i].Flags, 0x102u);
    EXPECT_EQ(driver.Calls[2 + i].Item, capsOrder[i]);
  }
  EXPECT_EQ(driver.Calls[7].Msg, MCI_WHERE);
  EXPECT_EQ(driver.Calls[7].Flags, 0x20000u);
  EXPECT_TRUE(player->CanPlay());
  EXPECT_TRUE(player->CanRecord());
  EXPECT_FALSE(player->CanEject());
  EXPECT_FALSE(player->HasVideo());
  EXPECT_FALSE(player->CanStep());
  EXPECT_EQ(player->Error(), 0u);  // the device's answer to where is not kept
  EXPECT_EQ(player->EnabledButtons(), (TButtonSet{btNext, btPrev, btPlay, btRecord}));
  EXPECT_TRUE(driver.Of(MCI_WINDOW).empty());
  EXPECT_TRUE(driver.Of(MCI_SET).empty());
}

TEST_F(MediaPlayerTest, RecordingWorkflowFlags) {
  OpenIt();
  player->StartRecording();
  player->Stop();
  player->Save();
  player->Close();
  ASSERT_EQ(driver.Calls.size(), 4u);
  EXPECT_EQ(driver.Calls[0].Msg, MCI_RECORD);
  EXPECT_EQ(driver.Calls[0].Flags, 1u);
  EXPECT_EQ(driver.Calls[1].Msg, MCI_STOP);
  EXPECT_EQ(driver.Calls[1].Flags, 2u);
  EXPECT_EQ(driver.Calls[2].Msg, MCI_SAVE);
  EXPECT_EQ(driver.Calls[2].Flags, 0x102u);
  EXPECT_EQ(driver.Calls[2].File, "/tmp/x/Temp.wav");
  EXPECT_EQ(driver.Calls[3].Msg, MCI_CLOSE);
  EXPECT_EQ(driver.Calls[3].Flags, 2u);
  for (const auto& c : driver.Calls) {
    EXPECT_EQ(c.Device, 5u);
    EXPECT_EQ(c.Callback, player->Handle());
  }
  EXPECT_FALSE(player->Opened());
  EXPECT_EQ(player->DeviceID(), 0u);
  EXPECT_EQ(player->EnabledButtons(), TButtonSet{});
}

TEST_F(MediaPlayerTest, SaveWithoutFileNameSendsNothingAndClosedPlayerRaises) {
  EXPECT_THROW(
      {
        try {
          player->Stop();
        } catch (const EMCIDeviceError& e) {
          EXPECT_EQ(e.Message(), "No MCI device open");
          throw;
        }
      },
      EMCIDeviceError);
  EXPECT_THROW(player->StartRecording(), EMCIDeviceError);
  EXPECT_THROW(player->Save(), EMCIDeviceError);
  EXPECT_THROW(player->Play(), EMCIDeviceError);
  player->Close();  // nothing open: nothing sent
  EXPECT_TRUE(driver.Calls.empty());
  OpenIt();
  player->SetFileName("");
  player->Save();
  EXPECT_TRUE(driver.Calls.empty());
}

TEST_F(MediaPlayerTest, CommandErrorsAreKeptNotRaised) {
  OpenIt();
  driver.Fail[MCI_RECORD] = MCIERR_WAVE_INPUTSUNSUITABLE;
  driver.Fail[MCI_SAVE] = MCIERR_FILE_NOT_SAVED;
  driver.Fail[MCI_STOP] = 77777;
  EXPECT_NO_THROW(player->StartRecording());
  EXPECT_EQ(player->Error(), MCIERR_WAVE_INPUTSUNSUITABLE);
  EXPECT_NO_THROW(player->Stop());
  EXPECT_EQ(player->Error(), 77777u);
  EXPECT_EQ(player->ErrorMessage(), "Unknown error code");
  EXPECT_NO_THROW(player->Save());
  EXPECT_EQ(player->Error(), MCIERR_FILE_NOT_SAVED);
  EXPECT_EQ(player->ErrorMessage(),
            "Cannot save the specified file. Make sure you have enough disk space or are still connected to the network.");
  player->Close();
  EXPECT_EQ(player->Error(), 0u);
  EXPECT_EQ(player->ErrorMessage(), "");
}

TEST_F(MediaPlayerTest, FailedOpenRaisesWithTheDeviceText) {
  driver.Fail[MCI_OPEN] = MCIERR_EXTENSION_NOT_FOUND;
  try {
    player->Open();
    ADD_FAILURE() << "no exception";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "Cannot determine the device type from the given filename extension.");
  }
  EXPECT_EQ(player->Error(), MCIERR_EXTENSION_NOT_FOUND);
  EXPECT_FALSE(player->Opened());
  EXPECT_EQ(driver.Calls.size(), 1u);  // nothing asked of a device that did not open
  driver.Fail[MCI_OPEN] = 4242;
  try {
    player->Open();
    ADD_FAILURE() << "no exception";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "Unknown error code");
  }
}

TEST_F(MediaPlayerTest, FailingCloseStaysOpenAndNextOpenClosesAgainThenOpens) {
  OpenIt();
  driver.Fail[MCI_CLOSE] = MCIERR_DEVICE_LOCKED;
  player->Close();
  EXPECT_TRUE(player->Opened());
  EXPECT_EQ(player->DeviceID(), 5u);
  EXPECT_EQ(player->Error(), MCIERR_DEVICE_LOCKED);
  driver.Calls.clear();
  player->Open();
  ASSERT_GE(driver.Calls.size(), 2u);
  EXPECT_EQ(driver.Calls[0].Msg, MCI_CLOSE);
  EXPECT_EQ(driver.Calls[0].Device, 5u);
  EXPECT_EQ(driver.Calls[1].Msg, MCI_OPEN);
  EXPECT_EQ(player->DeviceID(), 6u);
  EXPECT_TRUE(player->Opened());
}

TEST_F(MediaPlayerTest, OverridesAreOneShot) {
  OpenIt();
  player->SetWait(false);
  player->Stop();
  player->Stop();
  player->SetNotify(true);
  player->Stop();
  player->SetWait(true);
  player->StartRecording();
  player->SetNotify(false);
  player->StartRecording();
  player->SetStartPos(10);
  player->SetEndPos(2000);
  player->StartRecording();
  player->StartRecording();
  std::vector<DWORD_PTR> flags;
  for (const auto& c : driver.Calls) flags.push_back(c.Flags);
  EXPECT_EQ(flags, (std::vector<DWORD_PTR>{0, 2, 3, 3, 0, 1 | 4 | 8, 1}));
  EXPECT_EQ(driver.Calls[5].From, 10u);
  EXPECT_EQ(driver.Calls[5].To, 2000u);
  EXPECT_EQ(player->LastFlags(), 1u);
}

TEST_F(MediaPlayerTest, OpenFlagsByTypeAndSharing) {
  player->SetShareable(true);
  player->Open();
  EXPECT_EQ(driver.Calls[0].Flags, 0x302u);
  player->SetShareable(false);
  player->SetDeviceType(dtWaveAudio);
  driver.Calls.clear();
  player->Open();  // closes the first device, then opens by type
  EXPECT_EQ(driver.Calls[0].Msg, MCI_CLOSE);
  EXPECT_EQ(driver.Calls[1].Flags, 0x2002u);
  EXPECT_EQ(driver.Calls[1].Type, "WaveAudio");
  player->SetDeviceType(dtCDAudio);
  driver.Caps[MCI_GETDEVCAPS_DEVICE_TYPE] = MCI_DEVTYPE_CD_AUDIO;
  driver.Caps[MCI_GETDEVCAPS_CAN_EJECT] = 1;
  driver.Calls.clear();
  player->Open();
  auto sets = driver.Of(MCI_SET);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].Flags, 0x401u);
  EXPECT_EQ(sets[0].Item, 10u);
  EXPECT_TRUE(player->EnabledButtons().Contains(btEject));
  driver.Caps[MCI_GETDEVCAPS_DEVICE_TYPE] = MCI_DEVTYPE_DIGITAL_VIDEO;
  player->SetDeviceType(TMPDeviceTypes::dtDigitalVideo);
  player->Open();
  EXPECT_TRUE(player->CanStep());
  EXPECT_TRUE(player->EnabledButtons().Contains(btStep));
  EXPECT_TRUE(player->EnabledButtons().Contains(btBack));
}

TEST_F(MediaPlayerTest, DestroyingClosesWithoutCallbackOrSave) {
  OpenIt();
  delete player;
  player = nullptr;
  ASSERT_EQ(driver.Calls.size(), 1u);
  EXPECT_EQ(driver.Calls[0].Msg, MCI_CLOSE);
  EXPECT_EQ(driver.Calls[0].Flags, MCI_WAIT);
  EXPECT_EQ(driver.Calls[0].Callback, 0u);
  EXPECT_EQ(driver.Calls[0].Device, 5u);
  TMediaPlayer* never = new TMediaPlayer(nullptr);
  delete never;
  EXPECT_EQ(driver.Calls.size(), 1u);
}

TEST_F(MediaPlayerTest, NotificationsUpdateNotifyValueButtonsAndFireOnNotify) {
  OpenIt();
  player->StartRecording();
  EXPECT_FALSE(player->EnabledButtons().Contains(btRecord));
  EXPECT_TRUE(player->EnabledButtons().Contains(btStop));
  int fired = 0;
  player->OnNotify = [&](TObject* s) {
    EXPECT_EQ(s, player);
    ++fired;
  };
  SendMessage(player->Handle(), MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 5);
  EXPECT_EQ(player->NotifyValue(), TMPNotifyValues::nvAborted);
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(player->EnabledButtons().Contains(btRecord));
  EXPECT_TRUE(player->EnabledButtons().Contains(btPlay));
  EXPECT_FALSE(player->EnabledButtons().Contains(btStop));
  EXPECT_FALSE(player->EnabledButtons().Contains(btPause));
  SendMessage(player->Handle(), MM_MCINOTIFY, 99, 5);
  EXPECT_EQ(player->NotifyValue(), TMPNotifyValues::nvAborted);  // unknown code: unchanged
  EXPECT_EQ(fired, 2);
  for (auto [code, value] : {std::pair{MCI_NOTIFY_SUPERSEDED, TMPNotifyValues::nvSuperseded},
                             std::pair{MCI_NOTIFY_FAILURE, TMPNotifyValues::nvFailure},
                             std::pair{MCI_NOTIFY_SUCCESSFUL, TMPNotifyValues::nvSuccessful}}) {
    SendMessage(player->Handle(), MM_MCINOTIFY, code, 5);
    EXPECT_EQ(player->NotifyValue(), value);
  }
  // While the device still records, a notification leaves the buttons alone.
  player->SetEnabledButtons({btStop});
  driver.ModeValue = MCI_MODE_RECORD;
  SendMessage(player->Handle(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 5);
  EXPECT_EQ(player->EnabledButtons(), TButtonSet{btStop});
  // A notification posted by the device reaches the window through the event loop.
  driver.ModeValue = MCI_MODE_STOP;
  mciDriverNotify(player->Handle(), 5, MCI_NOTIFY_FAILURE);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return player->NotifyValue() == TMPNotifyValues::nvFailure; }, 2000));
}

TEST_F(MediaPlayerTest, BarClickRunsTheCommandBetweenClickAndPostClick) {
  OpenIt();
  std::vector<std::string> order;
  bool allow = true;
  player->OnClick = [&](TObject*, TMPBtnType b, bool& doDefault) {
    order.push_back("click " + std::to_string(static_cast<int>(b)));
    doDefault = allow;
  };
  player->OnPostClick = [&](TObject*, TMPBtnType b) { order.push_back("post " + std::to_string(static_cast<int>(b))); };
  auto rects = MediaPlayerButtonRects(player->VisibleButtons(), player->Width(), player->Height());
  auto press = [&](TMPBtnType b) {
    TRect r = rects[static_cast<size_t>(b)];
    LPARAM at = MAKELPARAM(unsigned(r.Left + 3), unsigned(r.Top + 3));
    SendMessage(player->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessage(player->Handle(), WM_LBUTTONUP, 0, at);
  };
  press(btRecord);
  ASSERT_EQ(driver.Calls.size(), 1u);
  EXPECT_EQ(driver.Calls[0].Msg, MCI_RECORD);
  EXPECT_EQ((order), (std::vector<std::string>{"click 7", "post 7"}));
  allow = false;
  press(btStop);
  EXPECT_EQ(driver.Calls.size(), 1u);  // the handler declined the default
  EXPECT_EQ(order.size(), 4u);
  // A button that is not enabled does nothing.
  player->SetEnabledButtons({});
  allow = true;
  press(btPlay);
  EXPECT_EQ(order.size(), 4u);
}

TEST(MediaPlayerBar, LayoutAndAllTwentySevenPictures) {
  auto rects = MediaPlayerButtonRects(kAllMPButtons, 240, 30);
  EXPECT_EQ(rects[0], Rect(0, 0, 26, 30));
  EXPECT_EQ(rects[8], Rect(208, 0, 240, 30));
  auto some = MediaPlayerButtonRects(TButtonSet{btPlay, btRecord}, 100, 20);
  EXPECT_EQ(some[static_cast<size_t>(btPlay)], Rect(0, 0, 50, 20));
  EXPECT_EQ(some[static_cast<size_t>(btRecord)], Rect(50, 0, 100, 20));
  EXPECT_TRUE(IsRectEmpty(some[static_cast<size_t>(btStop)]));

  for (int b = 0; b < 9; ++b) {
    std::string name = MediaPlayerButtonName(static_cast<TMPBtnType>(b));
    auto en = MakeMediaPlayerBitmap("EN_" + name), di = MakeMediaPlayerBitmap("DI_" + name),
         cl = MakeMediaPlayerBitmap("CL_" + name);
    ASSERT_FALSE(en->Empty());
    // Each picture shows a sign: some pixel differs from the key colour, and the three
    // states differ from each other.
    int signEn = 0, diffDi = 0, diffCl = 0;
    for (int y = 0; y < en->Height(); ++y)
      for (int x = 0; x < en->Width(); ++x) {
        signEn += en->Pixel(x, y) != 0xFF00FF;
        diffDi += en->Pixel(x, y) != di->Pixel(x, y);
        diffCl += en->Pixel(x, y) != cl->Pixel(x, y);
      }
    EXPECT_GT(signEn, 8) << name;
    EXPECT_GT(diffDi, 0) << name;
    EXPECT_GT(diffCl, 0) << name;
    EXPECT_EQ(en->Pixel(0, en->Height() - 1), 0xFF00FF) << name;
  }
  EXPECT_THROW(MakeMediaPlayerBitmap("XX_MPPLAY"), EInvalidGraphic);
  EXPECT_THROW(MakeMediaPlayerBitmap("EN_MPFOO"), EInvalidGraphic);
}
