#pragma once
// The sync record of a take made over a video, kept beside the take as
// "<take stem>.cover.json" (Temp.wav -> Temp.cover.json). Small JSON:
//
//   {"corvale-cover": 1,
//    "take":  {"channels": 2, "bits": 16, "rate": 44100, "bytes": <sound bytes>,
//              "head-crc32": <CRC-32 of the first 1 MiB of sound, or all of it>},
//    "video": {"path": "/abs/clip.mp4", "size": <bytes>, "mtime-ns": <ns>},
//    "latency": {"input": <s>, "output": <s>},
//    "end": "stop" | "replaced" | "ended",
//    "complete": true,
//    "segments": [{"from": <frame>, "to": <frame>, "position": <s>}, ...],
//    "volume": [{"frame": <frame>, "right": <0..65535>}, ...]}
//
// A segment is a stretch of the take (frames received from the input) during which the
// video played on from "position" (what the player reported at "from"). Gaps between
// segments are pauses or seeks. "input" is the input's own delay as the sound server
// reports it (sound captured at a moment lands that much later in the take); "output"
// is the part of the output's delay the player's position does not already account
// for (negative when the take hears the sound before the player counts it as heard, as
// a recording of the player's sink's monitor does). The export shifts the timeline by
// both. "volume" holds the right channel's output volume word at the take's start and
// at each change. "complete" is false for the record kept with a take's journal while
// it records: its take's sound is not known yet ("bytes" and "head-crc32" are 0); a
// rescue of the journal completes it (CompleteCoverSidecar).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TCoverSegment {
  std::int64_t From = 0;
  std::int64_t To = 0;
  double Position = 0;
  bool operator==(const TCoverSegment&) const = default;
};

struct TCoverVolume {
  std::int64_t Frame = 0;
  int Right = 0xFFFF;
  bool operator==(const TCoverVolume&) const = default;
};

// Which take a record belongs to: its format and its sound.
struct TTakeIdentity {
  int Channels = 0;
  int Bits = 0;
  int Rate = 0;
  std::uint64_t Bytes = 0;
  std::uint32_t HeadCrc = 0;
  bool operator==(const TTakeIdentity&) const = default;
};

struct TVideoIdentity {
  std::string Path;
  std::uint64_t Size = 0;
  std::int64_t MtimeNs = 0;
  bool operator==(const TVideoIdentity&) const = default;
};

struct TCoverRecord {
  static constexpr int Version = 1;
  TTakeIdentity Take;
  TVideoIdentity Video;
  double InputLatency = 0;
  double OutputLatency = 0;
  std::string End = "stop";
  bool Complete = true;
  std::vector<TCoverSegment> Segments;
  std::vector<TCoverVolume> Volume;
  bool operator==(const TCoverRecord&) const = default;
};

// "dir/Temp.wav" -> "dir/Temp.cover.json".
std::string CoverSidecarPath(const std::string& takePath);

std::string WriteCoverJson(const TCoverRecord& r);
// Parses a record; nullopt with error set ("... at segments[2].to", say) when the text
// is not JSON, not ours, of a later version, or holds values out of range.
std::optional<TCoverRecord> ParseCoverJson(const std::string& text, std::string& error);

// Reads the identity of a wave file as the recorder writes it; false with error.
bool ReadTakeIdentity(const std::string& takePath, TTakeIdentity& id, std::string& error);
// Size and modification time of a file; false when it cannot be read.
bool ReadVideoIdentity(const std::string& path, TVideoIdentity& id);

// Writes the record beside the take (atomically: a new file renamed into place); the
// take's identity is read from the file. False with error.
bool SaveCoverSidecar(const std::string& takePath, TCoverRecord record, std::string& error);
// Writes the record as it stands to path (atomically).
bool WriteCoverRecord(const std::string& path, const TCoverRecord& record, std::string& error);
// The record a journal carried along to its rescued take, completed with that take's
// identity when the take has the format the record names. False (error set) when there
// is a record that cannot be completed; true when there is none or it was completed.
bool CompleteCoverSidecar(const std::string& takePath, std::string& error);
