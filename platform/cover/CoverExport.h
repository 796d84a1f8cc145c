#pragma once
// Makes a cover: a video with one audio track of its own sound (the backing) mixed with
// a take, following a timeline of where the video was during the take. The video
// stream is copied when the timeline is one continuous stretch and the output's
// container can hold it; otherwise the picture is decoded and encoded again, holding
// the last picture through pauses and jumping with seeks. The file is written under a
// temporary name in the output's folder and renamed at the end; nothing is left behind
// on failure.
#include <functional>
#include <string>
#include <vector>

namespace cover {

// A stretch of the take (seconds on the take's own clock) during which the video
// played on from VideoFrom.
struct TPiece {
  double TakeFrom = 0;
  double TakeTo = 0;
  double VideoFrom = 0;
};

// The right channel's amplitude from a moment of the take on.
struct TGainStep {
  double TakeTime = 0;
  double Amplitude = 1;
};

enum class TBacking { Heard, Left, Right, Stereo, None };

struct TJob {
  std::string VideoPath;
  std::string TakePath;  // a PCM wave file
  std::string OutPath;   // .mp4 or .mkv
  // The cover runs from Start to End on the take's clock; Pieces lie inside, in order.
  double Start = 0;
  double End = 0;
  std::vector<TPiece> Pieces;
  std::vector<TGainStep> RightGain;  // for Heard
  TBacking Backing = TBacking::Heard;
  double VoiceGainDb = 0;
  double BackingGainDb = 0;
  int AudioBitRate = 192000;
  // Called now and then with the part done (0..1).
  std::function<void(double)> Progress;
};

struct TResult {
  bool Ok = false;
  std::string Error;         // why it failed, for the user
  bool VideoCopied = false;  // the video stream was copied, not encoded again
  double Duration = 0;       // seconds written
};

TResult Export(const TJob& job);

// True when the file opens as a media file with a video stream; error says why not.
bool ProbeVideo(const std::string& path, std::string& error);

}  // namespace cover
