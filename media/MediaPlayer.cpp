#include "media/MediaPlayer.h"

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "media/MediaPlayerBar.h"

namespace {
struct TStepParms {
  DWORD_PTR dwCallback = 0;
  DWORD dwFrames = 0;
};
constexpr DWORD kStepFrames = 0x00010000;   // frames given in the parameter block
constexpr DWORD kStepReverse = 0x00020000;  // step backwards
constexpr DWORD kSetTMSF = MCI_NOTIFY | MCI_SET_TIME_FORMAT;  // 0x401, as the classic component sends it
constexpr int kDefaultWidth = 240, kDefaultHeight = 30;
}  // namespace

const char* MPDeviceTypeName(TMPDeviceTypes t) {
  static const char* kNames[] = {"",     "AVIVideo", "CDAudio",   "DAT",       "DigitalVideo", "MMMovie",  "Other",
                                 "Overlay", "Scanner", "Sequencer", "VCR", "Videodisc",    "WaveAudio"};
  return kNames[static_cast<int>(t)];
}

TMediaPlayer::TMediaPlayer(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(Left(), Top(), kDefaultWidth, kDefaultHeight);
}

TMediaPlayer::~TMediaPlayer() {
  // Closing discards whatever the device holds unsaved; nobody is told.
  if (FDeviceID != 0) {
    MCI_GENERIC_PARMS p;
    mciSendCommand(FDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p));
  }
  if (FDisplay) FDisplay->RemoveFreeNotification(this);
}

void TMediaPlayer::SetDisplay(TWinControl* v) {
  if (FDisplay == v) return;
  if (FDisplay) FDisplay->RemoveFreeNotification(this);
  FDisplay = v;
  if (FDisplay) FDisplay->FreeNotification(this);
}

void TMediaPlayer::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDisplay) FDisplay = nullptr;
}

void TMediaPlayer::SetVisibleButtons(TButtonSet v) {
  FVisibleButtons = v;
  Invalidate();
}
void TMediaPlayer::SetEnabledButtons(TButtonSet v) {
  FEnabledButtons = v;
  Invalidate();
}
void TMediaPlayer::SetColoredButtons(TButtonSet v) {
  FColoredButtons = v;
  Invalidate();
}

void TMediaPlayer::Loaded() {
  TCustomControl::Loaded();
  if (FAutoOpen && !ComponentState().Contains(csDesigning)) Open();
}

DWORD TMediaPlayer::WaitFirstFlags() {
  DWORD f = FUseWait ? (FWait ? MCI_WAIT : 0) : MCI_WAIT;
  if (FUseNotify && FNotify) f |= MCI_NOTIFY;
  FUseWait = FUseNotify = false;
  return f;
}

DWORD TMediaPlayer::NotifyFirstFlags() {
  DWORD f = FUseNotify ? (FNotify ? MCI_NOTIFY : 0) : MCI_NOTIFY;
  if (FUseWait && FWait) f |= MCI_WAIT;
  FUseWait = FUseNotify = false;
  return f;
}

void TMediaPlayer::CheckIfOpen() const {
  if (!FMCIOpened) throw EMCIDeviceError("No MCI device open");
}

MCIERROR TMediaPlayer::Send(UINT message, DWORD flags, void* params) {
  // Every block starts with the callback field: notifications come to this window.
  static_cast<MCI_GENERIC_PARMS*>(params)->dwCallback = Handle();
  FFlags = flags;
  FError = mciSendCommand(message == MCI_OPEN ? 0 : FDeviceID, message, flags, reinterpret_cast<DWORD_PTR>(params));
  return FError;
}

std::string TMediaPlayer::ErrorMessage() const {
  if (FError == 0) return "";
  std::vector<char> buf(4096);
  if (!mciGetErrorString(FError, buf.data(), static_cast<UINT>(buf.size()))) return "Unknown error code";
  return buf.data();
}

DWORD TMediaPlayer::StatusItem(DWORD item, bool* ok) {
  MCI_STATUS_PARMS p;
  p.dwCallback = Handle();
  p.dwItem = item;
  MCIERROR e = mciSendCommand(FDeviceID, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&p));
  if (ok) *ok = e == 0;
  return e == 0 ? static_cast<DWORD>(p.dwReturn) : 0;
}

DWORD TMediaPlayer::DevCap(DWORD item) {
  MCI_GETDEVCAPS_PARMS p;
  p.dwCallback = Handle();
  p.dwItem = item;
  MCIERROR e = mciSendCommand(FDeviceID, MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, reinterpret_cast<DWORD_PTR>(&p));
  return e == 0 ? p.dwReturn : 0;
}

TMPModes TMediaPlayer::Mode() {
  bool ok = false;
  DWORD m = FDeviceID ? StatusItem(MCI_STATUS_MODE, &ok) : 0;
  if (!ok || m < MCI_MODE_NOT_READY || m > MCI_MODE_OPEN) return TMPModes::mpNotReady;
  return static_cast<TMPModes>(m - MCI_MODE_NOT_READY);
}

DWORD TMediaPlayer::Length() { return FDeviceID ? StatusItem(MCI_STATUS_LENGTH) : 0; }

void TMediaPlayer::ReadCapabilities() {
  FCanPlay = DevCap(MCI_GETDEVCAPS_CAN_PLAY) != 0;
  FCanRecord = DevCap(MCI_GETDEVCAPS_CAN_RECORD) != 0;
  FCanEject = DevCap(MCI_GETDEVCAPS_CAN_EJECT) != 0;
  FHasVideo = DevCap(MCI_GETDEVCAPS_HAS_VIDEO) != 0;
  DWORD type = DevCap(MCI_GETDEVCAPS_DEVICE_TYPE);
  FCanStep = type == MCI_DEVTYPE_VCR || type == MCI_DEVTYPE_OVERLAY || type == MCI_DEVTYPE_ANIMATION ||
             type == MCI_DEVTYPE_DIGITAL_VIDEO;
  // The result of where is not the component's business: a device without it leaves 0 × 0.
  MCI_ANIM_RECT_PARMS where;
  where.dwCallback = Handle();
  FDisplayRect = {};
  if (mciSendCommand(FDeviceID, MCI_WHERE, MCI_ANIM_WHERE_SOURCE, reinterpret_cast<DWORD_PTR>(&where)) == 0)
    FDisplayRect = Rect(0, 0, where.rc.Width(), where.rc.Height());
}

void TMediaPlayer::Open() {
  if (FMCIOpened) Close();
  MCI_OPEN_PARMS p;
  p.lpstrDeviceType = MPDeviceTypeName(FDeviceType);
  p.lpstrElementName = FFileName.c_str();
  p.lpstrAlias = nullptr;
  DWORD flags = WaitFirstFlags() | (FDeviceType == dtAutoSelect ? MCI_OPEN_ELEMENT : MCI_OPEN_TYPE);
  if (FShareable) flags |= MCI_OPEN_SHAREABLE;
  if (Send(MCI_OPEN, flags, &p) != 0) throw EMCIDeviceError(ErrorMessage());
  FMCIOpened = true;
  FDeviceID = p.wDeviceID;
  FFrames = Length() / 10;
  ReadCapabilities();
  if (FHasVideo) {
    if (FDisplay) {
      MCI_ANIM_WINDOW_PARMS w;
      w.dwCallback = Handle();
      w.hWnd = FDisplay->Handle();
      mciSendCommand(FDeviceID, MCI_WINDOW, MCI_WAIT | MCI_ANIM_WINDOW_HWND, reinterpret_cast<DWORD_PTR>(&w));
    }
    MCI_ANIM_RECT_PARMS where;
    where.dwCallback = Handle();
    if (mciSendCommand(FDeviceID, MCI_WHERE, MCI_ANIM_WHERE_DESTINATION, reinterpret_cast<DWORD_PTR>(&where)) == 0)
      FDisplayRect = Rect(0, 0, where.rc.Width(), where.rc.Height());
  }
  if (FDeviceType == TMPDeviceTypes::dtCDAudio || FDeviceType == dtVideodisc) {
    MCI_SET_PARMS s;
    s.dwCallback = Handle();
    s.dwTimeFormat = MCI_FORMAT_TMSF;
    mciSendCommand(FDeviceID, MCI_SET, kSetTMSF, reinterpret_cast<DWORD_PTR>(&s));
  }
  AutoButtonsAfterOpen();
}

void TMediaPlayer::AutoButtonsAfterOpen() {
  if (!FAutoEnable) return;
  TButtonSet b{btNext, btPrev};
  if (FCanStep) b = b + btStep + btBack;
  if (FCanPlay) b.Include(btPlay);
  if (FCanRecord) b.Include(btRecord);
  if (FCanEject) b.Include(btEject);
  if (Mode() == TMPModes::mpPlaying) b = b - btPlay - btRecord + btPause + btStop;  // as after a press of play
  SetEnabledButtons(b);
}

void TMediaPlayer::Close() {
  if (FDeviceID == 0) return;
  MCI_GENERIC_PARMS p;
  if (Send(MCI_CLOSE, WaitFirstFlags(), &p) != 0) return;  // the device stays open
  FMCIOpened = false;
  FDeviceID = 0;
  FPaused = false;
  SetEnabledButtons({});
}

template <class TParms>
DWORD TMediaPlayer::TakeRange(TParms& p) {
  DWORD flags = 0;
  if (FUseFrom) {
    flags |= MCI_FROM;
    p.dwFrom = FFrom;
  }
  if (FUseTo) {
    flags |= MCI_TO;
    p.dwTo = FTo;
  }
  FUseFrom = FUseTo = false;
  return flags;
}

void TMediaPlayer::StartRecording() {
  CheckIfOpen();
  MCI_RECORD_PARMS p;
  const DWORD flags = NotifyFirstFlags() | TakeRange(p);
  if (Send(MCI_RECORD, flags, &p) == 0 && FAutoEnable)
    SetEnabledButtons(FEnabledButtons - btPlay - btRecord + btStop + btPause);
}

void TMediaPlayer::Stop() {
  CheckIfOpen();
  MCI_GENERIC_PARMS p;
  if (Send(MCI_STOP, WaitFirstFlags(), &p) == 0 && FAutoEnable) {
    TButtonSet b = FEnabledButtons - btStop - btPause;
    if (FCanPlay) b.Include(btPlay);
    if (FCanRecord) b.Include(btRecord);
    SetEnabledButtons(b);
  }
  FPaused = false;
}

void TMediaPlayer::Save() {
  CheckIfOpen();
  if (FFileName.empty()) return;
  MCI_SAVE_PARMS p;
  p.lpfilename = FFileName.c_str();
  Send(MCI_SAVE, WaitFirstFlags() | MCI_SAVE_FILE, &p);
}

void TMediaPlayer::Play() {
  CheckIfOpen();
  if (FAutoRewind && !FUseFrom && Mode() != TMPModes::mpPlaying) {
    bool ok = false;
    DWORD pos = StatusItem(MCI_STATUS_POSITION, &ok);
    DWORD len = Length();
    if (ok && len > 0 && pos >= len) {
      MCI_SEEK_PARMS s;
      s.dwCallback = Handle();
      mciSendCommand(FDeviceID, MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&s));
    }
  }
  MCI_PLAY_PARMS p;
  const DWORD flags = NotifyFirstFlags() | TakeRange(p);
  if (Send(MCI_PLAY, flags, &p) == 0 && FAutoEnable)
    SetEnabledButtons(FEnabledButtons - btPlay - btRecord + btStop + btPause);
  FPaused = false;
}

void TMediaPlayer::Pause() {
  CheckIfOpen();
  MCI_GENERIC_PARMS p;
  // A second press carries on where the first one paused.
  if (Send(FPaused ? MCI_RESUME : MCI_PAUSE, WaitFirstFlags(), &p) == 0) FPaused = !FPaused;
}

void TMediaPlayer::Next() {
  CheckIfOpen();
  MCI_SEEK_PARMS p;
  Send(MCI_SEEK, WaitFirstFlags() | MCI_SEEK_TO_END, &p);
}

void TMediaPlayer::Previous() {
  CheckIfOpen();
  MCI_SEEK_PARMS p;
  Send(MCI_SEEK, WaitFirstFlags() | MCI_SEEK_TO_START, &p);
}

void TMediaPlayer::Step() {
  CheckIfOpen();
  TStepParms p;
  p.dwFrames = FFrames;
  Send(MCI_STEP, WaitFirstFlags() | kStepFrames, &p);
}

void TMediaPlayer::Back() {
  CheckIfOpen();
  TStepParms p;
  p.dwFrames = FFrames;
  Send(MCI_STEP, WaitFirstFlags() | kStepFrames | kStepReverse, &p);
}

void TMediaPlayer::Eject() {
  CheckIfOpen();
  MCI_SET_PARMS p;
  Send(MCI_SET, WaitFirstFlags() | MCI_SET_DOOR_OPEN, &p);
}

void TMediaPlayer::WndProc(TMessage& Message) {
  if (Message.Msg == MM_MCINOTIFY) {
    MMNotify(Message);
    return;
  }
  TCustomControl::WndProc(Message);
}

void TMediaPlayer::MMNotify(TMessage& Message) {
  if (FAutoEnable && FDeviceID != 0 && Mode() == TMPModes::mpStopped) {
    TButtonSet b = FEnabledButtons - btPause - btStop;
    if (FCanPlay) b.Include(btPlay);
    if (FCanRecord) b.Include(btRecord);
    SetEnabledButtons(b);
  }
  switch (Message.WParam) {
    case MCI_NOTIFY_SUCCESSFUL: FNotifyValue = TMPNotifyValues::nvSuccessful; break;
    case MCI_NOTIFY_SUPERSEDED: FNotifyValue = TMPNotifyValues::nvSuperseded; break;
    case MCI_NOTIFY_ABORTED: FNotifyValue = TMPNotifyValues::nvAborted; break;
    case MCI_NOTIFY_FAILURE: FNotifyValue = TMPNotifyValues::nvFailure; break;
    default: break;
  }
  if (OnNotify) OnNotify(this);
}

// ---- the button bar ----

int TMediaPlayer::ButtonAt(int x, int y) const {
  auto rects = MediaPlayerButtonRects(FVisibleButtons, Width(), Height());
  for (int b = 0; b < 9; ++b)
    if (PtInRect(rects[static_cast<size_t>(b)], {x, y})) return b;
  return -1;
}

const TBitmap* TMediaPlayer::ButtonBitmap(TMPBtnType b) {
  int state = 1;  // disabled
  if (Enabled() && FEnabledButtons.Contains(b)) state = FColoredButtons.Contains(b) ? 2 : 0;
  auto& slot = FBitmaps[static_cast<size_t>(state)][static_cast<size_t>(b)];
  if (!slot) {
    static const char* kPrefix[] = {"EN", "DI", "CL"};
    slot = MakeMediaPlayerBitmap(Format("%s_%s", kPrefix[state], MediaPlayerButtonName(b)));
  }
  return slot.get();
}

void TMediaPlayer::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->Color = clBtnFace;
  c->FillRect(Rect(0, 0, Width(), Height()));
  auto rects = MediaPlayerButtonRects(FVisibleButtons, Width(), Height());
  for (int i = 0; i < 9; ++i) {
    const TRect& r = rects[static_cast<size_t>(i)];
    if (IsRectEmpty(r)) continue;
    auto b = static_cast<TMPBtnType>(i);
    DrawMediaPlayerButton(c, r, ButtonBitmap(b), FPressed == i);
  }
}

void TMediaPlayer::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  int b = ButtonAt(X, Y);
  if (Button != TMouseButton::mbLeft || b < 0 || !FEnabledButtons.Contains(static_cast<TMPBtnType>(b))) return;
  FPressed = b;
  Invalidate();
}

void TMediaPlayer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  int pressed = FPressed;
  FPressed = -1;
  if (pressed < 0) return;
  Invalidate();
  if (ButtonAt(X, Y) == pressed) ClickButton(static_cast<TMPBtnType>(pressed));
}

void TMediaPlayer::ClickButton(TMPBtnType b) {
  bool doDefault = true;
  if (OnClick) OnClick(this, b, doDefault);
  if (doDefault) {
    switch (b) {
      case btPlay: Play(); break;
      case btPause: Pause(); break;
      case btStop: Stop(); break;
      case btNext: Next(); break;
      case btPrev: Previous(); break;
      case btStep: Step(); break;
      case btBack: Back(); break;
      case btRecord: StartRecording(); break;
      case btEject: Eject(); break;
    }
  }
  if (OnPostClick) OnPostClick(this, b);
}
