#include "app/CoverSidecar.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <vector>

#include "framework/core/Exceptions.h"
#include "platform/mci/WaveFile.h"

using nlohmann::json;

namespace {
constexpr const char* kMagic = "corvale-cover";
constexpr std::uint64_t kHeadBytes = 1 << 20;
constexpr std::size_t kMaxText = 4 << 20;  // far beyond any take's record

// Raised by the readers below with the path of the faulty value.
struct TBadValue {
  std::string What;
};

const json& Field(const json& obj, const char* key, const std::string& where) {
  auto it = obj.find(key);
  if (it == obj.end()) throw TBadValue{"missing " + where + key};
  return *it;
}

std::int64_t Int(const json& obj, const char* key, const std::string& where, std::int64_t lo, std::int64_t hi) {
  const json& v = Field(obj, key, where);
  std::int64_t n = 0;
  if (v.is_number_unsigned()) {
    auto u = v.get<std::uint64_t>();
    if (u > std::uint64_t(std::numeric_limits<std::int64_t>::max())) throw TBadValue{where + key + " is out of range"};
    n = std::int64_t(u);
  } else if (v.is_number_integer()) {
    n = v.get<std::int64_t>();
  } else {
    throw TBadValue{where + key + " is not a whole number"};
  }
  if (n < lo || n > hi) throw TBadValue{where + key + " is out of range"};
  return n;
}

double Real(const json& obj, const char* key, const std::string& where, double lo, double hi) {
  const json& v = Field(obj, key, where);
  if (!v.is_number()) throw TBadValue{where + key + " is not a number"};
  double d = v.get<double>();
  if (!std::isfinite(d) || d < lo || d > hi) throw TBadValue{where + key + " is out of range"};
  return d;
}

const json& Object(const json& obj, const char* key, const std::string& where) {
  const json& v = Field(obj, key, where);
  if (!v.is_object()) throw TBadValue{where + key + " is not an object"};
  return v;
}

const json& Array(const json& obj, const char* key, const std::string& where) {
  const json& v = Field(obj, key, where);
  if (!v.is_array()) throw TBadValue{where + key + " is not a list"};
  return v;
}

constexpr std::int64_t kMaxFrame = std::int64_t(1) << 40;
constexpr double kMaxSeconds = 1e7;
}  // namespace

std::string CoverSidecarPath(const std::string& takePath) {
  auto slash = takePath.rfind('/');
  auto dot = takePath.rfind('.');
  std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)
                         ? takePath.substr(0, dot)
                         : takePath;
  return stem + ".cover.json";
}

std::string WriteCoverJson(const TCoverRecord& r) {
  json j;
  j[kMagic] = TCoverRecord::Version;
  j["take"] = {{"channels", r.Take.Channels}, {"bits", r.Take.Bits},   {"rate", r.Take.Rate},
               {"bytes", r.Take.Bytes},       {"head-crc32", r.Take.HeadCrc}};
  j["video"] = {{"path", r.Video.Path}, {"size", r.Video.Size}, {"mtime-ns", r.Video.MtimeNs}};
  j["latency"] = {{"input", r.InputLatency}, {"output", r.OutputLatency}};
  j["end"] = r.End;
  j["complete"] = r.Complete;
  j["segments"] = json::array();
  for (const auto& s : r.Segments) j["segments"].push_back({{"from", s.From}, {"to", s.To}, {"position", s.Position}});
  j["volume"] = json::array();
  for (const auto& v : r.Volume) j["volume"].push_back({{"frame", v.Frame}, {"right", v.Right}});
  // A video path that is not UTF-8 raises (json::exception): SaveCoverSidecar says so.
  return j.dump(1, ' ', false, json::error_handler_t::strict) + "\n";
}

std::optional<TCoverRecord> ParseCoverJson(const std::string& text, std::string& error) {
  if (text.size() > kMaxText) {
    error = "the file is too large to be a cover record";
    return std::nullopt;
  }
  json j = json::parse(text, nullptr, false);
  if (j.is_discarded()) {
    error = "not JSON";
    return std::nullopt;
  }
  if (!j.is_object() || !j.contains(kMagic)) {
    error = "not a Corvale cover record";
    return std::nullopt;
  }
  try {
    TCoverRecord r;
    std::int64_t version = Int(j, kMagic, "", 1, std::numeric_limits<std::int32_t>::max());
    if (version > TCoverRecord::Version)
      throw TBadValue{"version " + std::to_string(version) + " is newer than this program reads"};
    const json& take = Object(j, "take", "");
    r.Take.Channels = int(Int(take, "channels", "take.", 1, 2));
    r.Take.Bits = int(Int(take, "bits", "take.", 8, 16));
    if (r.Take.Bits != 8 && r.Take.Bits != 16) throw TBadValue{"take.bits is neither 8 nor 16"};
    r.Take.Rate = int(Int(take, "rate", "take.", 8000, 96000));
    r.Take.Bytes = std::uint64_t(Int(take, "bytes", "take.", 0, std::int64_t(kMaxWaveDataSize)));
    r.Take.HeadCrc = std::uint32_t(Int(take, "head-crc32", "take.", 0, 0xFFFFFFFFll));
    const json& video = Object(j, "video", "");
    const json& path = Field(video, "path", "video.");
    if (!path.is_string() || path.get<std::string>().empty() || path.get<std::string>()[0] != '/')
      throw TBadValue{"video.path is not an absolute path"};
    r.Video.Path = path.get<std::string>();
    r.Video.Size = std::uint64_t(Int(video, "size", "video.", 0, std::numeric_limits<std::int64_t>::max()));
    r.Video.MtimeNs = Int(video, "mtime-ns", "video.", std::numeric_limits<std::int64_t>::min(),
                          std::numeric_limits<std::int64_t>::max());
    const json& latency = Object(j, "latency", "");
    r.InputLatency = Real(latency, "input", "latency.", 0, 10);
    r.OutputLatency = Real(latency, "output", "latency.", -10, 10);
    const json& end = Field(j, "end", "");
    if (!end.is_string() || (end != "stop" && end != "replaced" && end != "ended"))
      throw TBadValue{"end is not one of stop, replaced, ended"};
    r.End = end.get<std::string>();
    if (auto c = j.find("complete"); c != j.end()) {
      if (!c->is_boolean()) throw TBadValue{"complete is neither true nor false"};
      r.Complete = c->get<bool>();
    }
    const json& segments = Array(j, "segments", "");
    if (segments.empty()) throw TBadValue{"segments is empty"};
    std::int64_t last = 0;
    for (std::size_t i = 0; i < segments.size(); ++i) {
      const std::string where = "segments[" + std::to_string(i) + "].";
      if (!segments[i].is_object()) throw TBadValue{where + " is not an object"};
      TCoverSegment s;
      s.From = Int(segments[i], "from", where, 0, kMaxFrame);
      s.To = Int(segments[i], "to", where, 0, kMaxFrame);
      s.Position = Real(segments[i], "position", where, -kMaxSeconds, kMaxSeconds);
      if (s.To < s.From) throw TBadValue{where + "to is before from"};
      if (s.From < last) throw TBadValue{where + "from overlaps the segment before"};
      last = s.To;
      r.Segments.push_back(s);
    }
    const json& volume = Array(j, "volume", "");
    std::int64_t lastFrame = 0;
    for (std::size_t i = 0; i < volume.size(); ++i) {
      const std::string where = "volume[" + std::to_string(i) + "].";
      if (!volume[i].is_object()) throw TBadValue{where + " is not an object"};
      TCoverVolume v;
      v.Frame = Int(volume[i], "frame", where, 0, kMaxFrame);
      v.Right = int(Int(volume[i], "right", where, 0, 0xFFFF));
      if (v.Frame < lastFrame) throw TBadValue{where + "frame is before the one before"};
      lastFrame = v.Frame;
      r.Volume.push_back(v);
    }
    return r;
  } catch (const TBadValue& e) {
    error = e.What;
  } catch (const json::exception& e) {
    error = e.what();
  }
  return std::nullopt;
}

bool ReadTakeIdentity(const std::string& takePath, TTakeIdentity& id, std::string& error) {
  TWaveFileInfo info;
  try {
    info = ReadWaveFileInfo(takePath);
  } catch (const Exception& e) {
    error = e.Message();
    return false;
  }
  int fd = ::open(takePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  std::vector<unsigned char> head(static_cast<std::size_t>(std::min(info.DataSize, kHeadBytes)));
  ssize_t n = head.empty() ? 0 : ::pread(fd, head.data(), head.size(), static_cast<off_t>(info.DataOffset));
  ::close(fd);
  if (n != static_cast<ssize_t>(head.size())) {
    error = "its sound cannot be read";
    return false;
  }
  id.Channels = info.Format.Channels;
  id.Bits = info.Format.BitsPerSample;
  id.Rate = info.Format.SamplesPerSec;
  id.Bytes = info.DataSize;
  id.HeadCrc = static_cast<std::uint32_t>(::crc32(0L, head.data(), static_cast<uInt>(head.size())));
  return true;
}

bool ReadVideoIdentity(const std::string& path, TVideoIdentity& id) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  id.Path = path;
  id.Size = static_cast<std::uint64_t>(st.st_size);
  id.MtimeNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return true;
}

bool WriteCoverRecord(const std::string& path, const TCoverRecord& record, std::string& error) {
  std::string text;
  try {
    text = WriteCoverJson(record);
  } catch (const json::exception&) {
    error = "the video's path is not UTF-8 text";
    return false;
  }
  std::string temp = path + ".XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ok = ::fchmod(fd, 0644) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return true;
  error = path + ": " + std::strerror(errno);
  ::unlink(temp.c_str());
  return false;
}

bool SaveCoverSidecar(const std::string& takePath, TCoverRecord record, std::string& error) {
  if (!ReadTakeIdentity(takePath, record.Take, error)) return false;
  record.Complete = true;
  return WriteCoverRecord(CoverSidecarPath(takePath), record, error);
}

bool CompleteCoverSidecar(const std::string& takePath, std::string& error) {
  const std::string path = CoverSidecarPath(takePath);
  std::ifstream in(path, std::ios::binary);
  if (!in) return true;
  std::string text(kMaxText + 1, '\0');
  in.read(text.data(), std::streamsize(text.size()));
  text.resize(std::size_t(in.gcount()));
  auto record = ParseCoverJson(text, error);
  if (!record) return false;
  if (record->Complete) return true;
  TTakeIdentity id;
  if (!ReadTakeIdentity(takePath, id, error)) return false;
  if (id.Channels != record->Take.Channels || id.Bits != record->Take.Bits || id.Rate != record->Take.Rate) {
    error = "the rescued take's format is not the one its timeline names";
    return false;
  }
  record->Take = id;
  record->Complete = true;
  return WriteCoverRecord(path, *record, error);
}
