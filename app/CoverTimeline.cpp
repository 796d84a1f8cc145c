#include "app/CoverTimeline.h"

#include <algorithm>

namespace {
double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  auto mid = v.begin() + static_cast<long>(v.size() / 2);
  std::nth_element(v.begin(), mid, v.end());
  return *mid;
}
// Readings of the output latency are a connection to the sound server each: one every
// few seconds is plenty for a value that hardly moves.
constexpr int kTicksPerLatencyReading = 100;
}  // namespace

bool TCoverTimeline::Now(std::int64_t& frame) {
  std::int64_t latency = 0;
  return FClocks.Capture && FClocks.Capture(frame, latency);
}

void TCoverTimeline::TakeStarted(int rate, int rightVolume, const std::string& videoPath, bool playing) {
  FRunning = true;
  FDone = FOpen = FHasVideo = false;
  FRate = rate;
  FRecord = TCoverRecord{};
  FRecord.Volume.push_back({0, rightVolume});
  FInputLatencies.clear();
  FOutputLatencies.clear();
  FTicks = 0;
  if (!videoPath.empty()) {
    VideoOpened(videoPath);
    if (playing) Open();
  }
}

void TCoverTimeline::VideoOpened(const std::string& path) {
  if (!FRunning || FDone) return;
  if (FHasVideo) {
    // Another video: the record holds the stretch over the first one.
    Finish("replaced");
    return;
  }
  FHasVideo = true;
  if (!ReadVideoIdentity(path, FRecord.Video)) FRecord.Video = TVideoIdentity{path, 0, 0};
}

void TCoverTimeline::Playing() {
  if (FRunning && FHasVideo && !FDone && !FOpen) Open();
}

void TCoverTimeline::Paused() { Close(); }

void TCoverTimeline::SeekStarted() { Close(); }

void TCoverTimeline::SeekEnded(bool playing) {
  if (playing) Playing();
}

void TCoverTimeline::VideoEnded() {
  if (FRunning && FHasVideo && !FDone) Finish("ended");
}

void TCoverTimeline::VolumeChanged(int rightVolume) {
  std::int64_t frame = 0;
  if (!FRunning || FDone || !Now(frame)) return;
  if (!FRecord.Volume.empty() && FRecord.Volume.back().Frame >= frame) {
    FRecord.Volume.back().Right = rightVolume;  // several changes within one frame
    return;
  }
  FRecord.Volume.push_back({frame, rightVolume});
}

void TCoverTimeline::Tick() {
  if (!Measuring()) return;
  std::int64_t frame = 0, latency = 0;
  double position = 0;
  if (!FClocks.Capture || !FClocks.Player) return;
  // The capture's clock is read right after the player's, so both describe one moment.
  if (!FClocks.Player(position) || !FClocks.Capture(frame, latency)) return;
  FSegment.Offsets.push_back(position - double(frame) / FRate);
  FInputLatencies.push_back(double(latency) / FRate);
  if (FTicks++ % kTicksPerLatencyReading == 0 && FClocks.OutputLatency) {
    double out = 0;
    if (FClocks.OutputLatency(out)) FOutputLatencies.push_back(out);
  }
}

void TCoverTimeline::Open() {
  std::int64_t frame = 0;
  if (!Now(frame)) return;
  FSegment = TOpen{};
  FSegment.From = frame;
  double position = 0;
  if (FClocks.Player && FClocks.Player(position)) {
    FSegment.EventPosition = position;
    FSegment.HasEventPosition = true;
  }
  FOpen = true;
  Tick();
}

void TCoverTimeline::Close() {
  if (!FOpen) return;
  FOpen = false;
  std::int64_t to = 0;
  if (!Now(to) || to <= FSegment.From) return;
  TCoverSegment s;
  s.From = FSegment.From;
  s.To = to;
  const double start = double(FSegment.From) / FRate;
  if (!FSegment.Offsets.empty())
    s.Position = Median(FSegment.Offsets) + start;
  else if (FSegment.HasEventPosition)
    s.Position = FSegment.EventPosition;
  else
    return;  // nothing says where the video was
  FRecord.Segments.push_back(s);
}

void TCoverTimeline::Finish(const char* why) {
  Close();
  FRecord.End = why;
  FDone = true;
}

std::optional<TCoverRecord> TCoverTimeline::TakeStopped() {
  if (!FRunning) return std::nullopt;
  Close();
  FRunning = false;
  if (!FHasVideo || FRecord.Segments.empty()) return std::nullopt;
  FRecord.InputLatency = std::clamp(Median(FInputLatencies), 0.0, 10.0);
  FRecord.OutputLatency = std::clamp(Median(FOutputLatencies), -10.0, 10.0);
  return FRecord;
}

std::optional<TCoverRecord> TCoverTimeline::Snapshot() const {
  TCoverTimeline copy = *this;
  return copy.TakeStopped();
}
