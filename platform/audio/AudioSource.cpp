#include <mutex>

#include "platform/audio/Audio.h"

namespace {
std::mutex& FactoryLock() {
  static std::mutex m;
  return m;
}
TAudioSourceFactory& Factory() {
  static TAudioSourceFactory f;
  return f;
}
}  // namespace

bool IsSupportedFormat(const TAudioFormat& f) {
  return (f.Channels == 1 || f.Channels == 2) && (f.BitsPerSample == 8 || f.BitsPerSample == 16) &&
         f.SamplesPerSec >= 8000 && f.SamplesPerSec <= 96000;
}

std::unique_ptr<IAudioSource> CreateAudioSource() {
  TAudioSourceFactory f;
  {
    std::lock_guard lock(FactoryLock());
    f = Factory();
  }
  return f ? f() : CreatePulseAudioSource();
}

void SetAudioSourceFactory(TAudioSourceFactory factory) {
  std::lock_guard lock(FactoryLock());
  Factory() = std::move(factory);
}
