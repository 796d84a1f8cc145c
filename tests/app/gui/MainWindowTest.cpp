// The main window through its stored layout, with a fake device behind the media
// control interface that records what the window's media player sends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "app/RecordingHeader.h"
#include "app/Unt_main.h"
#include "skin/controls/SkinButton.h"
#include "framework/controls/Label.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "skin/controls/SkinRadioGroup.h"
#include "framework/controls/TrackBar.h"
#include "framework/windows/Application.h"
#include "framework/core/SysUtils.h"
#include "media/MediaPlayer.h"
#include "media/WindowsMediaPlayer.h"
#include "platform/ole/MediaPlayerControl.h"
#include "platform/mci/Mci.h"
#include "tests/support/TestSupport.h"

namespace {

struct SentCommand {
  UINT Message;
  DWORD_PTR Flags;
  std::string Text;  // device type + element for open, file name for save
};

struct Box {
  std::string Text, Caption;
  unsigned Flags;
  bool BtstartEnabled, BtstopEnabled;  // as the user sees them while the box is up
};

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadText(const std::string& path) {
  auto b = ReadAll(path);
  return std::string(b.begin(), b.end());
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      Application_Initialize();
      RegisterProgramClasses();
      registered = true;
    }
    profileDir = testsupport::MakeTempDir("profile");
    setenv("XDG_CONFIG_HOME", profileDir.c_str(), 1);
    std::filesystem::remove_all(TForm1::RecordingPath());
    mciSetTestDriver([this](MCIDEVICEID, UINT msg, DWORD_PTR flags, DWORD_PTR params) -> MCIERROR {
      SentCommand c{msg, flags, ""};
      if (msg == MCI_OPEN) {
        auto* p = reinterpret_cast<MCI_OPEN_PARMS*>(params);
        c.Text = std::string(p->lpstrDeviceType ? p->lpstrDeviceType : "") + "|" +
                 (p->lpstrElementName ? p->lpstrElementName : "");
        p->wDeviceID = 7;
      } else if (msg == MCI_SAVE) {
        auto* p = reinterpret_cast<MCI_SAVE_PARMS*>(params);
        c.Text = p->lpfilename ? p->lpfilename : "";
      } else if (msg == MCI_STATUS) {
        reinterpret_cast<MCI_STATUS_PARMS*>(params)->dwReturn = 0;
      }
      sent.push_back(c);
      if (failWhen)
        if (MCIERROR e = failWhen(c)) return e;
      auto it = failures.find(msg);
      return it == failures.end() ? 0 : it->second;
    });
    Application->SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned flags) {
      boxes.push_back({text, caption, flags, form->Btstart->Enabled(), form->Btstop->Enabled()});
      return 1;
    });
    form = new TForm1(Application);
  }

  void TearDown() override {
    delete form;
    Application->SetMessageBoxHook(nullptr);
    mciSetTestDriver(nullptr);
  }

  std::vector<SentCommand> SentOf(UINT msg) const {
    std::vector<SentCommand> out;
    for (const auto& c : sent)
      if (c.Message == msg) out.push_back(c);
    return out;
  }

  TForm1* form = nullptr;
  std::string profileDir;
  std::vector<SentCommand> sent;
  std::map<UINT, MCIERROR> failures;
  std::function<MCIERROR(const SentCommand&)> failWhen;
  std::vector<Box> boxes;
};

TEST_F(MainWindow, LayoutPlacesEveryControlWithItsInitialState) {
  EXPECT_EQ(form->Left(), 334);
  EXPECT_EQ(form->Top(), 107);
  EXPECT_EQ(form->ClientWidth(), 615);
  EXPECT_EQ(form->ClientHeight(), 450);
  EXPECT_EQ(form->Caption().substr(form->Caption().size() - 10), "   Lirovan");
  struct Expect {
    TControl* c;
    int l, t, w, h;
  };
  for (const Expect& e : std::vector<Expect>{{form->ssd, 15, 11, 121, 81},
                                             {form->syz, 15, 100, 121, 81},
                                             {form->spl, 15, 189, 121, 81},
                                             {form->TrackBar1, 8, 299, 137, 45},
                                             {form->Btstart, 16, 344, 59, 25},
                                             {form->Btstop, 80, 344, 59, 25},
                                             {form->bsSkinButton1, 16, 384, 121, 25},
                                             {(TControl*)form->WindowsMediaPlayer1, 144, 8, 465, 433}}) {
    SCOPED_TRACE(e.c->Name());
    EXPECT_EQ(e.c->BoundsRect(), Bounds(e.l, e.t, e.w, e.h));
    EXPECT_EQ(e.c->Parent(), form);
  }
  // The label sizes itself to its text: the stored 60 x 13 with the designer's font,
  // a few pixels less or more with the substituted one.
  EXPECT_EQ(form->Label1->Left(), 16);
  EXPECT_EQ(form->Label1->Top(), 280);
  EXPECT_NEAR(form->Label1->Width(), 60, 8);
  EXPECT_NEAR(form->Label1->Height(), 13, 2);
  EXPECT_EQ(form->Btstart->TabOrder(), 1);
  EXPECT_EQ(form->Btstop->TabOrder(), 2);
  EXPECT_EQ(form->ssd->TabOrder(), 3);
  EXPECT_EQ(form->spl->TabOrder(), 5);
  EXPECT_EQ(form->bsSkinButton1->TabOrder(), 7);
  EXPECT_EQ(form->TrackBar1->TabOrder(), 8);
  EXPECT_EQ(form->ssd->ItemIndex(), 1);
  EXPECT_EQ(form->syz->ItemIndex(), 1);
  EXPECT_EQ(form->spl->ItemIndex(), 1);
  EXPECT_EQ(form->spl->Items()->Count(), 3);
  EXPECT_EQ(form->spl->Items()->Strings(2), "精密44100赫兹");
  EXPECT_EQ(form->Btstart->Caption(), "录制");
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
  EXPECT_FALSE(form->MediaPlayer1->Visible());
  EXPECT_EQ(form->TrackBar1->Max(), 255);
  EXPECT_EQ(form->TrackBar1->Position(), 0);
  EXPECT_EQ(form->Label1->Caption(), "原唱音量：");
}

TEST_F(MainWindow, RecordAndStopWithTheStoredDefaults) {
  form->Btstart->Click();
  // The header announces stereo, 16 bits, 22050 samples per second.
  auto header = ReadAll(TForm1::RecordingPath());
  ASSERT_EQ(header.size(), 44u);
  EXPECT_EQ(header[22], 2);
  EXPECT_EQ(header[24] | header[25] << 8, 22050);
  EXPECT_EQ(header[34], 16);
  auto opens = SentOf(MCI_OPEN);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].Flags, 0x202u);
  EXPECT_EQ(opens[0].Text, "|" + TForm1::RecordingPath());
  ASSERT_EQ(SentOf(MCI_RECORD).size(), 1u);
  EXPECT_EQ(SentOf(MCI_RECORD)[0].Flags, 1u);
  EXPECT_FALSE(form->Btstart->Enabled());
  EXPECT_TRUE(form->Btstop->Enabled());
  EXPECT_TRUE(boxes.empty());

  form->Btstop->Click();
  ASSERT_EQ(SentOf(MCI_STOP).size(), 1u);
  EXPECT_EQ(SentOf(MCI_STOP)[0].Flags, 2u);
  ASSERT_EQ(SentOf(MCI_SAVE).size(), 1u);
  EXPECT_EQ(SentOf(MCI_SAVE)[0].Flags, 0x102u);
  EXPECT_EQ(SentOf(MCI_SAVE)[0].Text, TForm1::RecordingPath());
  ASSERT_EQ(SentOf(MCI_CLOSE).size(), 1u);
  EXPECT_EQ(SentOf(MCI_CLOSE)[0].Flags, 2u);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "声音录制完毕!");
  EXPECT_EQ(boxes[0].Caption, "信息");
  EXPECT_EQ(boxes[0].Flags & 0xF0, 0x40u);
  // The buttons change only after the box was closed.
  EXPECT_FALSE(boxes[0].BtstartEnabled);
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
}

TEST_F(MainWindow, FormatChoicesReachTheHeader) {
  struct Case {
    int ssd, syz, spl;
    int channels, bits, rate;
  };
  for (const Case& c : std::vector<Case>{{0, 0, 0, 1, 8, 11025},
                                         {1, 1, 2, 2, 16, 44100},
                                         {-1, -1, -1, 2, 16, 11025},
                                         {0, 1, 1, 1, 16, 22050}}) {
    form->ssd->SetItemIndex(c.ssd);
    form->syz->SetItemIndex(c.syz);
    form->spl->SetItemIndex(c.spl);
    form->Btstart->Click();
    auto h = ReadAll(TForm1::RecordingPath());
    ASSERT_EQ(h.size(), 44u);
    EXPECT_EQ(h[22], c.channels);
    EXPECT_EQ(h[34], c.bits);
    EXPECT_EQ(h[24] | h[25] << 8 | h[26] << 16, c.rate);
    form->Btstop->Click();
  }
}

TEST_F(MainWindow, FailuresToStartLeaveTheWindowIdle) {
  // The device cannot be opened.
  failures[MCI_OPEN] = MCIERR_CANNOT_LOAD_DRIVER;
  form->Btstart->Click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "媒体设备初始化失败！");
  EXPECT_EQ(boxes[0].Caption, "错误");
  EXPECT_EQ(boxes[0].Flags & 0xF0, 0x10u);
  EXPECT_TRUE(boxes[0].BtstartEnabled);  // changed before the box
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());

  // The device opens but refuses to record: reported, and the device is closed again.
  failures.clear();
  sent.clear();
  failures[MCI_RECORD] = MCIERR_HARDWARE;
  form->Btstart->Click();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].Text, "媒体设备初始化失败！");
  EXPECT_EQ(SentOf(MCI_CLOSE).size(), 1u);
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());

  // Whatever the buttons showed before, a failed start leaves the window idle, and the
  // buttons change before the box is shown.
  failures.clear();
  failures[MCI_OPEN] = MCIERR_CANNOT_LOAD_DRIVER;
  form->Btstart->SetEnabled(false);
  form->Btstop->SetEnabled(true);
  form->BtstartClick(form->Btstart);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[2].Text, "媒体设备初始化失败！");
  EXPECT_TRUE(boxes[2].BtstartEnabled);
  EXPECT_FALSE(boxes[2].BtstopEnabled);
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
  boxes.pop_back();

  // Temp.wav cannot be written: nothing is sent to the device.
  failures.clear();
  sent.clear();
  std::filesystem::remove_all(TForm1::RecordingPath());  // the header the earlier clicks wrote
  std::filesystem::create_directory(TForm1::RecordingPath());
  form->Btstart->Click();
  std::filesystem::remove_all(TForm1::RecordingPath());
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[2].Text, "媒体设备初始化失败！");
  EXPECT_TRUE(SentOf(MCI_OPEN).empty());
  EXPECT_TRUE(form->Btstart->Enabled());
}

TEST_F(MainWindow, FailuresToStopSaveOrCloseAreReportedNotCalledSuccess) {
  for (UINT failing : {MCI_STOP, MCI_SAVE, MCI_CLOSE}) {
    SCOPED_TRACE(failing);
    failures.clear();
    boxes.clear();
    sent.clear();
    form->Btstart->Click();
    ASSERT_TRUE(boxes.empty());
    failures[failing] = failing == MCI_SAVE ? MCIERR_FILE_NOT_SAVED : MCIERR_HARDWARE;
    form->Btstop->Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, "保存声音文件出错!");
    EXPECT_EQ(boxes[0].Caption, "错误");
    EXPECT_EQ(boxes[0].Flags & 0xF0, 0x10u);
    // The box comes first; the buttons change once it is closed.
    EXPECT_FALSE(boxes[0].BtstartEnabled);
    EXPECT_TRUE(boxes[0].BtstopEnabled);
    EXPECT_TRUE(form->Btstart->Enabled());
    EXPECT_FALSE(form->Btstop->Enabled());
    // Every step is still tried, so the device ends up closed when it can be.
    EXPECT_EQ(SentOf(MCI_STOP).size(), 1u);
    EXPECT_FALSE(SentOf(MCI_SAVE).empty());
    EXPECT_EQ(SentOf(MCI_CLOSE).size(), 1u);
  }
  failures.clear();
  form->Btstart->Click();  // opening closes the device the failed close left open
  form->Btstop->Click();

  // Stop with no device open: the media player raises, the box says so, and the
  // buttons change after it.
  boxes.clear();
  form->Btstart->SetEnabled(false);
  form->Btstop->SetEnabled(true);
  form->BtstopClick(form->Btstop);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "保存声音文件出错!");
  EXPECT_FALSE(boxes[0].BtstartEnabled);
  EXPECT_TRUE(boxes[0].BtstopEnabled);
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
}

// A save that fails keeps the take: it is saved again under a new name beside Temp.wav,
// or, when that fails too, in the user's music folder; all before the device closes.
TEST_F(MainWindow, AFailedSaveRescuesTheTakeBesideItOrInTheMusicFolder) {
  const std::string home = testsupport::MakeTempDir("home");
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", home.c_str(), 1);
  std::ofstream(profileDir + "/user-dirs.dirs") << "XDG_MUSIC_DIR=\"$HOME/My Songs\"\n";
  const std::string exeDir = ExtractFilePath(TForm1::RecordingPath());
  const std::string music = home + "/My Songs/";

  auto rescueName = [](const std::string& path, const std::string& folder) {
    // <folder>Temp-YYYYMMDD-HHMMSS.wav
    if (path.rfind(folder, 0) != 0) return false;
    std::string name = path.substr(folder.size());
    if (name.size() != std::string("Temp-20260101-000000.wav").size() || name.rfind("Temp-", 0) != 0) return false;
    return name[13] == '-' && name.substr(name.size() - 4) == ".wav";
  };

  // The target alone fails: one rescue, beside it.
  failWhen = [](const SentCommand& c) -> MCIERROR {
    return c.Message == MCI_SAVE && c.Text == TForm1::RecordingPath() ? MCIERR_FILE_NOT_SAVED : 0;
  };
  form->Btstart->Click();
  sent.clear();
  form->Btstop->Click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "保存声音文件出错!");
  auto saves = SentOf(MCI_SAVE);
  ASSERT_EQ(saves.size(), 2u);
  EXPECT_TRUE(rescueName(saves[1].Text, exeDir)) << saves[1].Text;
  EXPECT_EQ(sent.back().Message, MCI_CLOSE);
  EXPECT_EQ(form->MediaPlayer1->FileName(), TForm1::RecordingPath());
  EXPECT_FALSE(std::filesystem::exists(home + "/My Songs"));  // not needed, not made

  // Nothing can be written beside Temp.wav: the music folder, made when missing.
  failWhen = [exeDir](const SentCommand& c) -> MCIERROR {
    return c.Message == MCI_SAVE && c.Text.rfind(exeDir, 0) == 0 ? MCIERR_FILE_NOT_SAVED : 0;
  };
  boxes.clear();
  form->Btstart->Click();
  sent.clear();
  form->Btstop->Click();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "保存声音文件出错!");
  EXPECT_FALSE(boxes[0].BtstartEnabled);
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
  saves = SentOf(MCI_SAVE);
  ASSERT_EQ(saves.size(), 3u);
  EXPECT_EQ(saves[0].Text, TForm1::RecordingPath());
  EXPECT_TRUE(rescueName(saves[1].Text, exeDir)) << saves[1].Text;
  EXPECT_TRUE(rescueName(saves[2].Text, music)) << saves[2].Text;
  EXPECT_TRUE(std::filesystem::is_directory(home + "/My Songs"));
  EXPECT_EQ(sent.back().Message, MCI_CLOSE);

  // A stop that fails while the save works rescues nothing: Temp.wav holds the take.
  failWhen = nullptr;
  failures[MCI_STOP] = MCIERR_HARDWARE;
  boxes.clear();
  form->Btstart->Click();
  sent.clear();
  form->Btstop->Click();
  EXPECT_EQ(SentOf(MCI_SAVE).size(), 1u);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "保存声音文件出错!");
  setenv("HOME", oldHome.c_str(), 1);
}

// "[section]" and "key=value" lines in file order, section names prefixed to keys.
std::vector<std::string> Entries(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string line, section;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line.front() == '[') {
      section = line;
      out.push_back(line);
    } else {
      out.push_back(section + " " + line);
    }
  }
  return out;
}

TEST_F(MainWindow, CreationRegistersTheMediaExtensionsEveryTime) {
  std::string win = profileDir + "/corvale/win.ini";
  std::string sys = profileDir + "/corvale/system.ini";
  std::string winText = ReadText(win);
  std::string sysText = ReadText(sys);
  EXPECT_EQ(Entries(winText),
            (std::vector<std::string>{"[mci extensions]", "[mci extensions] mpg=MPEGVideo",
                                      "[mci extensions] dat=MPEGVideo", "[mci extensions] mpv=MPEGVideo",
                                      "[mci extensions] mpeg=MPEGVideo", "[mci extensions] cjt=MPEGVideo",
                                      "[mci extensions] avi=AVIVideo"}));
  EXPECT_EQ(Entries(sysText), (std::vector<std::string>{"[mci]", "[mci] MPEGVideo=mciqtz.drv"}));
  delete form;
  form = new TForm1(Application);
  EXPECT_EQ(ReadText(win), winText);
  EXPECT_EQ(ReadText(sys), sysText);
}

// Entries already there keep their place; the program's own are replaced in place.
TEST_F(MainWindow, RegistrationReplacesValuesInTheirSections) {
  std::string win = profileDir + "/corvale/win.ini";
  delete form;
  form = nullptr;
  std::ofstream(win, std::ios::trunc) << "[fonts]\nmpg=not this one\n[mci extensions]\nwmv=WMVideo\nAVI=old\n";
  form = new TForm1(Application);
  EXPECT_EQ(Entries(ReadText(win)),
            (std::vector<std::string>{"[fonts]", "[fonts] mpg=not this one", "[mci extensions]",
                                      "[mci extensions] wmv=WMVideo", "[mci extensions] AVI=AVIVideo",
                                      "[mci extensions] mpg=MPEGVideo", "[mci extensions] dat=MPEGVideo",
                                      "[mci extensions] mpv=MPEGVideo", "[mci extensions] mpeg=MPEGVideo",
                                      "[mci extensions] cjt=MPEGVideo"}));
}

// The player starts from the settings stored with the window, not from its defaults.
TEST_F(MainWindow, ThePlayerStartsFromItsStoredState) {
  TPlayerSettings stored;
  stored.StretchToFit = true;
  stored.ExtentWidth = 465;
  stored.ExtentHeight = 433;
  ASSERT_NE(stored, TPlayerSettings{});
  ASSERT_NE(form->WindowsMediaPlayer1->Player(), nullptr);
  EXPECT_EQ(form->WindowsMediaPlayer1->Player()->Settings(), stored);
  EXPECT_TRUE(form->WindowsMediaPlayer1->stretchToFit());
  EXPECT_EQ(form->WindowsMediaPlayer1->uiMode(), u"full");
  EXPECT_TRUE(form->WindowsMediaPlayer1->enabled());
  EXPECT_EQ(form->WindowsMediaPlayer1->StoredState(), stored.Serialize());
}

// A take an earlier run left in its journal beside the program is rescued once the
// window runs, and the user is told once.
TEST_F(MainWindow, ATakeLeftInAJournalIsRescuedAndTheUserToldOnce) {
  const std::string exeDir = ExtractFilePath(TForm1::RecordingPath()), journal = exeDir + ".Temp.wav.recording";
  const TWaveHeader header = MakeWaveHeader(2, 16, 22050);
  std::ofstream(journal, std::ios::binary) << std::string(header.begin(), header.end()) << std::string(4 * 8820, 'x');
  for (int round = 0; round < 2; ++round) {
    PostMessage(form->Handle(), WM_RESCUE_LEFT_TAKES, 0, 0);
    testsupport::Pump(100);
  }
  ASSERT_EQ(boxes.size(), 1u);
  const std::string prefix = "上次录制的声音已恢复!\n" + exeDir + "Temp-";
  ASSERT_EQ(boxes[0].Text.rfind(prefix, 0), 0u) << boxes[0].Text;
  EXPECT_EQ(boxes[0].Caption, "信息");
  EXPECT_EQ(boxes[0].Flags, MB_OK | MB_ICONINFORMATION);
  const std::string rescued = boxes[0].Text.substr(boxes[0].Text.find('\n') + 1);
  EXPECT_EQ(std::filesystem::file_size(rescued), 44u + 4 * 8820);
  EXPECT_FALSE(std::filesystem::exists(journal));
  std::filesystem::remove(rescued);
}

TEST_F(MainWindow, ClosingWhileRecordingKeepsOnlyTheHeader) {
  form->Btstart->Click();
  sent.clear();
  delete form;
  form = nullptr;
  auto closes = SentOf(MCI_CLOSE);
  ASSERT_EQ(closes.size(), 1u);
  EXPECT_TRUE(SentOf(MCI_SAVE).empty());
  EXPECT_EQ(ReadAll(TForm1::RecordingPath()).size(), 44u);
  form = new TForm1(Application);
}

}  // namespace

TEST_F(MainWindow, OpenVideoAsksForAnExistingFileAndPlaysItsUtf16Name) {
  EXPECT_EQ(form->bsDialog->Title(), "Open file");
  EXPECT_EQ(form->bsDialog->Filter(), "All files|*.*");
  EXPECT_TRUE(form->bsDialog->CheckFileExists());
  EXPECT_FALSE(form->bsDialog->MultiSelection());
  EXPECT_EQ(form->bsDialog->LVHeaderSkinDataName(), "resizebutton");
  EXPECT_EQ(form->bsDialog->DefaultFont()->Name(), "Arial");
  EXPECT_EQ(form->bsDialog->DefaultFont()->Height(), 14);
  EXPECT_EQ(form->bsDialog->SkinData(), nullptr);
  EXPECT_EQ(form->bsDialog->CtrlSkinData(), nullptr);

  // Cancelled: the player is left alone.
  int asked = 0;
  SetSkinOpenDialogHook([&](TbsSkinOpenDialog*) {
    ++asked;
    return false;
  });
  form->bsSkinButton1->Click();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(form->WindowsMediaPlayer1->URL().empty());

  // Accepted: the chosen name, converted to UTF-16, becomes the player's URL. The file
  // is no video, so the player stays black and the window stays usable.
  const std::string name = testsupport::MakeTempDir("open") + "/歌曲 1.mp4";
  std::ofstream(name) << "not a video";
  SetSkinOpenDialogHook([&](TbsSkinOpenDialog* d) {
    d->SetFileName(name);
    return true;
  });
  form->bsSkinButton1->Click();
  SetSkinOpenDialogHook({});
  EXPECT_EQ(form->WindowsMediaPlayer1->URL(), Utf8ToUtf16(name));
  EXPECT_NE(form->WindowsMediaPlayer1->URL().find(u"歌曲 1.mp4"), std::u16string::npos);
  testsupport::Pump(300);
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(form->Btstart->Enabled());
}
