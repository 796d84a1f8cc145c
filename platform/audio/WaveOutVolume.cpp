// Wave-out device 0 is the server's default sink; the 16-bit channel words map
// linearly onto its front-left and front-right volumes (silence .. normal volume).
#include <pulse/pulseaudio.h>

#include <cmath>
#include <string>

#include "platform/audio/Audio.h"
#include "platform/audio/PulseConnection.h"

namespace {
constexpr int kTimeoutMs = 3000;

struct TSinkState {
  pa_threaded_mainloop* Loop = nullptr;
  bool Done = false;
  bool Found = false;
  bool Success = false;
  std::string Name;
  pa_cvolume Volume{};
  pa_channel_map Map{};
};

DWORD ToWord(pa_volume_t v) {
  double w = std::round(static_cast<double>(v) * 0xFFFF / PA_VOLUME_NORM);
  return w >= 0xFFFF ? 0xFFFF : static_cast<DWORD>(w);
}

pa_volume_t ToVolume(DWORD word) {
  return static_cast<pa_volume_t>(std::lround(static_cast<double>(word & 0xFFFF) * PA_VOLUME_NORM / 0xFFFF));
}

// Waits for op under the loop lock; a late callback is cancelled so that it can never
// reach the caller's state after a timeout.
bool Finish(TPulseConnection& c, pa_operation* op, const bool& done) {
  if (!op) return false;
  bool ok = c.Await([&] { return done; }, kTimeoutMs);
  if (!ok) pa_operation_cancel(op);
  pa_operation_unref(op);
  return ok;
}

void OnServerInfo(pa_context*, const pa_server_info* info, void* p) {
  auto* st = static_cast<TSinkState*>(p);
  if (info && info->default_sink_name) st->Name = info->default_sink_name;
  st->Done = true;
}

void OnSinkInfo(pa_context*, const pa_sink_info* info, int eol, void* p) {
  auto* st = static_cast<TSinkState*>(p);
  if (eol != 0) {
    st->Done = true;
    return;
  }
  if (info) {
    st->Found = true;
    st->Volume = info->volume;
    st->Map = info->channel_map;
  }
}

void OnSuccess(pa_context*, int success, void* p) {
  auto* st = static_cast<TSinkState*>(p);
  st->Success = success != 0;
  st->Done = true;
}

// Connects and reads the default sink; the caller holds the loop lock afterwards.
MMRESULT ReadDefaultSink(TPulseConnection& c, TSinkState& st) {
  st.Done = false;
  if (!Finish(c, pa_context_get_server_info(c.Context(), OnServerInfo, &st), st.Done)) return MMSYSERR_NODRIVER;
  if (st.Name.empty()) return MMSYSERR_NODRIVER;
  st.Done = false;
  if (!Finish(c, pa_context_get_sink_info_by_name(c.Context(), st.Name.c_str(), OnSinkInfo, &st), st.Done))
    return MMSYSERR_NODRIVER;
  return st.Found ? MMSYSERR_NOERROR : MMSYSERR_NODRIVER;
}

// The volume of one side; a sink without that position (mono) answers with its average.
pa_volume_t SideVolume(const TSinkState& st, pa_channel_position_t pos) {
  if (pa_channel_map_has_position(&st.Map, pos)) return pa_cvolume_get_position(&st.Volume, &st.Map, pos);
  return pa_cvolume_avg(&st.Volume);
}
}  // namespace

MMRESULT waveOutGetVolume(unsigned device, DWORD* volume) {
  if (device != 0) return MMSYSERR_BADDEVICEID;
  if (!volume) return MMSYSERR_INVALPARAM;
  TPulseConnection c;
  if (!c.Connect(kTimeoutMs)) return MMSYSERR_NODRIVER;
  TPulseConnection::Lock lock(c.Loop());
  TSinkState st;
  if (MMRESULT r = ReadDefaultSink(c, st)) return r;
  DWORD left = ToWord(SideVolume(st, PA_CHANNEL_POSITION_FRONT_LEFT));
  DWORD right = ToWord(SideVolume(st, PA_CHANNEL_POSITION_FRONT_RIGHT));
  *volume = left | (right << 16);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutSetVolume(unsigned device, DWORD volume) {
  if (device != 0) return MMSYSERR_BADDEVICEID;
  TPulseConnection c;
  if (!c.Connect(kTimeoutMs)) return MMSYSERR_NODRIVER;
  TPulseConnection::Lock lock(c.Loop());
  TSinkState st;
  if (MMRESULT r = ReadDefaultSink(c, st)) return r;
  // A word that says what the channel already has keeps its exact volume: a sink above
  // normal volume reads as 0xFFFF, and writing that back must not pull it down to 100 %.
  pa_volume_t curLeft = SideVolume(st, PA_CHANNEL_POSITION_FRONT_LEFT);
  pa_volume_t curRight = SideVolume(st, PA_CHANNEL_POSITION_FRONT_RIGHT);
  pa_volume_t left = (volume & 0xFFFF) == ToWord(curLeft) ? curLeft : ToVolume(volume & 0xFFFF);
  pa_volume_t right = (volume >> 16) == ToWord(curRight) ? curRight : ToVolume(volume >> 16);
  bool hasLeft = pa_channel_map_has_position(&st.Map, PA_CHANNEL_POSITION_FRONT_LEFT);
  bool hasRight = pa_channel_map_has_position(&st.Map, PA_CHANNEL_POSITION_FRONT_RIGHT);
  if (hasLeft || hasRight) {
    if (hasLeft) pa_cvolume_set_position(&st.Volume, &st.Map, PA_CHANNEL_POSITION_FRONT_LEFT, left);
    if (hasRight) pa_cvolume_set_position(&st.Volume, &st.Map, PA_CHANNEL_POSITION_FRONT_RIGHT, right);
  } else {
    pa_cvolume_set(&st.Volume, st.Volume.channels, (left + right) / 2);  // a mono sink takes the mean
  }
  st.Done = false;
  if (!Finish(c, pa_context_set_sink_volume_by_name(c.Context(), st.Name.c_str(), &st.Volume, OnSuccess, &st),
              st.Done))
    return MMSYSERR_NODRIVER;
  return st.Success ? MMSYSERR_NOERROR : MMSYSERR_ERROR;
}
