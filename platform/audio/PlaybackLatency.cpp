// What the sound server reports about this process's own playback streams.
#include <pulse/pulseaudio.h>
#include <unistd.h>

#include <set>
#include <string>

#include "platform/audio/Audio.h"
#include "platform/audio/PulseConnection.h"

namespace {
constexpr int kTimeoutMs = 2000;

struct TQuery {
  std::string Pid;
  bool Done = false;
  bool Found = false;
  pa_usec_t Buffer = 0;
  pa_usec_t Sink = 0;
  std::uint32_t SinkIndex = PA_INVALID_INDEX;
  std::set<std::uint32_t> Sources;      // what this process records from
  std::uint32_t MonitorOf = PA_INVALID_INDEX;
  pa_usec_t SinkConfigured = 0;
};

bool Ours(const pa_proplist* props, const std::string& pid) {
  const char* p = pa_proplist_gets(props, PA_PROP_APPLICATION_PROCESS_ID);
  return p && pid == p;
}

void OnSinkInput(pa_context*, const pa_sink_input_info* info, int eol, void* p) {
  auto* q = static_cast<TQuery*>(p);
  if (eol != 0) {
    q->Done = true;
    return;
  }
  if (!info || info->corked || !Ours(info->proplist, q->Pid)) return;
  if (q->Found && info->buffer_usec + info->sink_usec <= q->Buffer + q->Sink) return;
  q->Buffer = info->buffer_usec;
  q->Sink = info->sink_usec;
  q->SinkIndex = info->sink;
  q->Found = true;
}

void OnSourceOutput(pa_context*, const pa_source_output_info* info, int eol, void* p) {
  auto* q = static_cast<TQuery*>(p);
  if (eol != 0) {
    q->Done = true;
    return;
  }
  if (info && Ours(info->proplist, q->Pid)) q->Sources.insert(info->source);
}

void OnSource(pa_context*, const pa_source_info* info, int eol, void* p) {
  auto* q = static_cast<TQuery*>(p);
  if (eol != 0) {
    q->Done = true;
    return;
  }
  if (info && q->Sources.count(info->index) && info->monitor_of_sink == q->SinkIndex) q->MonitorOf = q->SinkIndex;
}

void OnSink(pa_context*, const pa_sink_info* info, int eol, void* p) {
  auto* q = static_cast<TQuery*>(p);
  if (eol != 0) {
    q->Done = true;
    return;
  }
  if (info) q->SinkConfigured = info->configured_latency;
}

// Runs one introspection call to its end (lock held).
bool Run(TPulseConnection& c, TQuery& q, pa_operation* op) {
  if (!op) return false;
  q.Done = false;
  bool ok = c.Await([&] { return q.Done; }, kTimeoutMs);
  if (!ok) pa_operation_cancel(op);
  pa_operation_unref(op);
  return ok;
}
}  // namespace

bool PlaybackLatencyOfThisProcess(TPlaybackLatency& latency) {
  TPulseConnection c;
  if (!c.Connect(kTimeoutMs)) return false;
  TQuery q;
  q.Pid = std::to_string(::getpid());
  TPulseConnection::Lock lock(c.Loop());
  if (!Run(c, q, pa_context_get_sink_input_info_list(c.Context(), &OnSinkInput, &q)) || !q.Found) return false;
  if (Run(c, q, pa_context_get_source_output_info_list(c.Context(), &OnSourceOutput, &q)) && !q.Sources.empty())
    Run(c, q, pa_context_get_source_info_list(c.Context(), &OnSource, &q));
  Run(c, q, pa_context_get_sink_info_by_index(c.Context(), q.SinkIndex, &OnSink, &q));
  latency.BufferSeconds = double(q.Buffer) / 1e6;
  latency.SinkBlockSeconds = double(q.SinkConfigured) / 1e6;
  latency.SinkSeconds = double(q.Sink) / 1e6;
  latency.RecordedFromItsMonitor = q.MonitorOf != PA_INVALID_INDEX;
  return true;
}

double VolumeWordToAmplitude(DWORD word) {
  const auto v = static_cast<pa_volume_t>(double(word & 0xFFFF) * PA_VOLUME_NORM / 0xFFFF + 0.5);
  return pa_sw_volume_to_linear(v);
}
