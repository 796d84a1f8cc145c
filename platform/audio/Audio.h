#pragma once
// Sound input streams and the wave-out volume, in the terms of the classic multimedia
// interface. Capture runs through IAudioSource so that tests and benchmarks can swap
// the real sound server for a scripted source.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/core/Types.h"

using MMRESULT = unsigned int;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_NOTENABLED = 3;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;

// PCM format of a capture stream: 8-bit samples are unsigned, 16-bit signed little-endian,
// channels interleaved.
struct TAudioFormat {
  int Channels = 2;
  int SamplesPerSec = 22050;
  int BitsPerSample = 16;
  int BlockAlign() const { return Channels * (BitsPerSample / 8); }
  int BytesPerSec() const { return BlockAlign() * SamplesPerSec; }
  friend bool operator==(const TAudioFormat&, const TAudioFormat&) = default;
};

// True for the formats a capture stream supports: 1 or 2 channels, 8 or 16 bits,
// 8000 to 96000 samples per second.
bool IsSupportedFormat(const TAudioFormat& f);

class IAudioSource {
 public:
  virtual ~IAudioSource() = default;
  // Starts the stream; MMSYSERR_NOERROR or an error code (no server: MMSYSERR_NODRIVER,
  // unsupported format: WAVERR_BADFORMAT). Never blocks longer than a few seconds.
  virtual MMRESULT Open(const TAudioFormat& format) = 0;
  // Waits up to timeoutMs for data and copies at most bytes (a whole number of frames)
  // into buffer. Returns the bytes read (0 on timeout) or -1 when the stream failed.
  virtual long Read(void* buffer, size_t bytes, int timeoutMs) = 0;
  virtual void Close() = 0;
  // The stream's clock, callable from any thread while the stream is open: frames
  // handed out so far (by Read or waiting to be read) and the frames the server holds
  // that were captured but not yet handed over (its reported latency). False when the
  // source has no such clock.
  virtual bool Clock(std::uint64_t& framesReceived, std::uint64_t& latencyFrames) { return false; }
};

// Makes the sources that capture uses. The default makes the sound-server source.
using TAudioSourceFactory = std::function<std::unique_ptr<IAudioSource>()>;
std::unique_ptr<IAudioSource> CreateAudioSource();
// Replaces the factory process-wide; an empty function restores the default.
void SetAudioSourceFactory(TAudioSourceFactory factory);

// The default source of the sound server (the user's microphone).
std::unique_ptr<IAudioSource> CreatePulseAudioSource();

// A source that computes its samples: one sine per channel (frequency in Hz, amplitude
// 0..1 of full scale). It delivers sound as fast as it is read unless realTime is set,
// and ends (Read returns -1) after totalFrames frames when that is not 0.
struct TSyntheticSignal {
  int LeftHz = 440, RightHz = 1000;  // whole hertz: the signal repeats every second
  double Amplitude = 0.5;
  bool RealTime = false;
  std::uint64_t TotalFrames = 0;
};
std::unique_ptr<IAudioSource> CreateSyntheticAudioSource(const TSyntheticSignal& signal);
// The exact sample value the synthetic source produces for a frame and channel, in the
// stream's format (8-bit unsigned or 16-bit signed), so that a test can check every byte.
int SyntheticSample(const TSyntheticSignal& signal, const TAudioFormat& format,
                    std::uint64_t frame, int channel);

// Wave-out volume of device 0, one word per call: low 16 bits left, high 16 bits right,
// each 0 (silent) to 0xFFFF (full), linear onto the default sink's channel volumes.
// A sink channel above normal volume reads as 0xFFFF; a channel written with the word it
// reads keeps its exact volume, so a read-modify-write of one channel leaves the other
// as it was.
// What the sound server reports about this process's own playback stream (the video
// player's sound): how long a sample waits in the stream's buffer and then in the
// sink, and whether this process records from that sink's monitor (its sound reaches
// such a recording as the sink takes it in, before the sink's own delay).
struct TPlaybackLatency {
  double BufferSeconds = 0;
  double SinkSeconds = 0;
  // The sink's configured latency: how far ahead of its playing it takes sound in,
  // which is when its monitor hears it.
  double SinkBlockSeconds = 0;
  bool RecordedFromItsMonitor = false;
};
// False when the server cannot tell (no server, no such stream).
bool PlaybackLatencyOfThisProcess(TPlaybackLatency& latency);

// The amplitude a sink channel volume word (0..0xFFFF, as waveOutSetVolume takes it)
// gives a signal: the server's volume scale is not linear in amplitude.
double VolumeWordToAmplitude(DWORD word);

MMRESULT waveOutGetVolume(unsigned device, DWORD* volume);
MMRESULT waveOutSetVolume(unsigned device, DWORD volume);
