#include "app/Unt_main.h"

#include <ctime>

#include "app/MediaRegistration.h"
#include "app/OutputVolume.h"
#include "app/RecordingHeader.h"
#include "app/RecordingRescue.h"
#include "app/RecordingFolder.h"
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

}  // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) { LoadLayout("Form1"); }

TForm1::TForm1(TComponent* AOwner, const std::string& layoutText) : TForm(AOwner) {
  ReadLayout(this, layoutText);
  DoCreate();
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
    Btstart->SetEnabled(false);
    Btstop->SetEnabled(true);
  } catch (...) {
    Btstart->SetEnabled(true);
    Btstop->SetEnabled(false);
    Application->MessageBox(kStartFailed, kErrorCaption, MB_OK | MB_ICONERROR);
  }
}

void TForm1::BtstopClick(TObject*) {
  try {
    // Every step runs even when an earlier one failed, so the device ends up closed;
    // any failure is reported instead of a false success.
    bool failed = false;
    MediaPlayer1->Stop();
    failed |= MediaPlayer1->Error() != 0;
    MediaPlayer1->Save();
    if (MediaPlayer1->Error() != 0) {
      failed = true;
      RescueTake();  // while the device still holds the take: closing discards it
    }
    MediaPlayer1->Close();
    failed |= MediaPlayer1->Error() != 0;
    if (failed) throw EMCIDeviceError("The device could not save the recording");
    Application->MessageBox(kSaved, kInfoCaption, MB_OK | MB_ICONINFORMATION);
    Btstart->SetEnabled(true);
    Btstop->SetEnabled(false);
  } catch (...) {
    Application->MessageBox(kSaveFailed, kErrorCaption, MB_OK | MB_ICONERROR);
    Btstart->SetEnabled(true);
    Btstop->SetEnabled(false);
  }
}

bool TForm1::RescueTake() {
  const std::string target = MediaPlayer1->FileName();
  const std::time_t now = std::time(nullptr);
  bool saved = false;
  for (int attempt = 0; attempt < 2 && !saved; ++attempt) {
    std::string folder = attempt == 0 ? ExtractFilePath(target) : UserMusicFolder();
    if (attempt == 1 && !EnsureFolder(folder)) break;
    MediaPlayer1->SetFileName(RescueFileName(folder, target, now));
    MediaPlayer1->Save();
    saved = MediaPlayer1->Error() == 0;
  }
  MediaPlayer1->SetFileName(target);
  return saved;
}

void TForm1::bsSkinButton1Click(TObject*) {
  if (!bsDialog->Execute()) return;
  WindowsMediaPlayer1->SetURL(Utf8ToUtf16(bsDialog->FileName()));
}

void TForm1::TrackBar1Change(TObject*) { SetRightChannelVolume(TrackBar1->Position()); }

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
