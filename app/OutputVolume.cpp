#include "app/OutputVolume.h"

#include "platform/audio/Audio.h"

std::uint32_t RightChannelVolumeWord(std::uint32_t current, int position) {
  return (current & 0xFFFFu) | ((std::uint32_t(position) * 256u & 0xFFFFu) << 16);
}

void SetRightChannelVolume(int position) {
  DWORD current = 0;
  // When the read fails the left channel is written as full volume: silencing the
  // user's own voice for a slider that only concerns the other channel would be worse.
  if (waveOutGetVolume(0, &current) != 0) current = 0xFFFF;
  waveOutSetVolume(0, RightChannelVolumeWord(current, position));
}
