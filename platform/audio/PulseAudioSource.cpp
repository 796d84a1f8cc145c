// Capture from the sound server's default source on a record stream. The server's
// thread copies each fragment into a bounded queue; Read takes from it.
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/audio/Audio.h"
#include "platform/audio/PulseConnection.h"

namespace {
constexpr int kConnectTimeoutMs = 3000;
constexpr int kFragmentMs = 50;
// At most this much sound waits for the reader; older sound is dropped beyond it.
constexpr int kQueueSeconds = 4;
// The arrivals the clock looks back on: long enough to hold an undelayed one, short
// enough that the input's clock and ours cannot part noticeably meanwhile.
constexpr double kOriginSeconds = 3.0;

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

class TPulseAudioSource : public IAudioSource {
 public:
  ~TPulseAudioSource() override { Close(); }

  MMRESULT Open(const TAudioFormat& format) override {
    Close();
    if (!IsSupportedFormat(format)) return WAVERR_BADFORMAT;
    FFormat = format;
    FFailed = false;
    FConnection = std::make_unique<TPulseConnection>();
    if (!FConnection->Connect(kConnectTimeoutMs)) {
      FConnection.reset();
      return MMSYSERR_NODRIVER;
    }
    pa_sample_spec spec{};
    spec.format = format.BitsPerSample == 8 ? PA_SAMPLE_U8 : PA_SAMPLE_S16LE;
    spec.rate = static_cast<uint32_t>(format.SamplesPerSec);
    spec.channels = static_cast<uint8_t>(format.Channels);
    pa_channel_map map;
    pa_channel_map_init_auto(&map, spec.channels, PA_CHANNEL_MAP_DEFAULT);

    TPulseConnection::Lock lock(FConnection->Loop());
    FStream = pa_stream_new(FConnection->Context(), "Recording", &spec, &map);
    if (!FStream) return Fail(MMSYSERR_ERROR);
    pa_stream_set_state_callback(FStream, &TPulseAudioSource::OnState, this);
    pa_stream_set_read_callback(FStream, &TPulseAudioSource::OnRead, this);
    pa_buffer_attr attr;
    std::memset(&attr, 0xFF, sizeof attr);  // server defaults for all but the fragment size
    // Without a fragment size the server hands data over in bursts of seconds.
    attr.fragsize = static_cast<uint32_t>(format.BytesPerSec() * kFragmentMs / 1000 / format.BlockAlign() *
                                          format.BlockAlign());
    // Timing updates let Clock() tell which sample the source captures at a moment.
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING |
                                                      PA_STREAM_AUTO_TIMING_UPDATE);
    FReceived = FDropped = 0;
    FOrigins.clear();
    if (pa_stream_connect_record(FStream, nullptr, &attr, flags) < 0)
      return Fail(MMSYSERR_ERROR);
    bool ready = FConnection->Await(
        [this] {
          auto st = pa_stream_get_state(FStream);
          return st == PA_STREAM_READY || st == PA_STREAM_FAILED || st == PA_STREAM_TERMINATED;
        },
        kConnectTimeoutMs);
    if (!ready || pa_stream_get_state(FStream) != PA_STREAM_READY) return Fail(MMSYSERR_NOTENABLED);
    return MMSYSERR_NOERROR;
  }

  long Read(void* buffer, size_t bytes, int timeoutMs) override {
    size_t block = static_cast<size_t>(FFormat.BlockAlign());
    bytes -= bytes % block;
    std::unique_lock lock(FMutex);
    FReady.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                    [&] { return FFailed || FQueue.size() >= block; });
    if (FQueue.empty() && FFailed) return -1;
    size_t n = std::min(bytes, FQueue.size() - FQueue.size() % block);
    std::copy_n(FQueue.begin(), n, static_cast<char*>(buffer));
    FQueue.erase(FQueue.begin(), FQueue.begin() + static_cast<long>(n));
    return static_cast<long>(n);
  }

  bool Clock(std::uint64_t& framesReceived, std::uint64_t& latencyFrames) override {
    if (!FConnection || !FStream) return false;
    const auto rate = static_cast<std::uint64_t>(FFormat.SamplesPerSec);
    {
      TPulseConnection::Lock lock(FConnection->Loop());
      // The source's own delay from capture to the stream's buffer: what lies in the
      // buffer is counted by the arrivals below.
      latencyFrames = 0;
      if (const pa_timing_info* t = pa_stream_get_timing_info(FStream))
        latencyFrames = (std::uint64_t(t->source_usec) * rate + 500000) / 1000000;
    }
    std::lock_guard guard(FMutex);
    if (FOrigins.empty()) {
      framesReceived = FReceived - FDropped;
      return true;
    }
    // Sound arrives in fragments; between them the count stands still. The arrivals of
    // the last seconds date the stream's start (their median, as some come late), and
    // the time since then says how many frames are in by now, without that sawtooth.
    std::vector<double> origins;
    for (const auto& o : FOrigins) origins.push_back(o.second);
    auto mid = origins.begin() + long(origins.size() / 2);
    std::nth_element(origins.begin(), mid, origins.end());
    const double origin = *mid;
    const double now = Now();
    framesReceived = static_cast<std::uint64_t>(std::max(0.0, (now - origin) * double(rate)));
    return true;
  }

  void Close() override {
    if (!FConnection) return;
    {
      TPulseConnection::Lock lock(FConnection->Loop());
      if (FStream) {
        pa_stream_set_read_callback(FStream, nullptr, nullptr);
        pa_stream_set_state_callback(FStream, nullptr, nullptr);
        pa_stream_disconnect(FStream);
        pa_stream_unref(FStream);
        FStream = nullptr;
      }
    }
    FConnection.reset();
    std::lock_guard lock(FMutex);
    FQueue.clear();
  }

 private:
  MMRESULT Fail(MMRESULT code) {
    if (FStream) {
      pa_stream_set_read_callback(FStream, nullptr, nullptr);
      pa_stream_set_state_callback(FStream, nullptr, nullptr);
      pa_stream_disconnect(FStream);
      pa_stream_unref(FStream);
      FStream = nullptr;
    }
    return code;
  }

  static void OnState(pa_stream* s, void* self) {
    auto* me = static_cast<TPulseAudioSource*>(self);
    auto st = pa_stream_get_state(s);
    if (st == PA_STREAM_FAILED || st == PA_STREAM_TERMINATED) {
      std::lock_guard lock(me->FMutex);
      me->FFailed = true;
      me->FReady.notify_all();
    }
    pa_threaded_mainloop_signal(me->FConnection->Loop(), 0);
  }

  static void OnRead(pa_stream* s, size_t, void* self) {
    auto* me = static_cast<TPulseAudioSource*>(self);
    const void* data = nullptr;
    size_t n = 0;
    while (pa_stream_readable_size(s) > 0) {
      if (pa_stream_peek(s, &data, &n) < 0) break;
      if (n == 0) break;  // nothing buffered
      {
        std::lock_guard lock(me->FMutex);
        if (data) {
          const char* p = static_cast<const char*>(data);
          me->FQueue.insert(me->FQueue.end(), p, p + n);
        } else {
          me->FQueue.insert(me->FQueue.end(), n, me->FFormat.BitsPerSample == 8 ? char(0x80) : char(0));  // a hole is silence
        }
        const auto block = static_cast<size_t>(me->FFormat.BlockAlign());
        me->FReceived += n / block;
        const double now = Now();
        me->FOrigins.emplace_back(now, now - double(me->FReceived - me->FDropped) / me->FFormat.SamplesPerSec);
        while (!me->FOrigins.empty() && me->FOrigins.front().first < now - kOriginSeconds) me->FOrigins.pop_front();
        size_t limit = static_cast<size_t>(me->FFormat.BytesPerSec()) * kQueueSeconds;
        if (me->FQueue.size() > limit) {
          size_t drop = me->FQueue.size() - limit;
          drop -= drop % block;
          me->FDropped += drop / block;
          me->FQueue.erase(me->FQueue.begin(), me->FQueue.begin() + static_cast<long>(drop));
        }
        me->FReady.notify_all();
      }
      pa_stream_drop(s);
    }
  }

  TAudioFormat FFormat;
  std::unique_ptr<TPulseConnection> FConnection;
  pa_stream* FStream = nullptr;
  std::mutex FMutex;
  std::condition_variable FReady;
  std::deque<char> FQueue;
  bool FFailed = false;
  // Frames taken from the server, and those of them the full queue threw away.
  std::uint64_t FReceived = 0;
  std::uint64_t FDropped = 0;
  // Per arrival of sound: when, and when the stream would have started had it come
  // without delay.
  std::deque<std::pair<double, double>> FOrigins;
};
}  // namespace

std::unique_ptr<IAudioSource> CreatePulseAudioSource() { return std::make_unique<TPulseAudioSource>(); }
