#pragma once
// TWindowsMediaPlayer: the hosted media player control as a component of the main
// window. Its properties go to the control by dispatch identifier (none is stored with
// the form); the control's own settings travel as the stored block "ControlData".
// The 45 event slots are the control's events; this program assigns none of them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ole/MediaPlayerControl.h"
#include "platform/ole/OleControl.h"

// Arguments of an event, in the order the control passes them. The ones this control
// fires: OpenStateChange / PlayStateChange (new state), EndOfStream (result),
// MediaError (the URL), Click / DoubleClick (none), MouseDown / MouseMove / MouseUp
// (button, shift state, x, y), KeyDown / KeyUp (key code, shift state), KeyPress (char).
using TWMPEventArgs = std::vector<TOleVariant>;
using TWMPEvent = std::function<void(TObject* Sender, const TWMPEventArgs& Args)>;

// The media the control plays, as it reports it.
struct TWMPMedia {
  std::u16string sourceURL;
  double duration = 0;
  int imageSourceWidth = 0;
  int imageSourceHeight = 0;
};

// The control's play list: the one item it was given.
struct TWMPPlaylist {
  int count = 0;
  std::vector<std::u16string> items;
};

class TWindowsMediaPlayer : public TOleControl {
 public:
  explicit TWindowsMediaPlayer(TComponent* AOwner);
  std::string ClassName() const override { return "TWindowsMediaPlayer"; }

  std::u16string URL();
  void SetURL(const std::u16string& value);
  bool enabled();
  void Setenabled(bool value);
  bool fullScreen();
  void SetfullScreen(bool value);
  bool enableContextMenu();
  void SetenableContextMenu(bool value);
  std::u16string uiMode();
  void SetuiMode(const std::u16string& value);
  bool stretchToFit();
  void SetstretchToFit(bool value);
  bool windowlessVideo();
  void SetwindowlessVideo(bool value);
  TWMPMedia currentMedia();
  TWMPPlaylist currentPlaylist();

  // The hosted control itself (what it shows, where it is in the file).
  TMediaPlayerObject* Player() const;

  TWMPEvent OnOpenStateChange;
  TWMPEvent OnPlayStateChange;
  TWMPEvent OnAudioLanguageChange;
  TWMPEvent OnStatusChange;
  TWMPEvent OnScriptCommand;
  TWMPEvent OnNewStream;
  TWMPEvent OnDisconnect;
  TWMPEvent OnBuffering;
  TWMPEvent OnError;
  TWMPEvent OnWarning;
  TWMPEvent OnEndOfStream;
  TWMPEvent OnPositionChange;
  TWMPEvent OnMarkerHit;
  TWMPEvent OnDurationUnitChange;
  TWMPEvent OnCdromMediaChange;
  TWMPEvent OnPlaylistChange;
  TWMPEvent OnCurrentPlaylistChange;
  TWMPEvent OnCurrentPlaylistItemAvailable;
  TWMPEvent OnMediaChange;
  TWMPEvent OnCurrentMediaItemAvailable;
  TWMPEvent OnCurrentItemChange;
  TWMPEvent OnMediaCollectionChange;
  TWMPEvent OnMediaCollectionAttributeStringAdded;
  TWMPEvent OnMediaCollectionAttributeStringRemoved;
  TWMPEvent OnMediaCollectionAttributeStringChanged;
  TWMPEvent OnPlaylistCollectionChange;
  TWMPEvent OnPlaylistCollectionPlaylistAdded;
  TWMPEvent OnPlaylistCollectionPlaylistRemoved;
  TWMPEvent OnPlaylistCollectionPlaylistSetAsDeleted;
  TWMPEvent OnModeChange;
  TWMPEvent OnMediaError;
  TWMPEvent OnOpenPlaylistSwitch;
  TWMPEvent OnDomainChange;
  TWMPEvent OnSwitchedToPlayerApplication;
  TWMPEvent OnSwitchedToControl;
  TWMPEvent OnPlayerDockedStateChange;
  TWMPEvent OnPlayerReconnect;
  TWMPEvent OnClick;
  TWMPEvent OnDoubleClick;
  TWMPEvent OnKeyDown;
  TWMPEvent OnKeyPress;
  TWMPEvent OnKeyUp;
  TWMPEvent OnMouseDown;
  TWMPEvent OnMouseMove;
  TWMPEvent OnMouseUp;

  // The slot of an event identifier (nullptr for one the control does not have).
  TWMPEvent* EventSlot(TDispID event);

 protected:
  void InvokeEvent(TDispID event, const std::vector<TOleVariant>& args) override;
};

// The identity the player is created with.
TControlData WindowsMediaPlayerControlData();
// Registers the control with the host and the class and its properties (including the
// "ControlData" block) with the layout registry.
void RegisterWindowsMediaPlayerClass();
