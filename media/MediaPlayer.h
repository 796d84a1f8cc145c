#pragma once
// TMediaPlayer: drives one media-control device through command messages (open, record,
// stop, save, close and the bar's commands), turns failed opens into EMCIDeviceError,
// keeps the last error of every other command, and answers the device's notifications.
// It carries a bar of nine buttons for manual control.
#include <array>
#include <memory>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/Set.h"
#include "framework/windows/Controls.h"
#include "platform/mci/Mci.h"

class TBitmap;

class EMCIDeviceError : public Exception {
  using Exception::Exception;
};

enum class TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
using TButtonSet = TSet<TMPBtnType>;
constexpr auto btPlay = TMPBtnType::btPlay;
constexpr auto btPause = TMPBtnType::btPause;
constexpr auto btStop = TMPBtnType::btStop;
constexpr auto btNext = TMPBtnType::btNext;
constexpr auto btPrev = TMPBtnType::btPrev;
constexpr auto btStep = TMPBtnType::btStep;
constexpr auto btBack = TMPBtnType::btBack;
constexpr auto btRecord = TMPBtnType::btRecord;
constexpr auto btEject = TMPBtnType::btEject;
constexpr TButtonSet kAllMPButtons = TButtonSet::FromBits(0x1FF);

enum class TMPDeviceTypes {
  dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther,
  dtOverlay, dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio
};
constexpr auto dtAutoSelect = TMPDeviceTypes::dtAutoSelect;
constexpr auto dtAVIVideo = TMPDeviceTypes::dtAVIVideo;
constexpr auto dtCDAudio = TMPDeviceTypes::dtCDAudio;
constexpr auto dtVideodisc = TMPDeviceTypes::dtVideodisc;
constexpr auto dtWaveAudio = TMPDeviceTypes::dtWaveAudio;
// The device-type name sent with MCI_OPEN_TYPE ("" for dtAutoSelect).
const char* MPDeviceTypeName(TMPDeviceTypes t);

enum class TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };
enum class TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

using EMPNotify = std::function<void(TObject* Sender, TMPBtnType Button, bool& DoDefault)>;
using EMPPostNotify = std::function<void(TObject* Sender, TMPBtnType Button)>;

class TMediaPlayer : public TCustomControl {
 public:
  explicit TMediaPlayer(TComponent* AOwner);
  ~TMediaPlayer() override;
  std::string ClassName() const override { return "TMediaPlayer"; }

  // Published properties.
  TMPDeviceTypes DeviceType() const { return FDeviceType; }
  void SetDeviceType(TMPDeviceTypes v) { FDeviceType = v; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& v) { FFileName = v; }
  bool AutoOpen() const { return FAutoOpen; }
  void SetAutoOpen(bool v) { FAutoOpen = v; }
  bool Shareable() const { return FShareable; }
  void SetShareable(bool v) { FShareable = v; }
  bool AutoEnable() const { return FAutoEnable; }
  void SetAutoEnable(bool v) { FAutoEnable = v; }
  bool AutoRewind() const { return FAutoRewind; }
  void SetAutoRewind(bool v) { FAutoRewind = v; }
  TWinControl* Display() const { return FDisplay; }
  void SetDisplay(TWinControl* v);
  TButtonSet VisibleButtons() const { return FVisibleButtons; }
  void SetVisibleButtons(TButtonSet v);
  TButtonSet EnabledButtons() const { return FEnabledButtons; }
  void SetEnabledButtons(TButtonSet v);
  TButtonSet ColoredButtons() const { return FColoredButtons; }
  void SetColoredButtons(TButtonSet v);
  TNotifyEvent OnNotify;
  EMPNotify OnClick;
  EMPPostNotify OnPostClick;

  // Commands. Open raises EMCIDeviceError on failure; the others (but for "No MCI device
  // open") keep the device's answer in Error().
  void Open();
  void Close();
  void StartRecording();
  void Stop();
  void Save();
  void Play();
  void Pause();
  void Next();
  void Previous();
  void Step();
  void Back();
  void Eject();

  // One-shot overrides, consumed by the next command that reads them.
  void SetWait(bool v) { FUseWait = true; FWait = v; }
  void SetNotify(bool v) { FUseNotify = true; FNotify = v; }
  void SetStartPos(DWORD v) { FUseFrom = true; FFrom = v; }
  void SetEndPos(DWORD v) { FUseTo = true; FTo = v; }

  // Run-time state.
  bool Opened() const { return FMCIOpened; }
  MCIDEVICEID DeviceID() const { return FDeviceID; }
  // Last error of the commands that keep it; 0 = success.
  MCIERROR Error() const { return FError; }
  // The device's text for Error() ("" for success, "Unknown error code" when it has none).
  std::string ErrorMessage() const;
  DWORD LastFlags() const { return FFlags; }
  TMPNotifyValues NotifyValue() const { return FNotifyValue; }
  TMPModes Mode();
  DWORD Length();
  bool CanPlay() const { return FCanPlay; }
  bool CanRecord() const { return FCanRecord; }
  bool CanEject() const { return FCanEject; }
  bool HasVideo() const { return FHasVideo; }
  bool CanStep() const { return FCanStep; }
  DWORD Frames() const { return FFrames; }
  TRect DisplayRect() const { return FDisplayRect; }
  // The bar button under a client point, or -1.
  int ButtonAt(int x, int y) const;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  DWORD WaitFirstFlags();    // open, stop, save, close ...
  DWORD NotifyFirstFlags();  // play and record
  // MCI_FROM / MCI_TO for the one-shot start and end positions, which it consumes.
  template <class TParms>
  DWORD TakeRange(TParms& p);
  void CheckIfOpen() const;
  MCIERROR Send(UINT message, DWORD flags, void* params);
  DWORD StatusItem(DWORD item, bool* ok = nullptr);
  DWORD DevCap(DWORD item);
  void ReadCapabilities();
  void AutoButtonsAfterOpen();
  void MMNotify(TMessage& Message);
  void ClickButton(TMPBtnType b);
  const TBitmap* ButtonBitmap(TMPBtnType b);

  TMPDeviceTypes FDeviceType = dtAutoSelect;
  std::string FFileName;
  bool FAutoOpen = false, FShareable = false, FAutoEnable = true, FAutoRewind = true;
  TWinControl* FDisplay = nullptr;
  TButtonSet FVisibleButtons = kAllMPButtons, FEnabledButtons = kAllMPButtons, FColoredButtons = kAllMPButtons;

  bool FMCIOpened = false;
  MCIDEVICEID FDeviceID = 0;
  MCIERROR FError = 0;
  DWORD FFlags = 0;
  bool FUseWait = false, FWait = false, FUseNotify = false, FNotify = false;
  bool FUseFrom = false, FUseTo = false;
  DWORD FFrom = 0, FTo = 0;
  bool FCanPlay = false, FCanRecord = false, FCanEject = false, FHasVideo = false, FCanStep = false;
  DWORD FFrames = 0;
  TRect FDisplayRect;
  TMPNotifyValues FNotifyValue = TMPNotifyValues::nvSuccessful;
  bool FPaused = false;
  int FPressed = -1;
  // [state][button]: enabled, disabled, coloured.
  std::array<std::array<std::unique_ptr<TBitmap>, 9>, 3> FBitmaps;
};

// Makes the classes of this folder known to stored layouts.
void RegisterMediaPlayerClass();
