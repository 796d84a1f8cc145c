#include "app/Unt_main.h"

#include <cstdio>
#include <ctime>

#include "app/CoverRecorder.h"
#include "app/CoverSidecar.h"
#include "app/MediaRegistration.h"
#include "app/OutputVolume.h"
#include "app/RecordingHeader.h"
#include "app/RecordingRescue.h"
#include "app/RecordingFolder.h"
#include "app/SessionEnd.h"
#include "framework/controls/Label.h"
#include "framework/controls/StandardControls.h"
#include "framework/controls/TrackBar.h"
#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/menus/MenuClasses.h"
#include "framework/windows/Application.h"
#include "framework/windows/WindowsClasses.h"
#include "media/MediaPlayer.h"
#include "media/WindowsMediaPlayer.h"
#include "platform/mci/TakeJournal.h"
#include "platform/audio/Audio.h"
#include "platform/ole/MediaPlayerControl.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/controls/SkinRadioGroup.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/dialogs/SkinDialogsRegistration.h"
#include "skin/dialogs/SkinOpenDialog.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinFormRegistration.h"

namespace {

const char* const kStartFailed = "媒体设备初始化失败！";
const char* const kSaved = "声音录制完毕!";
const char* const kSaveFailed = "保存声音文件出错!";
const char* const kErrorCaption = "错误";
const char* const kInfoCaption = "信息";
const char* const kTakesRescued = "上次录制的声音已恢复!";

}  // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) { LoadLayout("Form1"); }

TForm1::TForm1(TComponent* AOwner, const std::string& layoutText) : TForm(AOwner) {
  ReadLayout(this, layoutText);
  DoCreate();
}

TForm1::~TForm1() {
  // Its device closes with it, unsaved: nothing is left for the exit to save.
  SetTakeRunning(false);
}

template <class T>
T* TForm1::Bind(const char* name) {
  T* c = dynamic_cast<T*>(FindComponent(name));
  if (!c) throw EComponentError(std::string("The main window's layout lacks ") + name);
  return c;
}

void TForm1::Loaded() {
  TForm::Loaded();
  ssd = Bind<TbsSkinRadioGroup>("ssd");
  syz = Bind<TbsSkinRadioGroup>("syz");
  spl = Bind<TbsSkinRadioGroup>("spl");
  Label1 = Bind<TLabel>("Label1");
  TrackBar1 = Bind<TTrackBar>("TrackBar1");
  Btstart = Bind<TbsSkinButton>("Btstart");
  Btstop = Bind<TbsSkinButton>("Btstop");
  bsSkinButton1 = Bind<TbsSkinButton>("bsSkinButton1");
  WindowsMediaPlayer1 = Bind<TWindowsMediaPlayer>("WindowsMediaPlayer1");
  MediaPlayer1 = Bind<TMediaPlayer>("MediaPlayer1");
  bsSkinData1 = Bind<TbsSkinData>("bsSkinData1");
  bsSkinForm1 = Bind<TbsSkinForm>("bsSkinForm1");
  bsCompressedStoredSkin1 = Bind<TbsCompressedStoredSkin>("bsCompressedStoredSkin1");
  bsDialog = Bind<TbsSkinOpenDialog>("bsDialog");
  FCover = std::make_shared<TCoverRecorder>(WindowsMediaPlayer1, MediaPlayer1);
}

std::string TForm1::RecordingPath() {
  return RecordingFolder(ExtractFilePath(ApplicationExeName())) + "Temp.wav";
}

void TForm1::Createwav(std::uint16_t channels, std::uint16_t bitsPerSample, std::uint32_t samplesPerSec,
                       const std::string& fileName) {
  WriteWaveHeaderFile(channels, bitsPerSample, samplesPerSec, fileName);
}

void TForm1::FormCreate(TObject*) { RegisterMediaExtensions(); }

void TForm1::BtstartClick(TObject*) {
  const std::uint16_t channels = ssd->ItemIndex() == 0 ? 1 : 2;
  const std::uint16_t bits = syz->ItemIndex() == 0 ? 8 : 16;
  std::uint32_t rate = 11025;
  if (spl->ItemIndex() == 1) rate = 22050;
  if (spl->ItemIndex() == 2) rate = 44100;
  // A take another run left here since this one started goes to safety first: the
  // device never records over it.
  RescueLeftTakes({ExtractFilePath(RecordingPath())});
  try {
    Createwav(channels, bits, rate, RecordingPath());
    MediaPlayer1->SetDeviceType(dtAutoSelect);
    MediaPlayer1->SetFileName(RecordingPath());
    MediaPlayer1->Open();
    MediaPlayer1->StartRecording();
    // A device that refuses to record raises nothing; without this check the window
    // would claim to record while nothing is captured.
    if (MediaPlayer1->Error() != 0) {
      MediaPlayer1->Close();
      throw EMCIDeviceError("The device refused to record");
    }
    SetTakeRunning(true);
    SaveTakeAtExit([this] { EndTakeForSession("the program is exiting"); });
    FCover->TakeStarted(channels, bits, int(rate), RecordingPath());
    Btstart->SetEnabled(false);
    Btstop->SetEnabled(true);
  } catch (...) {
    Btstart->SetEnabled(true);
    Btstop->SetEnabled(false);
    Application->MessageBox(kStartFailed, kErrorCaption, MB_OK | MB_ICONERROR);
  }
}

bool TForm1::FinishTake(std::string& where) {
  // Every step runs even when an earlier one failed, so the device ends up closed.
  where.clear();
  bool failed = false;
  FCover->TakeStopping();
  MediaPlayer1->Stop();
  failed |= MediaPlayer1->Error() != 0;
  MediaPlayer1->Save();
  if (MediaPlayer1->Error() != 0) {
    failed = true;
    RescueTake(&where);  // while the device still holds the take: closing discards it
  } else {
    where = MediaPlayer1->FileName();
  }
  FCover->TakeSaved(where);  // its video timeline beside it, or with the journal it stays in
  MediaPlayer1->Close();
  failed |= MediaPlayer1->Error() != 0;
  return !failed;
}

void TForm1::BtstopClick(TObject*) {
  bool saved = false;
  try {
    std::string where;
    saved = FinishTake(where);
  } catch (...) {
    // Reported below instead of a false success.
  }
  SetTakeRunning(false);
  Application->MessageBox(saved ? kSaved : kSaveFailed, saved ? kInfoCaption : kErrorCaption,
                          MB_OK | (saved ? MB_ICONINFORMATION : MB_ICONERROR));
  Btstart->SetEnabled(true);
  Btstop->SetEnabled(false);
}

int TForm1::EndTakeForSession(const std::string& why) {
  std::string where;
  try {
    FinishTake(where);
  } catch (...) {
  }
  SetTakeRunning(false);
  if (!where.empty()) {
    std::fprintf(stderr, "corvale: %s during a take; the take was saved in %s\n", why.c_str(), where.c_str());
    return 0;
  }
  std::fprintf(stderr, "corvale: %s during a take; the take could not be saved and stays in %s for the next start\n",
               why.c_str(), JournalPathFor(MediaPlayer1->FileName()).c_str());
  return 1;
}

bool TForm1::RescueTake(std::string* where) {
  const std::string target = MediaPlayer1->FileName();
  const std::time_t now = std::time(nullptr);
  bool saved = false;
  for (int attempt = 0; attempt < 2 && !saved; ++attempt) {
    std::string folder = attempt == 0 ? ExtractFilePath(target) : UserMusicFolder();
    if (attempt == 1 && !EnsureFolder(folder)) break;
    MediaPlayer1->SetFileName(RescueFileName(folder, target, now));
    MediaPlayer1->Save();
    saved = MediaPlayer1->Error() == 0;
    if (saved && where) *where = MediaPlayer1->FileName();
  }
  MediaPlayer1->SetFileName(target);
  return saved;
}

std::vector<std::string> TForm1::TakeFolders() {
  std::vector<std::string> folders{ExtractFilePath(ApplicationExeName())};
  std::string music = UserMusicFolder();
  if (!music.empty() && music.back() != '/') music += '/';
  if (music != folders[0]) folders.push_back(music);
  return folders;
}

void TForm1::RescueLeftTakes(const std::vector<std::string>& folders) {
  std::string rescued;
  for (const std::string& folder : folders) {
    const std::string target = folder + "Temp.wav", journal = JournalPathFor(target);
    if (!FileExists(journal)) continue;
    TJournalRescue r =
        RescueJournal(journal, [&](std::time_t lastWrite) { return RescueFileName(folder, target, lastWrite); });
    switch (r.Outcome) {
      case TJournalRescue::jrRescued:
        std::fprintf(stderr, "corvale: a take an earlier run left unsaved (%.1f s) was rescued into %s\n",
                     double(r.Frames) / r.Format.SamplesPerSec, r.RescuedPath.c_str());
        rescued += "\n" + r.RescuedPath;
        if (std::string error; !CompleteCoverSidecar(r.RescuedPath, error))
          std::fprintf(stderr, "corvale: the video timeline of %s was not completed: %s\n", r.RescuedPath.c_str(),
                       error.c_str());
        break;
      case TJournalRescue::jrEmpty:
        std::fprintf(stderr, "corvale: %s held no sound of a take and was removed\n", journal.c_str());
        break;
      case TJournalRescue::jrBusy: break;  // another running copy of the program records into it
      case TJournalRescue::jrKept:
        std::fprintf(stderr, "corvale: %s is left as it is: %s\n", journal.c_str(), r.Reason.c_str());
        break;
    }
  }
  if (!rescued.empty())
    Application->MessageBox(kTakesRescued + rescued, kInfoCaption, MB_OK | MB_ICONINFORMATION);
}

void TForm1::WndProc(TMessage& m) {
  if (m.Msg == WM_TAKE_ENDSIGNAL) {
    if (FEnding) return;  // a second signal while the take is being saved
    // The take ended meanwhile (the stop button): the signal does what it does anyway.
    if (!TakeRunning()) EndBySignal(static_cast<int>(m.WParam));
    FEnding = true;
    SetSessionExitStatus(EndTakeForSession(SignalName(static_cast<int>(m.WParam))));
    Application->Terminate();
    return;
  }
  if (m.Msg == WM_RESCUE_LEFT_TAKES) {
    RescueLeftTakes(TakeFolders());
    return;
  }
  TForm::WndProc(m);
}

void TForm1::bsSkinButton1Click(TObject*) {
  if (!bsDialog->Execute()) return;
  WindowsMediaPlayer1->SetURL(Utf8ToUtf16(bsDialog->FileName()));
}

void TForm1::TrackBar1Change(TObject*) {
  SetRightChannelVolume(TrackBar1->Position());
  DWORD volume = 0;
  if (FCover && FCover->Timeline().Running() && waveOutGetVolume(0, &volume) == MMSYSERR_NOERROR)
    FCover->VolumeChanged(int(volume >> 16));
}

void RegisterMainFormClass() {
  TClassRegistry& r = ClassRegistry();
  r.RegisterRootClass<TForm1>("TForm1", "TForm");
  auto bind = [&r](const char* name, void (TForm1::*method)(TObject*)) {
    r.RegisterMethod("TForm1", name, [method](TComponent* root) -> TNotifyEvent {
      auto* form = static_cast<TForm1*>(root);
      return [form, method](TObject* sender) { (form->*method)(sender); };
    });
  };
  bind("FormCreate", &TForm1::FormCreate);
  bind("BtstartClick", &TForm1::BtstartClick);
  bind("BtstopClick", &TForm1::BtstopClick);
  bind("bsSkinButton1Click", &TForm1::bsSkinButton1Click);
  bind("TrackBar1Change", &TForm1::TrackBar1Change);
}

void RegisterProgramClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterWindowsClasses();
  RegisterStandardControls();
  RegisterMenuClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();  // with the panels, radio groups and scroll bar
  RegisterSkinFormClasses();
  RegisterSkinDialogClasses();
  RegisterMediaPlayerClass();
  RegisterMediaPlayerControl();
  RegisterWindowsMediaPlayerClass();
  RegisterMainFormClass();
}
