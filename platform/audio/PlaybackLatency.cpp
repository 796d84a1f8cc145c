// What the sound server reports about this process's own playback streams.
#include <pulse/pulseaudio.h>
#include <unistd.h>

#include <string>

#include "platform/audio/Audio.h"
#include "platform/audio/PulseConnection.h"

namespace {
constexpr int kTimeoutMs = 2000;

struct TInputs {
  std::string Pid;
  bool Done = false;
  bool Found = false;
  pa_usec_t Latency = 0;
};

void OnSinkInput(pa_context*, const pa_sink_input_info* info, int eol, void* p) {
  auto* st = static_cast<TInputs*>(p);
  if (eol != 0) {
    st->Done = true;
    return;
  }
  if (!info || info->corked) return;
  const char* pid = pa_proplist_gets(info->proplist, PA_PROP_APPLICATION_PROCESS_ID);
  if (!pid || st->Pid != pid) return;
  // The stream's buffer plus the sink's own: the time from write to the speaker.
  pa_usec_t latency = info->buffer_usec + info->sink_usec;
  if (!st->Found || latency > st->Latency) st->Latency = latency;
  st->Found = true;
}
}  // namespace

bool PlaybackLatencyOfThisProcess(double& seconds) {
  TPulseConnection c;
  if (!c.Connect(kTimeoutMs)) return false;
  TInputs st;
  st.Pid = std::to_string(::getpid());
  TPulseConnection::Lock lock(c.Loop());
  pa_operation* op = pa_context_get_sink_input_info_list(c.Context(), &OnSinkInput, &st);
  if (!op) return false;
  bool ok = c.Await([&] { return st.Done; }, kTimeoutMs);
  if (!ok) pa_operation_cancel(op);
  pa_operation_unref(op);
  if (!ok || !st.Found) return false;
  seconds = double(st.Latency) / 1e6;
  return true;
}

double VolumeWordToAmplitude(DWORD word) {
  const auto v = static_cast<pa_volume_t>(double(word & 0xFFFF) * PA_VOLUME_NORM / 0xFFFF + 0.5);
  return pa_sw_volume_to_linear(v);
}
