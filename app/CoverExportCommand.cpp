#include "app/CoverExportCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/CoverSidecar.h"
#include "app/RecordingFolder.h"
#include "app/RecordingRescue.h"
#include "framework/core/SysUtils.h"
#include "platform/audio/Audio.h"

namespace {
constexpr std::size_t kMaxSidecar = 4 << 20;

std::string Lower(std::string s) {
  for (char& c : s) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

bool ParseGain(const std::string& text, double& value) {
  if (text.empty()) return false;
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  in >> value;
  return in && in.peek() == EOF && std::isfinite(value) && value >= -120 && value <= 40;
}

std::string DefaultTake() {
  const std::string program = ExtractFilePath(ApplicationExeName());
  if (FolderWritable(program)) return program + "Temp.wav";
  std::string music = UserMusicFolder();
  if (!music.empty() && music.back() != '/') music += '/';
  return music + "Temp.wav";
}

struct TFileId {
  dev_t Dev = 0;
  ino_t Ino = 0;
};

bool Identify(const std::string& path, TFileId& id) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  id = {st.st_dev, st.st_ino};
  return true;
}

bool SameFile(const std::string& a, const std::string& b) {
  TFileId x, y;
  return Identify(a, x) && Identify(b, y) && x.Dev == y.Dev && x.Ino == y.Ino;
}

std::string Clock(double seconds) {
  const long s = std::lround(std::max(0.0, seconds));
  char b[32];
  std::snprintf(b, sizeof b, "%ld:%02ld", s / 60, s % 60);
  return b;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "corvale: %s\n", message.c_str());
  return 1;
}
}  // namespace

bool ParseCoverOptions(const std::vector<std::string>& args, TCoverOptions& o, std::string& error) {
  auto value = [&](std::size_t& i, const std::string& name, std::string& out) {
    const std::string& a = args[i];
    if (a.size() > name.size() && a.compare(0, name.size() + 1, name + "=") == 0) {
      out = a.substr(name.size() + 1);
    } else if (i + 1 < args.size()) {
      out = args[++i];
    } else {
      error = name + " needs a value";
      return false;
    }
    return true;
  };
  auto is = [](const std::string& a, const char* name) {
    return a == name || a.rfind(std::string(name) + "=", 0) == 0;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string v;
    if (is(a, "--take")) {
      if (!value(i, "--take", v)) return false;
      if (v.empty()) {
        error = "--take needs a file name";
        return false;
      }
      o.Take = v;
    } else if (is(a, "--backing")) {
      if (!value(i, "--backing", v)) return false;
      static const std::pair<const char*, cover::TBacking> kNames[] = {
          {"heard", cover::TBacking::Heard},   {"left", cover::TBacking::Left}, {"right", cover::TBacking::Right},
          {"stereo", cover::TBacking::Stereo}, {"none", cover::TBacking::None}};
      bool found = false;
      for (const auto& [name, b] : kNames)
        if (v == name) {
          o.Backing = b;
          found = true;
        }
      if (!found) {
        error = "--backing is one of heard, left, right, stereo, none (not '" + v + "')";
        return false;
      }
    } else if (is(a, "--voice-gain") || is(a, "--backing-gain")) {
      const std::string name = is(a, "--voice-gain") ? "--voice-gain" : "--backing-gain";
      if (!value(i, name, v)) return false;
      double& gain = name == "--voice-gain" ? o.VoiceGainDb : o.BackingGainDb;
      if (!ParseGain(v, gain)) {
        error = name + " takes decibels from -120 to 40 (not '" + v + "')";
        return false;
      }
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option '" + a + "'";
      return false;
    } else if (o.Out.empty()) {
      o.Out = a;
    } else {
      error = "unexpected argument '" + a + "'";
      return false;
    }
  }
  if (o.Out.empty()) {
    error = "--export-cover needs the output file (.mp4 or .mkv)";
    return false;
  }
  const auto dot = o.Out.rfind('.');
  const std::string ext = dot == std::string::npos || o.Out.find('/', dot) != std::string::npos
                              ? ""
                              : Lower(o.Out.substr(dot));
  if (ext != ".mp4" && ext != ".mkv") {
    error = "the cover is a .mp4 or .mkv file (not '" + o.Out + "')";
    return false;
  }
  return true;
}

int RunCoverExport(const TCoverOptions& o) {
  const std::string take = o.Take.empty() ? DefaultTake() : o.Take;
  if (!FileExists(take)) return Fail("no take at " + take + " (record one first, or name it with --take)");
  const std::string sidecar = CoverSidecarPath(take);
  std::ifstream in(sidecar, std::ios::binary);
  if (!in)
    return Fail("the take " + take + " has no video timeline (" + sidecar +
                "): it was recorded without a video playing");
  std::string text(kMaxSidecar + 1, '\0');
  in.read(text.data(), std::streamsize(text.size()));
  text.resize(std::size_t(in.gcount()));
  std::string error;
  auto record = ParseCoverJson(text, error);
  if (!record) return Fail(sidecar + " is not a timeline this program wrote: " + error);

  if (!record->Complete)
    return Fail(sidecar + " is the timeline of a take that was never saved or rescued");
  TTakeIdentity id;
  if (!ReadTakeIdentity(take, id, error)) return Fail("the take " + take + " cannot be read: " + error);
  const TTakeIdentity& want = record->Take;
  if (id.Channels != want.Channels || id.Bits != want.Bits || id.Rate != want.Rate) {
    char b[256];
    std::snprintf(b, sizeof b, "the take is %d Hz, %d-bit, %d channel(s), but its timeline is for %d Hz, %d-bit, "
                               "%d channel(s): they belong to different takes",
                  id.Rate, id.Bits, id.Channels, want.Rate, want.Bits, want.Channels);
    return Fail(take + ": " + b);
  }
  if (id.Bytes != want.Bytes || id.HeadCrc != want.HeadCrc)
    return Fail(sidecar + " belongs to another take than " + take);

  const std::string& video = record->Video.Path;
  TVideoIdentity now;
  if (!ReadVideoIdentity(video, now)) return Fail("the video " + video + " is gone");
  if (now.Size != record->Video.Size || now.MtimeNs != record->Video.MtimeNs)
    return Fail("the video " + video + " has changed since the take");
  if (!cover::ProbeVideo(video, error)) return Fail(error);

  if (SameFile(o.Out, video)) return Fail("the cover cannot replace its own video " + video);
  if (SameFile(o.Out, take)) return Fail("the cover cannot replace the take " + take);
  std::string folder = ExtractFilePath(o.Out);
  if (folder.empty()) folder = "./";
  if (!FolderWritable(folder)) return Fail("the folder " + folder + " cannot be written");

  // The timeline on the take's clock, shifted by the latencies of the input (captured
  // sound arrives late) and of the player's output (written sound is heard late).
  const double rate = record->Take.Rate;
  const double takeSeconds = double(id.Bytes) / (id.Channels * (id.Bits / 8)) / rate;
  cover::TJob job;
  for (const auto& s : record->Segments) {
    cover::TPiece p;
    p.TakeFrom = double(s.From) / rate + record->InputLatency;
    p.TakeTo = std::min(double(s.To) / rate + record->InputLatency, takeSeconds);
    p.VideoFrom = s.Position - record->OutputLatency;
    if (p.VideoFrom < 0) {
      p.TakeFrom -= p.VideoFrom;
      p.VideoFrom = 0;
    }
    if (p.TakeTo > p.TakeFrom) job.Pieces.push_back(p);
  }
  if (job.Pieces.empty()) return Fail("the take " + take + " holds no stretch of the video");
  for (const auto& v : record->Volume)
    job.RightGain.push_back({double(v.Frame) / rate + record->InputLatency, VolumeWordToAmplitude(DWORD(v.Right))});
  job.VideoPath = video;
  job.TakePath = take;
  job.OutPath = o.Out;
  job.Start = job.Pieces.front().TakeFrom;
  job.End = job.Pieces.back().TakeTo;
  job.Backing = o.Backing;
  job.VoiceGainDb = o.VoiceGainDb;
  job.BackingGainDb = o.BackingGainDb;
  if (record->End == "replaced")
    std::fprintf(stderr, "corvale: another video was opened during the take; the cover holds the stretch over %s\n",
                 video.c_str());
  const bool terminal = ::isatty(2);
  const auto began = std::chrono::steady_clock::now();
  if (terminal)
    job.Progress = [&](double done) {
      const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
      const double left = done > 0.01 ? spent * (1 - done) / done : 0;
      std::fprintf(stderr, "\rcorvale: making the cover %3d%%, %s left ", int(done * 100), Clock(left).c_str());
      std::fflush(stderr);
    };
  cover::TResult r = cover::Export(job);
  if (terminal) std::fprintf(stderr, "\n");
  if (!r.Ok) return Fail(r.Error);
  std::fprintf(stderr, "corvale: wrote %s (%s, the video %s)\n", o.Out.c_str(), Clock(r.Duration).c_str(),
               r.VideoCopied ? "copied" : "encoded again");
  return 0;
}
