#include "platform/mci/WaveAudioDevice.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <vector>

#include "framework/core/Exceptions.h"
#include "platform/mci/WaveFile.h"

namespace {
constexpr size_t kChunk = 256 * 1024;
constexpr int kReadTimeoutMs = 100;
constexpr std::chrono::milliseconds kBatchTime{250};

std::string FolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

MCIERROR SourceError(MMRESULT r) { return r == MMSYSERR_ALLOCATED ? MCIERR_WAVE_INPUTSINUSE : MCIERR_WAVE_INPUTSUNSUITABLE; }
}  // namespace

TWaveAudioDevice::~TWaveAudioDevice() { EndCapture(MCI_NOTIFY_ABORTED); }

MCIERROR TWaveAudioDevice::OpenElement(const char* element) {
  if (!element || !element[0]) {
    if (!FJournal.CreateUnnamed("", FFormat)) return MCIERR_OUT_OF_MEMORY;
    return 0;
  }
  std::string path = element;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? MCIERR_FILE_NOT_FOUND : MCIERR_FILE_READ;
  if (!S_ISREG(st.st_mode)) return MCIERR_INVALID_FILE;
  TWaveFileInfo info;
  try {
    info = ReadWaveFileInfo(path);
  } catch (const EInOutError& e) {
    return e.ErrorCode == ENOENT ? MCIERR_FILE_NOT_FOUND : MCIERR_FILE_READ;
  } catch (const Exception&) {
    return MCIERR_INVALID_FILE;
  }
  // The element's own sound becomes the device's content, copied piecewise.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return MCIERR_FILE_READ;
  FElement = path;
  FFormat = info.Format;
  MCIERROR e = NewJournal(info.DataSize, [fd, &info](std::uint64_t at, void* buf, size_t n) {
    return ::pread(fd, buf, n, static_cast<off_t>(info.DataOffset + at)) == static_cast<ssize_t>(n);
  });
  ::close(fd);
  if (e) {
    FElement.clear();
    return e;
  }
  FLength = info.DataSize;
  FPosition = 0;
  return 0;
}

MCIERROR TWaveAudioDevice::NewJournal(std::uint64_t length,
                                      const std::function<bool(std::uint64_t, void*, size_t)>& read) {
  switch (FJournal.CreateFor(FElement, FFormat)) {
    case TTakeJournal::jcOk: break;
    case TTakeJournal::jcBusy: return MCIERR_DEVICE_LOCKED;  // another take runs here
    default:
      // No journal can be made beside the element (a folder the user may not write
      // in, a file system without locks): the take is recorded, if not crash-safe.
      if (!FJournal.CreateUnnamed(FolderOf(FElement), FFormat)) return MCIERR_OUT_OF_MEMORY;
  }
  std::vector<char> buf(kChunk);
  for (std::uint64_t done = 0; done < length;) {
    size_t n = static_cast<size_t>(std::min<std::uint64_t>(buf.size(), length - done));
    if (!read(done, buf.data(), n) || !FJournal.WriteAt(done, buf.data(), n)) {
      FJournal.Discard();
      return MCIERR_FILE_READ;
    }
    done += n;
  }
  FSaveFailed = false;
  return 0;
}

std::uint64_t TWaveAudioDevice::ToBytes(DWORD v) const {
  auto block = static_cast<std::uint64_t>(FFormat.BlockAlign());
  switch (FTimeFormat) {
    case MCI_FORMAT_BYTES: return v - v % block;
    case MCI_FORMAT_SAMPLES: return std::uint64_t(v) * block;
    default: return std::uint64_t(v) * static_cast<std::uint64_t>(FFormat.SamplesPerSec) / 1000 * block;
  }
}

DWORD TWaveAudioDevice::FromBytes(std::uint64_t b) const {
  auto block = static_cast<std::uint64_t>(FFormat.BlockAlign());
  switch (FTimeFormat) {
    case MCI_FORMAT_BYTES: return static_cast<DWORD>(b);
    case MCI_FORMAT_SAMPLES: return static_cast<DWORD>(b / block);
    default: return static_cast<DWORD>(b / block * 1000 / static_cast<std::uint64_t>(FFormat.SamplesPerSec));
  }
}

MCIERROR TWaveAudioDevice::Command(UINT message, DWORD flags, DWORD_PTR params) {
  switch (message) {
    case MCI_CLOSE:
      EndCapture(MCI_NOTIFY_ABORTED);
      // A take whose save failed is nowhere else: its journal stays for a rescue.
      if (FSaveFailed)
        FJournal.Release();
      else
        FJournal.Discard();
      return 0;
    case MCI_RECORD: return Record(flags, reinterpret_cast<const MCI_RECORD_PARMS*>(params));
    case MCI_STOP:
      EndCapture(MCI_NOTIFY_ABORTED);
      return TakeCaptureError();
    case MCI_SAVE: return Save(flags, reinterpret_cast<const MCI_SAVE_PARMS*>(params));
    case MCI_STATUS: return Status(flags, reinterpret_cast<MCI_STATUS_PARMS*>(params));
    case MCI_GETDEVCAPS: return DevCaps(flags, reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(params));
    case MCI_SET: return Set(flags, reinterpret_cast<const MCI_SET_PARMS*>(params));
    case MCI_SEEK: return Seek(flags, reinterpret_cast<const MCI_SEEK_PARMS*>(params));
    case MCI_PLAY: case MCI_PAUSE: case MCI_RESUME: case MCI_CUE: case MCI_STEP: case MCI_WHERE:
    case MCI_WINDOW: case MCI_PUT: case MCI_REALIZE: case MCI_SPIN: case MCI_ESCAPE: case MCI_INFO:
      return MCIERR_UNSUPPORTED_FUNCTION;
    default: return MCIERR_UNRECOGNIZED_COMMAND;
  }
}

void TWaveAudioDevice::FinishNotify(UINT code) {
  DWORD_PTR cb;
  {
    std::lock_guard lock(FNotifyLock);
    cb = FNotifyCallback;
    FNotifyCallback = 0;
  }
  if (cb) mciDriverNotify(cb, FId, code);
}

void TWaveAudioDevice::EndCapture(UINT code) {
  if (!FThread.joinable()) return;
  FStopRequested = true;
  FThread.join();
  FinishNotify(code);  // nothing when the capture already reported its own end
}

MCIERROR TWaveAudioDevice::Record(DWORD flags, const MCI_RECORD_PARMS* p) {
  if ((flags & (MCI_FROM | MCI_TO)) && !p) return MCIERR_NULL_PARAMETER_BLOCK;
  if (!FJournal.IsOpen()) return MCIERR_DEVICE_NOT_READY;
  // A new record ends the one running; its waiter learns it was superseded or aborted.
  EndCapture((flags & MCI_NOTIFY) ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED);
  if (FJournal.Published()) {
    // The journal became the saved file: more sound goes into a new one, not into it.
    int fd = ::dup(FJournal.Fd());
    FJournal.Release();
    MCIERROR e = fd < 0 ? MCIERR_OUT_OF_MEMORY : NewJournal(FLength, [fd](std::uint64_t at, void* buf, size_t n) {
      return ::pread(fd, buf, n, static_cast<off_t>(44 + at)) == static_cast<ssize_t>(n);
    });
    if (fd >= 0) ::close(fd);
    if (e) return e;
  }
  std::uint64_t start = FPosition;
  if (flags & MCI_FROM) {
    start = ToBytes(p->dwFrom);
    if (start > FLength) return MCIERR_OUTOFRANGE;
  }
  std::uint64_t limit = kMaxWaveDataSize - kMaxWaveDataSize % static_cast<std::uint64_t>(FFormat.BlockAlign());
  std::uint64_t stopAt = limit;
  if (flags & MCI_TO) {
    stopAt = std::min(ToBytes(p->dwTo), limit);
    if (stopAt <= start) return MCIERR_OUTOFRANGE;
  }
  auto source = CreateAudioSource();
  if (MMRESULT r = source->Open(FFormat)) return SourceError(r);
  FCaptureError = 0;  // a failure of an earlier take that nobody asked about is moot now
  FPosition = start;
  FStopRequested = false;
  FRecording = true;
  {
    std::lock_guard lock(FNotifyLock);
    FNotifyCallback = (flags & MCI_NOTIFY) && p ? p->dwCallback : 0;
  }
  {
    std::lock_guard lock(FClockLock);
    FClockSource = source.get();
    FClockBase = start / static_cast<std::uint64_t>(FFormat.BlockAlign());
  }
  FThread = std::thread(&TWaveAudioDevice::CaptureLoop, this, std::move(source), stopAt);
  if (flags & MCI_WAIT) {
    // Waits for the end the recording sets itself (its end position or a failure).
    FThread.join();
  }
  return 0;
}

void TWaveAudioDevice::CaptureLoop(std::unique_ptr<IAudioSource> source, std::uint64_t stopAt) {
  std::vector<char> buf(kChunk);
  const auto block = static_cast<std::uint64_t>(FFormat.BlockAlign());
  // Sound is written in batches of a quarter second: few writes, and what a crash can
  // take stays far below the two seconds the journal promises.
  const size_t batch = std::clamp<size_t>(static_cast<size_t>(FFormat.BytesPerSec() / 4 / block * block),
                                          static_cast<size_t>(block), buf.size());
  UINT code = MCI_NOTIFY_ABORTED;
  MCIERROR failure = 0;
  size_t held = 0;  // read, not yet written
  auto heldSince = std::chrono::steady_clock::now();
  auto flush = [&] {
    if (held == 0) return;
    std::uint64_t pos = FPosition;
    // A full disk may take part of a batch: the whole frames that reached it count.
    std::uint64_t written = FJournal.WriteSome(pos, buf.data(), held);
    if (written < held) failure = MCIERR_FILE_WRITE;
    pos += written - written % block;
    held = 0;
    FPosition = pos;
    if (pos > FLength) FLength = pos;
    if (!failure && !FJournal.Grew(FLength)) failure = MCIERR_FILE_WRITE;
  };
  while (!FStopRequested) {
    if (FPosition + held >= stopAt) {
      flush();
      code = failure ? MCI_NOTIFY_FAILURE : MCI_NOTIFY_SUCCESSFUL;
      break;
    }
    size_t want = static_cast<size_t>(std::min<std::uint64_t>(buf.size() - held, stopAt - FPosition - held));
    long n = source->Read(buf.data() + held, want, kReadTimeoutMs);
    if (n > 0) {
      if (held == 0) heldSince = std::chrono::steady_clock::now();
      held += static_cast<size_t>(n);
    }
    if (n < 0 || held >= batch || std::chrono::steady_clock::now() - heldSince >= kBatchTime) flush();
    if (n < 0 && !failure) failure = MCIERR_HARDWARE;  // the input went away (the sound server ended, say)
    if (failure) {
      code = MCI_NOTIFY_FAILURE;
      break;
    }
  }
  flush();  // what came before a stop
  {
    std::lock_guard lock(FClockLock);
    FClockSource = nullptr;
  }
  source->Close();
  // Kept for the next stop or save to report: the take is cut short, not complete.
  if (failure) FCaptureError = failure;
  FRecording = false;
  if (code != MCI_NOTIFY_ABORTED) FinishNotify(code);
}

MCIERROR TWaveAudioDevice::Save(DWORD flags, const MCI_SAVE_PARMS* p) {
  std::string target = FElement;
  if (flags & MCI_SAVE_FILE) {
    if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
    if (!p->lpfilename || !p->lpfilename[0]) return MCIERR_MISSING_PARAMETER;
    target = p->lpfilename;
  }
  if (target.empty()) return MCIERR_UNNAMED_RESOURCE;
  if (FRecording) return MCIERR_NONAPPLICABLE_FUNCTION;
  if (FThread.joinable()) FThread.join();  // a capture that ended by itself
  // What was captured is saved even after a failed capture, which is reported after.
  if (!FJournal.SaveAs(target, FLength)) {
    FSaveFailed = true;
    return MCIERR_FILE_NOT_SAVED;
  }
  FSaveFailed = false;
  FElement = target;
  return TakeCaptureError();
}

bool TWaveAudioDevice::CaptureClock(TCaptureClock& clock) {
  std::lock_guard lock(FClockLock);
  if (!FClockSource) return false;
  std::uint64_t received = 0, latency = 0;
  if (!FClockSource->Clock(received, latency)) {
    // A source without a clock: what reached the take, without the server's share.
    received = FPosition / static_cast<std::uint64_t>(FFormat.BlockAlign()) - FClockBase;
    latency = 0;
  }
  clock.Frame = FClockBase + received;
  clock.LatencyFrames = latency;
  clock.SamplesPerSec = FFormat.SamplesPerSec;
  return true;
}

MCIERROR TWaveAudioDevice::TakeCaptureError() { return FCaptureError.exchange(0); }

MCIERROR TWaveAudioDevice::Status(DWORD flags, MCI_STATUS_PARMS* p) {
  if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
  if (!(flags & MCI_STATUS_ITEM)) return MCIERR_MISSING_PARAMETER;
  switch (p->dwItem) {
    case MCI_STATUS_LENGTH: p->dwReturn = FromBytes(FLength); return 0;
    case MCI_STATUS_POSITION: p->dwReturn = (flags & MCI_STATUS_START) ? 0 : FromBytes(FPosition); return 0;
    case MCI_STATUS_MODE: p->dwReturn = FRecording ? MCI_MODE_RECORD : MCI_MODE_STOP; return 0;
    case MCI_STATUS_TIME_FORMAT: p->dwReturn = FTimeFormat; return 0;
    case MCI_STATUS_MEDIA_PRESENT: case MCI_STATUS_READY: p->dwReturn = 1; return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS: case MCI_STATUS_CURRENT_TRACK: p->dwReturn = 1; return 0;
    default: return MCIERR_BAD_CONSTANT;
  }
}

MCIERROR TWaveAudioDevice::DevCaps(DWORD flags, MCI_GETDEVCAPS_PARMS* p) {
  if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
  if (!(flags & MCI_GETDEVCAPS_ITEM)) return MCIERR_MISSING_PARAMETER;
  switch (p->dwItem) {
    case MCI_GETDEVCAPS_CAN_RECORD: case MCI_GETDEVCAPS_HAS_AUDIO: case MCI_GETDEVCAPS_USES_FILES:
    case MCI_GETDEVCAPS_COMPOUND_DEVICE: case MCI_GETDEVCAPS_CAN_PLAY: case MCI_GETDEVCAPS_CAN_SAVE:
      p->dwReturn = 1;
      return 0;
    case MCI_GETDEVCAPS_HAS_VIDEO: case MCI_GETDEVCAPS_CAN_EJECT: p->dwReturn = 0; return 0;
    case MCI_GETDEVCAPS_DEVICE_TYPE: p->dwReturn = MCI_DEVTYPE_WAVEFORM_AUDIO; return 0;
    default: return MCIERR_BAD_CONSTANT;
  }
}

MCIERROR TWaveAudioDevice::Set(DWORD flags, const MCI_SET_PARMS* p) {
  if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
  if (flags & (MCI_SET_DOOR_OPEN | MCI_SET_DOOR_CLOSED | MCI_SET_AUDIO | MCI_SET_VIDEO))
    return MCIERR_UNSUPPORTED_FUNCTION;
  if (!(flags & MCI_SET_TIME_FORMAT)) return MCIERR_MISSING_PARAMETER;
  if (p->dwTimeFormat != MCI_FORMAT_MILLISECONDS && p->dwTimeFormat != MCI_FORMAT_BYTES &&
      p->dwTimeFormat != MCI_FORMAT_SAMPLES)
    return MCIERR_BAD_TIME_FORMAT;
  FTimeFormat = p->dwTimeFormat;
  return 0;
}

MCIERROR TWaveAudioDevice::Seek(DWORD flags, const MCI_SEEK_PARMS* p) {
  int targets = ((flags & MCI_SEEK_TO_START) != 0) + ((flags & MCI_SEEK_TO_END) != 0) + ((flags & MCI_TO) != 0);
  if (targets == 0) return MCIERR_MISSING_PARAMETER;
  if (targets > 1) return MCIERR_FLAGS_NOT_COMPATIBLE;
  std::uint64_t to = 0;
  if (flags & MCI_SEEK_TO_END) to = FLength;
  if (flags & MCI_TO) {
    if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
    to = ToBytes(p->dwTo);
    if (to > FLength) return MCIERR_OUTOFRANGE;
  }
  EndCapture(MCI_NOTIFY_ABORTED);
  FPosition = to;
  return 0;
}
