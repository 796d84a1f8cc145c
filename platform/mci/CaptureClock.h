#pragma once
// Where a running recording is in its take, for lining other events up with its sound.
#include <cstdint>

#include "platform/mci/Mci.h"

struct TCaptureClock {
  // Frames of the take received from the input so far (the next one to arrive has this
  // index in the take).
  std::uint64_t Frame = 0;
  // Frames the sound server reports as captured but not yet handed over: the sound at
  // the input at this moment lands at Frame + LatencyFrames.
  std::uint64_t LatencyFrames = 0;
  int SamplesPerSec = 0;
};

// The clock of the device's running recording; false when it records nothing.
bool mciCaptureClock(MCIDEVICEID device, TCaptureClock& clock);
