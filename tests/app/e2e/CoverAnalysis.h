#pragma once
// Reading covers back for tests: their sound, the video time of their first picture,
// and the lag between their sound and the video's own.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/e2e/RealProgram.h"

namespace coveranalysis {
using e2etest::Shell;

inline const std::string kProgram = std::string(CORVALE_BINARY_DIR) + "/corvale";
inline const std::string kTake = std::string(CORVALE_BINARY_DIR) + "/Temp.wav";
inline const std::string kSidecar = std::string(CORVALE_BINARY_DIR) + "/Temp.cover.json";

// A file's first sound track, mono at 44100 Hz, from the file's time 0 (a track that
// starts later is preceded by silence).
inline std::vector<float> DecodeSound(const std::string& file) {
  std::string raw;
  Shell("ffmpeg -v error -i '" + file + "' -map 0:a:0 -af aresample=async=1:first_pts=0 -ac 1 -ar 44100 -f f32le -",
        &raw);
  std::vector<float> s(raw.size() / 4);
  std::memcpy(s.data(), raw.data(), s.size() * 4);
  return s;
}

// The program's export; its exit status, and its messages when asked.
inline int Export(const std::string& out, const std::string& extra, std::string* messages = nullptr) {
  return Shell("ASAN_OPTIONS=detect_leaks=0 '" + kProgram + "' --export-cover '" + out + "' " + extra + " 2>&1",
               messages);
}

// A test video whose frame N has the grey level 16 + N mod 200 (25 frames a second)
// and pink noise for its sound.
inline bool MakeCountingVideo(const std::string& path, int seconds) {
  const std::string d = std::to_string(seconds);
  return Shell("ffmpeg -v error -y -f lavfi -i \"color=c=black:s=64x48:r=25:d=" + d +
               ",geq=lum='16+mod(N,200)':cb=128:cr=128\" -f lavfi -i 'anoisesrc=d=" + d +
               ":c=pink:r=44100:a=0.4' -c:v libx264 -qp 0 -preset ultrafast -pix_fmt yuv420p -g 25 -c:a aac"
               " -b:a 192k -shortest '" + path + "'") == 0;
}

// The video's time of the cover's first picture, from the pictures themselves (see
// MakeCountingVideo): the median over all pictures of N / 25 - the picture's time.
inline double PictureStart(const std::string& cover) {
  std::string log;
  Shell("ffmpeg -v info -i '" + cover + "' -map 0:v:0 -vf 'crop=2:2:20:20,showinfo' -f null - 2>&1", &log);
  std::istringstream in(log);
  std::string line;
  std::vector<double> starts;
  int last = -1, wraps = 0;
  while (std::getline(in, line)) {
    auto t = line.find("pts_time:"), m = line.find("mean:[");
    if (t == std::string::npos || m == std::string::npos) continue;
    double pts = std::stod(line.substr(t + 9));
    int grey = std::stoi(line.substr(m + 6)) - 16;
    if (last >= 0 && grey < last - 100) ++wraps;
    last = grey;
    starts.push_back((grey + 200 * wraps) / 25.0 - pts);
  }
  if (starts.size() < 3) return NAN;
  std::nth_element(starts.begin(), starts.begin() + long(starts.size() / 2), starts.end());
  return starts[starts.size() / 2];
}

// The lag (seconds) at which cover(t) best matches video(t + start + lag), searched
// within 0.4 s, over up to 3 s of the cover from its first half second on.
inline double Offset(const std::vector<float>& cover, const std::vector<float>& video, double start) {
  const int rate = 44100, step = 4;
  const long from = rate / 2, len = std::min<long>(long(cover.size()) - from - rate / 2, 3L * rate);
  const long maxLag = rate * 4 / 10;
  auto score = [&](long lag, int stride) {
    double xy = 0, yy = 0;
    for (long i = 0; i < len; i += stride) {
      long j = from + i + long(std::lround(start * rate)) + lag;
      if (j < 0 || j >= long(video.size())) continue;
      xy += double(cover[std::size_t(from + i)]) * video[std::size_t(j)];
      yy += double(video[std::size_t(j)]) * video[std::size_t(j)];
    }
    return yy > 0 ? xy / std::sqrt(yy) : 0;
  };
  long best = 0;
  double bestScore = -1e300;
  for (long lag = -maxLag; lag <= maxLag; lag += step)
    if (double s = score(lag, step); s > bestScore) bestScore = s, best = lag;
  long fine = best;
  for (long lag = best - step; lag <= best + step; ++lag)
    if (double s = score(lag, 1); s > bestScore) bestScore = s, fine = lag;
  return double(fine) / rate;
}
}  // namespace coveranalysis
