// The media player component of the main window.
#include "media/WindowsMediaPlayer.h"

#include "framework/layout/ClassRegistry.h"

using namespace mediaplayer;

TControlData WindowsMediaPlayerControlData() {
  TControlData d;
  d.ClassID = ClassId;
  d.EventIID = EventInterfaceId;
  d.DefaultIID = DefaultInterfaceId;
  d.Version = 401;
  d.Flags = 0;
  d.EventCount = EventCount;
  return d;
}

TWindowsMediaPlayer::TWindowsMediaPlayer(TComponent* AOwner)
    : TOleControl(AOwner, WindowsMediaPlayerControlData()) {}

TMediaPlayerObject* TWindowsMediaPlayer::Player() const { return dynamic_cast<TMediaPlayerObject*>(OleObject()); }

std::u16string TWindowsMediaPlayer::URL() { return GetWideStringProp(DispUrl); }
void TWindowsMediaPlayer::SetURL(const std::u16string& value) { SetWideStringProp(DispUrl, value); }
bool TWindowsMediaPlayer::enabled() { return GetWordBoolProp(DispEnabled); }
void TWindowsMediaPlayer::Setenabled(bool value) { SetWordBoolProp(DispEnabled, value); }
bool TWindowsMediaPlayer::fullScreen() { return GetWordBoolProp(DispFullScreen); }
void TWindowsMediaPlayer::SetfullScreen(bool value) { SetWordBoolProp(DispFullScreen, value); }
bool TWindowsMediaPlayer::enableContextMenu() { return GetWordBoolProp(DispEnableContextMenu); }
void TWindowsMediaPlayer::SetenableContextMenu(bool value) { SetWordBoolProp(DispEnableContextMenu, value); }
std::u16string TWindowsMediaPlayer::uiMode() { return GetWideStringProp(DispUiMode); }
void TWindowsMediaPlayer::SetuiMode(const std::u16string& value) { SetWideStringProp(DispUiMode, value); }
bool TWindowsMediaPlayer::stretchToFit() { return GetWordBoolProp(DispStretchToFit); }
void TWindowsMediaPlayer::SetstretchToFit(bool value) { SetWordBoolProp(DispStretchToFit, value); }
bool TWindowsMediaPlayer::windowlessVideo() { return GetWordBoolProp(DispWindowlessVideo); }
void TWindowsMediaPlayer::SetwindowlessVideo(bool value) { SetWordBoolProp(DispWindowlessVideo, value); }

TWMPMedia TWindowsMediaPlayer::currentMedia() {
  CreateControl();
  TMediaPlayerObject* p = Player();
  TWMPMedia m;
  m.sourceURL = p->URL();
  m.duration = p->Duration();
  m.imageSourceWidth = p->VideoWidth();
  m.imageSourceHeight = p->VideoHeight();
  return m;
}

TWMPPlaylist TWindowsMediaPlayer::currentPlaylist() {
  CreateControl();
  TWMPPlaylist l;
  if (!Player()->URL().empty()) l.items.push_back(Player()->URL());
  l.count = static_cast<int>(l.items.size());
  return l;
}

TWMPEvent* TWindowsMediaPlayer::EventSlot(TDispID event) {
  TWMPEvent* slots[] = {
      &OnOpenStateChange, &OnPlayStateChange, &OnAudioLanguageChange, &OnStatusChange, &OnScriptCommand,
      &OnNewStream, &OnDisconnect, &OnBuffering, &OnError, &OnWarning, &OnEndOfStream, &OnPositionChange,
      &OnMarkerHit, &OnDurationUnitChange, &OnCdromMediaChange, &OnPlaylistChange, &OnCurrentPlaylistChange,
      &OnCurrentPlaylistItemAvailable, &OnMediaChange, &OnCurrentMediaItemAvailable, &OnCurrentItemChange,
      &OnMediaCollectionChange, &OnMediaCollectionAttributeStringAdded, &OnMediaCollectionAttributeStringRemoved,
      &OnMediaCollectionAttributeStringChanged, &OnPlaylistCollectionChange, &OnPlaylistCollectionPlaylistAdded,
      &OnPlaylistCollectionPlaylistRemoved, &OnPlaylistCollectionPlaylistSetAsDeleted, &OnModeChange,
      &OnMediaError, &OnOpenPlaylistSwitch, &OnDomainChange, &OnSwitchedToPlayerApplication,
      &OnSwitchedToControl, &OnPlayerDockedStateChange, &OnPlayerReconnect, &OnClick, &OnDoubleClick,
      &OnKeyDown, &OnKeyPress, &OnKeyUp, &OnMouseDown, &OnMouseMove, &OnMouseUp,
  };
  static_assert(sizeof(slots) / sizeof(slots[0]) == EventCount);
  if (event < 1 || event > EventCount) return nullptr;
  return slots[event - 1];
}

void TWindowsMediaPlayer::InvokeEvent(TDispID event, const std::vector<TOleVariant>& args) {
  TWMPEvent* slot = EventSlot(event);
  if (slot && *slot) (*slot)(this, args);
}

void RegisterWindowsMediaPlayerClass() {
  RegisterMediaPlayerControl();
  TClassRegistry& r = ClassRegistry();
  // The host class is abstract (it needs a class identifier): a root-only entry that
  // carries the stored state block for every hosted control.
  r.RegisterRootClass<TOleControl>("TOleControl", "TWinControl")
      .Binary("ControlData", &TOleControl::StoredState, &TOleControl::SetStoredState);
  r.RegisterClass<TWindowsMediaPlayer>("TWindowsMediaPlayer", "TOleControl");
}
