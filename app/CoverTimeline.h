#pragma once
// Keeps the timeline of a take made over a video: where the video was, against the
// take's own sample clock, when the take began or the video started, and at every
// pause, play and seek; and the right channel's volume and its changes. The window
// feeds it the player's events and a tick; it asks the capture and the player for their
// clocks itself (through the functions it is given, so that tests can drive it).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/CoverSidecar.h"

class TCoverTimeline {
 public:
  struct TClocks {
    // The take's frames received so far and the frames the input holds back.
    std::function<bool(std::int64_t& frame, std::int64_t& latencyFrames)> Capture;
    // The player's position now.
    std::function<bool(double& seconds)> Player;
    // What the player's position leaves out of its output's delay (see CoverSidecar.h).
    std::function<bool(double& seconds)> OutputLatency;
  };

  explicit TCoverTimeline(TClocks clocks) : FClocks(std::move(clocks)) {}

  // A take starts at the take's sample rate with the right channel's volume word;
  // playing says a video plays now (videoPath, "" for none).
  void TakeStarted(int rate, int rightVolume, const std::string& videoPath, bool playing);
  // The player was given another file.
  void VideoOpened(const std::string& path);
  void Playing();
  void Paused();
  // A seek began (the position jumps) and ended (it plays on from the new position).
  void SeekStarted();
  void SeekEnded(bool playing);
  void VideoEnded();
  void VolumeChanged(int rightVolume);
  // Every few tens of milliseconds while a take runs: a reading of both clocks.
  void Tick();
  // The take stopped: the record, or nothing when no video played during the take.
  std::optional<TCoverRecord> TakeStopped();
  // The record as it would be if the take stopped now; the take runs on.
  std::optional<TCoverRecord> Snapshot() const;

  bool Running() const { return FRunning; }
  // Whether Tick has anything to measure.
  bool Measuring() const { return FRunning && FOpen; }

 private:
  struct TOpen {
    std::int64_t From = 0;
    double EventPosition = 0;
    bool HasEventPosition = false;
    std::vector<double> Offsets;  // player position minus take time, per reading
  };
  bool Now(std::int64_t& frame);
  void Open();
  void Close();
  void Finish(const char* why);

  TClocks FClocks;
  bool FRunning = false;
  bool FDone = false;  // the video's stretch is over; later events change nothing
  bool FOpen = false;
  int FRate = 0;
  TOpen FSegment;
  TCoverRecord FRecord;
  bool FHasVideo = false;
  std::vector<double> FInputLatencies;
  std::vector<double> FOutputLatencies;
  int FTicks = 0;
};
