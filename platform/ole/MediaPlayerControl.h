#pragma once
// The media player control: registered under its class identifier, it decodes and plays
// with libmpv, draws the video into its own off-screen image (scaled into its window
// with the aspect kept, black bars around) and plays the sound on the default output.
// Setting URL opens and plays the file at once; a file that cannot be played leaves the
// image black. The other properties are kept and saved with the stored state.
// Its own controls, while a file is open and the control is enabled: a click on the
// picture or the Space key pauses and resumes (PlayStateChange psPaused / psPlaying),
// Left and Right jump 5 s back and on (PlayStateChange psTransitioning while the jump
// runs, then PositionChange with the old and new position).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ole/Ole.h"
#include "platform/ole/PlayerSettings.h"

class TBitmap;
class TWinControl;

namespace mediaplayer {
inline constexpr const char* ClassId = "{6BF52A52-394A-11D3-B153-00C04F79FAA6}";
inline constexpr const char* EventInterfaceId = "{6BF52A51-394A-11D3-B153-00C04F79FAA6}";
inline constexpr const char* DefaultInterfaceId = "{6C497D62-8919-413C-82DB-E935FB3EC584}";
inline constexpr int EventCount = 45;

constexpr TDispID DispUrl = 1;
constexpr TDispID DispEnabled = 19;
constexpr TDispID DispFullScreen = 21;
constexpr TDispID DispEnableContextMenu = 22;
constexpr TDispID DispUiMode = 23;
constexpr TDispID DispStretchToFit = 24;
constexpr TDispID DispWindowlessVideo = 25;

// Event identifiers of this control, in the order its event interface lists them.
enum TEventId : TDispID {
  evOpenStateChange = 1, evPlayStateChange, evAudioLanguageChange, evStatusChange, evScriptCommand,
  evNewStream, evDisconnect, evBuffering, evError, evWarning, evEndOfStream, evPositionChange,
  evMarkerHit, evDurationUnitChange, evCdromMediaChange, evPlaylistChange, evCurrentPlaylistChange,
  evCurrentPlaylistItemAvailable, evMediaChange, evCurrentMediaItemAvailable, evCurrentItemChange,
  evMediaCollectionChange, evMediaCollectionAttributeStringAdded, evMediaCollectionAttributeStringRemoved,
  evMediaCollectionAttributeStringChanged, evPlaylistCollectionChange, evPlaylistCollectionPlaylistAdded,
  evPlaylistCollectionPlaylistRemoved, evPlaylistCollectionPlaylistSetAsDeleted, evModeChange,
  evMediaError, evOpenPlaylistSwitch, evDomainChange, evSwitchedToPlayerApplication, evSwitchedToControl,
  evPlayerDockedStateChange, evPlayerReconnect, evClick, evDoubleClick, evKeyDown, evKeyPress, evKeyUp,
  evMouseDown, evMouseMove, evMouseUp
};
static_assert(evMouseUp == EventCount);

// States reported with evPlayStateChange / evOpenStateChange.
enum TPlayState { psUndefined = 0, psStopped = 1, psPaused = 2, psPlaying = 3, psMediaEnded = 8, psTransitioning = 9 };
enum TOpenState { osUndefined = 0, osMediaOpening = 1, osMediaOpen = 2, osMediaFailed = 3 };
}  // namespace mediaplayer

class TMediaPlayerObject : public IOleControlObject {
 public:
  TMediaPlayerObject();
  ~TMediaPlayerObject() override;

  void InitNew() override;
  void Load(TStream& stream) override;
  void Save(TStream& stream) const override;
  void Advise(TOleEventSink sink) override;
  void InPlaceActivate(TWinControl* host, const TRect& bounds) override;
  void SetObjectRects(const TRect& bounds) override;
  void InPlaceDeactivate() override;
  bool InPlaceActive() const override;
  TOleResult PutProperty(TDispID id, const TOleVariant& value) override;
  TOleResult GetProperty(TDispID id, TOleVariant& value) override;

  // What the control shows and does, read on the user-interface thread.
  const TBitmap& FrameImage() const;
  TWinControl* VideoWindow() const;
  const TPlayerSettings& Settings() const;
  const std::u16string& URL() const;
  double Position() const;
  double Duration() const;
  int VideoWidth() const;
  int VideoHeight() const;
  int PlayState() const;
  int OpenState() const;
  bool Paused() const;
  void TogglePause();
  void SeekBy(double seconds);
  // Where the playback is now, asked of the player at this moment (see TMpvSession).
  bool PlayingPosition(double& seconds, bool& fromSound) const;
  // Frames drawn into the image since activation.
  long FramesRendered() const;
  // Frames the decoder or the output dropped since activation.
  long FramesDropped() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> FImpl;
};

// Registers the control under mediaplayer::ClassId (again is harmless).
void RegisterMediaPlayerControl();
