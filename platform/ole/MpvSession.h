#pragma once
// Private: one libmpv player with a software render context. mpv's threads only post
// two messages to a window (redraw, events); everything else, including every mpv
// call, runs on the user-interface thread when those messages arrive. A message that
// arrives after the window is gone is dropped by the handle registry.
#include <mpv/client.h>
#include <mpv/render.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/messages/Messages.h"

class TBitmap;

class TMpvSession {
 public:
  struct TSettings {
    bool StretchToFit = false;
    int Volume = 100;
    bool Mute = false;
  };
  // What the event drain reports to its owner.
  struct TListener {
    std::function<void()> FileStarted;
    std::function<void()> FileLoaded;
    std::function<void(bool error, const std::string& reason)> FileEnded;
    std::function<void(bool configured)> VideoConfigured;
    std::function<void(double seconds)> Position;
    std::function<void(double seconds)> Duration;
    std::function<void(int width, int height)> VideoSize;
    std::function<void(bool paused)> Paused;
    // A seek started, and the file plays again after it (also after the first load).
    std::function<void()> Seeking;
    std::function<void()> PlaybackRestarted;
  };

  // Raises EOleError when mpv cannot be started.
  TMpvSession(HWND window, UINT redrawMsg, UINT eventsMsg, const TSettings& settings);
  ~TMpvSession();
  TMpvSession(const TMpvSession&) = delete;
  TMpvSession& operator=(const TMpvSession&) = delete;

  void SetListener(TListener listener) { FListener = std::move(listener); }
  // Opens and plays path (replacing what plays); an empty path stops.
  void Open(const std::string& path);
  void Apply(const TSettings& settings);
  void SetPause(bool paused);
  // Jumps by seconds (back when negative) to the exact position, not the keyframe.
  void SeekBy(double seconds);
  // Asks the player now where its playback is: the position of the sound it reports as
  // playing (its own output delay taken off), or, for a file without sound, the picture's.
  bool PlayingPosition(double& seconds, bool& fromSound);

  // On the redraw message: renders the current frame into target (its size is the
  // output size) when mpv has a new one or force is set. True when it drew.
  bool Render(TBitmap& target, bool force);
  // On the events message: handles every pending mpv event.
  void DrainEvents();

  // Counters for tests and measurements.
  long FramesRendered() const { return FFramesRendered; }
  // Frames the player dropped (decoder and output), as mpv counts them.
  long FramesDropped() const { return long(FDecoderDrops + FOutputDrops); }

 private:
  struct TLink {
    HWND Window = 0;
    UINT RedrawMsg = 0;
    UINT EventsMsg = 0;
    std::atomic<bool> RedrawQueued{false};
    std::atomic<bool> EventsQueued{false};
  };
  static void OnRenderUpdate(void* ctx);
  static void OnWakeup(void* ctx);
  void HandleEvent(const mpv_event& e);

  std::unique_ptr<TLink> FLink;  // outlives mpv's threads (freed after terminate)
  mpv_handle* FMpv = nullptr;
  mpv_render_context* FRender = nullptr;
  TListener FListener;
  long FFramesRendered = 0;
  std::int64_t FDecoderDrops = 0;
  std::int64_t FOutputDrops = 0;
  std::int64_t FLastDecoderDrops = 0;
  std::int64_t FLastOutputDrops = 0;
  std::int64_t FVideoWidth = 0;
  std::int64_t FVideoHeight = 0;
};
