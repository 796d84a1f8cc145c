// libmpv player with software rendering into a 32-bit image.
#include "platform/ole/MpvSession.h"

#include <clocale>
#include <cstring>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"

namespace {
void SetOption(mpv_handle* mpv, const char* name, const char* value) {
  int rc = mpv_set_option_string(mpv, name, value);
  if (rc < 0)
    throw EOleError(std::string("The video player rejected option ") + name + ": " + mpv_error_string(rc));
}

const char* Unscaled(bool stretch) { return stretch ? "no" : "downscale-big"; }

enum : std::uint64_t { ObsTimePos = 1, ObsDuration, ObsVoConfigured, ObsWidth, ObsHeight, ObsDecoderDrops, ObsOutputDrops, ObsPause };
}  // namespace

TMpvSession::TMpvSession(HWND window, UINT redrawMsg, UINT eventsMsg, const TSettings& settings)
    : FLink(std::make_unique<TLink>()) {
  FLink->Window = window;
  FLink->RedrawMsg = redrawMsg;
  FLink->EventsMsg = eventsMsg;
  // mpv refuses to start under a locale whose decimal separator is not '.'.
  std::setlocale(LC_NUMERIC, "C");
  FMpv = mpv_create();
  if (!FMpv) throw EOleError("The video player could not be created");
  try {
    SetOption(FMpv, "vo", "libmpv");
    SetOption(FMpv, "hwdec", "no");
    SetOption(FMpv, "audio-fallback-to-null", "yes");
    SetOption(FMpv, "terminal", "no");
    SetOption(FMpv, "config", "no");
    SetOption(FMpv, "load-scripts", "no");
    SetOption(FMpv, "ytdl", "no");
    SetOption(FMpv, "idle", "yes");
    SetOption(FMpv, "keep-open", "no");
    SetOption(FMpv, "input-default-bindings", "no");
    SetOption(FMpv, "input-vo-keyboard", "no");
    SetOption(FMpv, "osd-level", "0");
    SetOption(FMpv, "sub-auto", "no");
    SetOption(FMpv, "keepaspect", "yes");
    SetOption(FMpv, "video-unscaled", Unscaled(settings.StretchToFit));
    SetOption(FMpv, "volume", std::to_string(settings.Volume).c_str());
    SetOption(FMpv, "mute", settings.Mute ? "yes" : "no");
    int rc = mpv_initialize(FMpv);
    if (rc < 0) throw EOleError(std::string("The video player could not start: ") + mpv_error_string(rc));

    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    rc = mpv_render_context_create(&FRender, FMpv, params);
    if (rc < 0)
      throw EOleError(std::string("The video player has no software renderer: ") + mpv_error_string(rc));
  } catch (...) {
    mpv_terminate_destroy(FMpv);
    FMpv = nullptr;
    throw;
  }
  mpv_observe_property(FMpv, ObsTimePos, "time-pos", MPV_FORMAT_DOUBLE);
  mpv_observe_property(FMpv, ObsDuration, "duration", MPV_FORMAT_DOUBLE);
  mpv_observe_property(FMpv, ObsVoConfigured, "vo-configured", MPV_FORMAT_FLAG);
  mpv_observe_property(FMpv, ObsWidth, "width", MPV_FORMAT_INT64);
  mpv_observe_property(FMpv, ObsHeight, "height", MPV_FORMAT_INT64);
  mpv_observe_property(FMpv, ObsDecoderDrops, "decoder-frame-drop-count", MPV_FORMAT_INT64);
  mpv_observe_property(FMpv, ObsOutputDrops, "frame-drop-count", MPV_FORMAT_INT64);
  mpv_observe_property(FMpv, ObsPause, "pause", MPV_FORMAT_FLAG);
  mpv_render_context_set_update_callback(FRender, &TMpvSession::OnRenderUpdate, FLink.get());
  mpv_set_wakeup_callback(FMpv, &TMpvSession::OnWakeup, FLink.get());
  // Events queued before the callback was set still need a first look.
  OnWakeup(FLink.get());
}

TMpvSession::~TMpvSession() {
  if (FRender) mpv_render_context_set_update_callback(FRender, nullptr, nullptr);
  if (FMpv) mpv_set_wakeup_callback(FMpv, nullptr, nullptr);
  if (FRender) mpv_render_context_free(FRender);
  if (FMpv) mpv_terminate_destroy(FMpv);
  // FLink goes last: mpv's threads are joined by now.
}

void TMpvSession::OnRenderUpdate(void* ctx) {
  auto* link = static_cast<TLink*>(ctx);
  if (!link->RedrawQueued.exchange(true)) PostMessageFromThread(link->Window, link->RedrawMsg, 0, 0);
}

void TMpvSession::OnWakeup(void* ctx) {
  auto* link = static_cast<TLink*>(ctx);
  if (!link->EventsQueued.exchange(true)) PostMessageFromThread(link->Window, link->EventsMsg, 0, 0);
}

void TMpvSession::Open(const std::string& path) {
  if (path.empty()) {
    const char* cmd[] = {"stop", nullptr};
    mpv_command_async(FMpv, 0, cmd);
    return;
  }
  const char* cmd[] = {"loadfile", path.c_str(), "replace", nullptr};
  mpv_command_async(FMpv, 0, cmd);
}

void TMpvSession::Apply(const TSettings& settings) {
  const char* unscaled = Unscaled(settings.StretchToFit);  // copied by mpv
  mpv_set_property_async(FMpv, 0, "video-unscaled", MPV_FORMAT_STRING, &unscaled);
  double volume = settings.Volume;
  mpv_set_property_async(FMpv, 0, "volume", MPV_FORMAT_DOUBLE, &volume);
  int mute = settings.Mute ? 1 : 0;
  mpv_set_property_async(FMpv, 0, "mute", MPV_FORMAT_FLAG, &mute);
}

void TMpvSession::SetPause(bool paused) {
  int flag = paused ? 1 : 0;
  mpv_set_property_async(FMpv, 0, "pause", MPV_FORMAT_FLAG, &flag);
}

void TMpvSession::SeekBy(double seconds) {
  const std::string by = std::to_string(seconds);
  const char* cmd[] = {"seek", by.c_str(), "relative+exact", nullptr};
  mpv_command_async(FMpv, 0, cmd);
}

bool TMpvSession::PlayingPosition(double& seconds, bool& fromSound) {
  fromSound = mpv_get_property(FMpv, "audio-pts", MPV_FORMAT_DOUBLE, &seconds) >= 0;
  return fromSound || mpv_get_property(FMpv, "time-pos", MPV_FORMAT_DOUBLE, &seconds) >= 0;
}

bool TMpvSession::Render(TBitmap& target, bool force) {
  FLink->RedrawQueued.store(false);
  std::uint64_t flags = mpv_render_context_update(FRender);
  if (!(flags & MPV_RENDER_UPDATE_FRAME) && !force) return false;
  if (target.Empty()) return false;
  int size[2] = {target.Width(), target.Height()};
  std::size_t stride = static_cast<std::size_t>(target.Width()) * 4;
  char format[] = "bgr0";
  mpv_render_param params[] = {
      {MPV_RENDER_PARAM_SW_SIZE, size},
      {MPV_RENDER_PARAM_SW_FORMAT, format},
      {MPV_RENDER_PARAM_SW_STRIDE, &stride},
      {MPV_RENDER_PARAM_SW_POINTER, target.Bits()},
      {MPV_RENDER_PARAM_INVALID, nullptr},
  };
  if (mpv_render_context_render(FRender, params) < 0) return false;
  if (flags & MPV_RENDER_UPDATE_FRAME) ++FFramesRendered;
  return true;
}

void TMpvSession::DrainEvents() {
  FLink->EventsQueued.store(false);
  for (;;) {
    mpv_event* e = mpv_wait_event(FMpv, 0);
    if (!e || e->event_id == MPV_EVENT_NONE) break;
    HandleEvent(*e);
  }
}

void TMpvSession::HandleEvent(const mpv_event& e) {
  switch (e.event_id) {
    case MPV_EVENT_START_FILE:
      if (FListener.FileStarted) FListener.FileStarted();
      break;
    case MPV_EVENT_FILE_LOADED:
      if (FListener.FileLoaded) FListener.FileLoaded();
      break;
    case MPV_EVENT_SEEK:
      if (FListener.Seeking) FListener.Seeking();
      break;
    case MPV_EVENT_PLAYBACK_RESTART:
      if (FListener.PlaybackRestarted) FListener.PlaybackRestarted();
      break;
    case MPV_EVENT_END_FILE: {
      auto* end = static_cast<const mpv_event_end_file*>(e.data);
      if (!end || !FListener.FileEnded) break;
      if (end->reason == MPV_END_FILE_REASON_ERROR)
        FListener.FileEnded(true, mpv_error_string(end->error));
      else if (end->reason == MPV_END_FILE_REASON_EOF)
        FListener.FileEnded(false, "end of file");
      break;
    }
    case MPV_EVENT_PROPERTY_CHANGE: {
      auto* p = static_cast<const mpv_event_property*>(e.data);
      if (!p) break;
      bool has = p->format != MPV_FORMAT_NONE && p->data;
      switch (e.reply_userdata) {
        case ObsTimePos:
          if (has && FListener.Position) FListener.Position(*static_cast<double*>(p->data));
          break;
        case ObsDuration:
          if (FListener.Duration) FListener.Duration(has ? *static_cast<double*>(p->data) : 0.0);
          break;
        case ObsVoConfigured:
          if (FListener.VideoConfigured) FListener.VideoConfigured(has && *static_cast<int*>(p->data) != 0);
          break;
        case ObsWidth:
        case ObsHeight: {
          (e.reply_userdata == ObsWidth ? FVideoWidth : FVideoHeight) = has ? *static_cast<std::int64_t*>(p->data) : 0;
          if (FListener.VideoSize) FListener.VideoSize(int(FVideoWidth), int(FVideoHeight));
          break;
        }
        case ObsPause:
          if (has && FListener.Paused) FListener.Paused(*static_cast<int*>(p->data) != 0);
          break;
        case ObsDecoderDrops:
        case ObsOutputDrops:
          // Counted per file: keep the total over every file played.
          if (has) {
            std::int64_t& total = e.reply_userdata == ObsDecoderDrops ? FDecoderDrops : FOutputDrops;
            std::int64_t& last = e.reply_userdata == ObsDecoderDrops ? FLastDecoderDrops : FLastOutputDrops;
            std::int64_t now = *static_cast<std::int64_t*>(p->data);
            total += now >= last ? now - last : now;
            last = now;
          }
          break;
        default:
          break;
      }
      break;
    }
    default:
      break;
  }
}
