// The media player control over libmpv.
#include "platform/ole/MediaPlayerControl.h"

#include <functional>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/windows/Controls.h"
#include "platform/ole/MpvSession.h"

using namespace mediaplayer;

namespace {
constexpr UINT WM_PLAYER_REDRAW = WM_USER + 0x301;
constexpr UINT WM_PLAYER_EVENTS = WM_USER + 0x302;
constexpr double kSeekStep = 5.0;

int ButtonCode(TMouseButton b) { return b == mbLeft ? 1 : b == mbRight ? 2 : 4; }
int ShiftCode(TShiftState s) {
  return (s.Contains(ssShift) ? 1 : 0) | (s.Contains(ssCtrl) ? 2 : 0) | (s.Contains(ssAlt) ? 4 : 0);
}

// The control's own window: shows the frame image and turns input into events.
class TPlayerWindow : public TCustomControl {
 public:
  TPlayerWindow(const TBitmap* frame) : TCustomControl(nullptr), FFrame(frame) {
    FColor = clBlack;
    FParentColor = false;
  }
  std::string ClassName() const override { return "TPlayerWindow"; }

  std::function<void()> OnRedrawMessage;
  std::function<void()> OnEventsMessage;
  std::function<void(TEventId, std::vector<TOleVariant>)> FireEvent;
  std::function<void()> OnTogglePause;
  std::function<void(double seconds)> OnSeekBy;
  bool InputEnabled = true;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_PLAYER_REDRAW) {
      if (OnRedrawMessage) OnRedrawMessage();
      return;
    }
    if (m.Msg == WM_PLAYER_EVENTS) {
      if (OnEventsMessage) OnEventsMessage();
      return;
    }
    TCustomControl::WndProc(m);
  }
  void Paint() override {
    TCanvas* c = Canvas();
    if (FFrame->Width() == Width() && FFrame->Height() == Height()) {
      c->Draw(0, 0, FFrame);
    } else {
      c->Brush()->Color = clBlack;
      c->Brush()->Style = TBrushStyle::bsSolid;
      c->FillRect(Rect(0, 0, Width(), Height()));
    }
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    // The keys below reach the picture once it was clicked.
    if (InputEnabled && CanFocus()) SetFocus();
    Fire(evMouseDown, {TOleVariant::FromInt(ButtonCode(b)), TOleVariant::FromInt(ShiftCode(s)),
                       TOleVariant::FromInt(x), TOleVariant::FromInt(y)});
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    Fire(evMouseUp, {TOleVariant::FromInt(ButtonCode(b)), TOleVariant::FromInt(ShiftCode(s)),
                     TOleVariant::FromInt(x), TOleVariant::FromInt(y)});
  }
  void MouseMove(TShiftState s, int x, int y) override {
    Fire(evMouseMove, {TOleVariant::FromInt(0), TOleVariant::FromInt(ShiftCode(s)), TOleVariant::FromInt(x),
                       TOleVariant::FromInt(y)});
  }
  void Click() override {
    Fire(evClick, {});
    if (InputEnabled && OnTogglePause) OnTogglePause();
  }
  void DblClick() override { Fire(evDoubleClick, {}); }
  void KeyDown(Word& key, TShiftState s) override {
    Fire(evKeyDown, {TOleVariant::FromInt(key), TOleVariant::FromInt(ShiftCode(s))});
    if (!InputEnabled || !OnSeekBy) return;
    if (key == VK_LEFT || key == VK_RIGHT) {
      OnSeekBy(key == VK_LEFT ? -kSeekStep : kSeekStep);  // a held key goes on jumping
      key = 0;
    }
  }
  void KeyUp(Word& key, TShiftState s) override {
    Fire(evKeyUp, {TOleVariant::FromInt(key), TOleVariant::FromInt(ShiftCode(s))});
    // On release: a held Space, repeated, must not flip the pause back and forth.
    if (key == VK_SPACE && InputEnabled && OnTogglePause) {
      OnTogglePause();
      key = 0;
    }
  }
  void KeyPress(char32_t& key) override { Fire(evKeyPress, {TOleVariant::FromInt(std::int32_t(key))}); }

 private:
  void Fire(TEventId id, std::vector<TOleVariant> args) {
    if (InputEnabled && FireEvent) FireEvent(id, std::move(args));
  }
  const TBitmap* FFrame;
};
}  // namespace

struct TMediaPlayerObject::Impl {
  TPlayerSettings Settings;
  std::u16string Url;
  TOleEventSink Sink;
  TBitmap Frame;
  TPlayerWindow* Window = nullptr;
  std::unique_ptr<TMpvSession> Session;
  bool ForceRender = false;
  double Position = 0;
  double Duration = 0;
  int VideoWidth = 0;
  int VideoHeight = 0;
  int PlayState = psUndefined;
  int OpenState = osUndefined;
  bool Paused = false;
  bool Seeking = false;
  double SeekFrom = 0;
  long FramesBefore = 0;
  long DroppedBefore = 0;

  void Fire(TEventId id, std::vector<TOleVariant> args = {}) {
    if (Sink) Sink(id, args);
  }
  void SetPlayState(int s) {
    if (s == PlayState) return;
    PlayState = s;
    Fire(evPlayStateChange, {TOleVariant::FromInt(s)});
  }
  void SetOpenState(int s) {
    if (s == OpenState) return;
    OpenState = s;
    Fire(evOpenStateChange, {TOleVariant::FromInt(s)});
  }
  void Blank() {
    if (!Frame.Empty()) std::fill(Frame.Bits(), Frame.Bits() + size_t(Frame.Width()) * Frame.Height(), TPixel(0));
    if (Window) Window->Invalidate();
  }
  TMpvSession::TSettings SessionSettings() const {
    return {Settings.StretchToFit, Settings.Volume, Settings.Mute};
  }
  void ApplyToWindow() {
    if (!Window) return;
    Window->SetVisible(Settings.UiMode != 0);  // "invisible" shows no video
    Window->InputEnabled = Settings.Enabled;
  }
  void ResizeFrame() {
    if (!Window) return;
    if (Frame.Width() != Window->Width() || Frame.Height() != Window->Height()) {
      Frame.SetSize(Window->Width(), Window->Height());
      Blank();
      ForceRender = true;
      PostMessage(Window->Handle(), WM_PLAYER_REDRAW, 0, 0);
    }
  }
  void OnRedraw() {
    if (!Session) return;
    bool force = ForceRender && PlayState == psPlaying;
    ForceRender = false;
    if (Session->Render(Frame, force)) Window->Invalidate();
  }
  bool CanControl() const {
    return Session && OpenState == osMediaOpen &&
           (PlayState == psPlaying || PlayState == psPaused || PlayState == psTransitioning);
  }
  void TogglePause() {
    if (CanControl()) Session->SetPause(!Paused);
  }
  void SeekBy(double seconds) {
    if (CanControl()) Session->SeekBy(seconds);
  }
  void Open() {
    if (!Session) return;
    // A new file plays at once, whatever the last one was left at.
    if (Paused) Session->SetPause(false);
    Session->Open(Utf16ToUtf8(Url));
    if (Url.empty()) {
      Blank();
      SetPlayState(psStopped);
    }
  }
  void Listen() {
    TMpvSession::TListener l;
    l.FileStarted = [this] {
      Blank();
      Position = Duration = 0;
      SetOpenState(osMediaOpening);
    };
    l.FileLoaded = [this] {
      Seeking = false;
      SetOpenState(osMediaOpen);
      SetPlayState(Paused ? psPaused : psPlaying);
    };
    l.FileEnded = [this](bool error, const std::string&) {
      if (error) {
        Blank();
        SetOpenState(osMediaFailed);
        SetPlayState(psStopped);
        Fire(evMediaError, {TOleVariant::FromString(Url)});
      } else {
        Fire(evEndOfStream, {TOleVariant::FromInt(0)});
        SetPlayState(psMediaEnded);
        SetPlayState(psStopped);
      }
    };
    l.VideoConfigured = [this](bool configured) {
      if (!configured) Blank();
    };
    l.Position = [this](double s) { Position = s; };
    l.Paused = [this](bool paused) {
      Paused = paused;
      if (OpenState == osMediaOpen && (PlayState == psPlaying || PlayState == psPaused))
        SetPlayState(paused ? psPaused : psPlaying);
    };
    l.Seeking = [this] {
      if (!Seeking) SeekFrom = Position;
      Seeking = true;
      if (PlayState == psPlaying || PlayState == psPaused) SetPlayState(psTransitioning);
    };
    l.PlaybackRestarted = [this] {
      if (!Seeking) return;
      Seeking = false;
      if (PlayState == psTransitioning) SetPlayState(Paused ? psPaused : psPlaying);
      double now = Position;
      bool fromSound = false;
      Session->PlayingPosition(now, fromSound);
      Fire(evPositionChange, {TOleVariant::FromReal(SeekFrom), TOleVariant::FromReal(now)});
    };
    l.Duration = [this](double s) { Duration = s; };
    l.VideoSize = [this](int w, int h) {
      VideoWidth = w;
      VideoHeight = h;
    };
    Session->SetListener(std::move(l));
  }
};

TMediaPlayerObject::TMediaPlayerObject() : FImpl(std::make_unique<Impl>()) {}

TMediaPlayerObject::~TMediaPlayerObject() { InPlaceDeactivate(); }

void TMediaPlayerObject::InitNew() {
  FImpl->Settings = TPlayerSettings{};
  FImpl->ApplyToWindow();
  if (FImpl->Session) FImpl->Session->Apply(FImpl->SessionSettings());
}

void TMediaPlayerObject::Load(TStream& stream) {
  Int64 size = stream.Size() - stream.Position();
  if (size < 0 || size > 1 << 20) throw EOleError("Player state is too large");
  std::vector<std::uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0) stream.ReadBuffer(bytes.data(), size);
  FImpl->Settings = TPlayerSettings::Parse(bytes.data(), bytes.size());
  FImpl->ApplyToWindow();
  if (FImpl->Session) FImpl->Session->Apply(FImpl->SessionSettings());
}

void TMediaPlayerObject::Save(TStream& stream) const {
  TPlayerSettings s = FImpl->Settings;
  if (FImpl->Window) {
    s.ExtentWidth = FImpl->Window->Width();
    s.ExtentHeight = FImpl->Window->Height();
  }
  std::vector<std::uint8_t> bytes = s.Serialize();
  stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TMediaPlayerObject::Advise(TOleEventSink sink) { FImpl->Sink = std::move(sink); }

void TMediaPlayerObject::InPlaceActivate(TWinControl* host, const TRect& bounds) {
  if (FImpl->Window) return;
  Impl* impl = FImpl.get();
  auto* window = new TPlayerWindow(&impl->Frame);
  try {
    window->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    window->SetParent(host);
    window->OnRedrawMessage = [impl] { impl->OnRedraw(); };
    window->OnEventsMessage = [impl] {
      if (impl->Session) impl->Session->DrainEvents();
    };
    window->FireEvent = [impl](TEventId id, std::vector<TOleVariant> args) { impl->Fire(id, std::move(args)); };
    window->OnTogglePause = [impl] { impl->TogglePause(); };
    window->OnSeekBy = [impl](double s) { impl->SeekBy(s); };
    impl->Session = std::make_unique<TMpvSession>(window->Handle(), WM_PLAYER_REDRAW, WM_PLAYER_EVENTS,
                                                  impl->SessionSettings());
  } catch (...) {
    impl->Session.reset();
    delete window;
    throw;
  }
  impl->Window = window;
  impl->Listen();
  impl->ApplyToWindow();
  impl->ResizeFrame();
  if (!impl->Url.empty()) impl->Open();
}

void TMediaPlayerObject::SetObjectRects(const TRect& bounds) {
  if (!FImpl->Window) return;
  FImpl->Window->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  FImpl->ResizeFrame();
}

void TMediaPlayerObject::InPlaceDeactivate() {
  // The player stops before its window goes: no callback can reach the window after.
  if (FImpl->Session) {
    FImpl->FramesBefore += FImpl->Session->FramesRendered();
    FImpl->DroppedBefore += FImpl->Session->FramesDropped();
  }
  FImpl->Session.reset();
  delete FImpl->Window;
  FImpl->Window = nullptr;
}

bool TMediaPlayerObject::InPlaceActive() const { return FImpl->Window != nullptr; }

TOleResult TMediaPlayerObject::PutProperty(TDispID id, const TOleVariant& value) {
  TPlayerSettings& s = FImpl->Settings;
  auto wantBool = [&](bool& field) -> TOleResult {
    if (value.Kind() != TOleVariant::TKind::Boolean) return TOleResult::Fail(DISP_E_TYPEMISMATCH, "Type mismatch");
    field = value.AsBool();
    return TOleResult::Ok();
  };
  TOleResult r;
  switch (id) {
    case DispUrl:
      if (!value.IsString()) return TOleResult::Fail(DISP_E_TYPEMISMATCH, "Type mismatch");
      FImpl->Url = value.AsString();
      FImpl->Open();
      return TOleResult::Ok();
    case DispEnabled: r = wantBool(s.Enabled); break;
    case DispFullScreen: r = wantBool(s.FullScreen); break;
    case DispEnableContextMenu: r = wantBool(s.EnableContextMenu); break;
    case DispStretchToFit: r = wantBool(s.StretchToFit); break;
    case DispWindowlessVideo: r = wantBool(s.WindowlessVideo); break;
    case DispUiMode: {
      if (!value.IsString()) return TOleResult::Fail(DISP_E_TYPEMISMATCH, "Type mismatch");
      auto mode = TPlayerSettings::UiModeFromName(value.AsString());
      if (!mode)
        return TOleResult::Fail(E_INVALIDARG, "uiMode \"" + Utf16ToUtf8(value.AsString()) +
                                                  "\" is not one of invisible, none, mini, full, custom");
      s.UiMode = *mode;
      break;
    }
    default:
      return TOleResult::Fail(DISP_E_MEMBERNOTFOUND, Format("Member not found (dispatch identifier %d)", id));
  }
  if (!r.Succeeded()) return r;
  FImpl->ApplyToWindow();
  if (FImpl->Session) FImpl->Session->Apply(FImpl->SessionSettings());
  if (id == DispStretchToFit) FImpl->ForceRender = true;
  return r;
}

TOleResult TMediaPlayerObject::GetProperty(TDispID id, TOleVariant& value) {
  const TPlayerSettings& s = FImpl->Settings;
  switch (id) {
    case DispUrl: value = TOleVariant::FromStringOrNull(FImpl->Url); break;
    case DispEnabled: value = TOleVariant::FromBool(s.Enabled); break;
    case DispFullScreen: value = TOleVariant::FromBool(s.FullScreen); break;
    case DispEnableContextMenu: value = TOleVariant::FromBool(s.EnableContextMenu); break;
    case DispStretchToFit: value = TOleVariant::FromBool(s.StretchToFit); break;
    case DispWindowlessVideo: value = TOleVariant::FromBool(s.WindowlessVideo); break;
    case DispUiMode: value = TOleVariant::FromString(TPlayerSettings::UiModeName(s.UiMode)); break;
    default:
      return TOleResult::Fail(DISP_E_MEMBERNOTFOUND, Format("Member not found (dispatch identifier %d)", id));
  }
  return TOleResult::Ok();
}

const TBitmap& TMediaPlayerObject::FrameImage() const { return FImpl->Frame; }
TWinControl* TMediaPlayerObject::VideoWindow() const { return FImpl->Window; }
const TPlayerSettings& TMediaPlayerObject::Settings() const { return FImpl->Settings; }
const std::u16string& TMediaPlayerObject::URL() const { return FImpl->Url; }
double TMediaPlayerObject::Position() const { return FImpl->Position; }
double TMediaPlayerObject::Duration() const { return FImpl->Duration; }
int TMediaPlayerObject::VideoWidth() const { return FImpl->VideoWidth; }
int TMediaPlayerObject::VideoHeight() const { return FImpl->VideoHeight; }
int TMediaPlayerObject::PlayState() const { return FImpl->PlayState; }
int TMediaPlayerObject::OpenState() const { return FImpl->OpenState; }
bool TMediaPlayerObject::Paused() const { return FImpl->Paused; }
void TMediaPlayerObject::TogglePause() { FImpl->TogglePause(); }
void TMediaPlayerObject::SeekBy(double seconds) { FImpl->SeekBy(seconds); }
bool TMediaPlayerObject::PlayingPosition(double& seconds, bool& fromSound) const {
  return FImpl->Session && FImpl->OpenState == osMediaOpen && FImpl->Session->PlayingPosition(seconds, fromSound);
}

long TMediaPlayerObject::FramesRendered() const {
  return FImpl->FramesBefore + (FImpl->Session ? FImpl->Session->FramesRendered() : 0);
}

long TMediaPlayerObject::FramesDropped() const {
  return FImpl->DroppedBefore + (FImpl->Session ? FImpl->Session->FramesDropped() : 0);
}

void RegisterMediaPlayerControl() {
  RegisterOleControl(ClassId, [] { return std::make_unique<TMediaPlayerObject>(); });
}
