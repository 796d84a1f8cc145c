#pragma once
// corvale --export-cover OUT [--take FILE] [--backing heard|left|right|stereo|none]
//                            [--voice-gain DB] [--backing-gain DB]
// Runs without a display: checks the take, its timeline and the video, then writes the
// cover. Status 0 on success, 1 on a failure (with a message), 2 on a usage error.
#include <string>
#include <vector>

#include "platform/cover/CoverExport.h"

struct TCoverOptions {
  std::string Out;
  std::string Take;  // "" = the Temp.wav the program writes
  cover::TBacking Backing = cover::TBacking::Heard;
  double VoiceGainDb = 0;
  double BackingGainDb = 0;
};

// Parses the arguments after --export-cover; false with error for a usage error.
bool ParseCoverOptions(const std::vector<std::string>& args, TCoverOptions& options, std::string& error);
// Carries the export out; messages go to standard error. Returns the exit status.
int RunCoverExport(const TCoverOptions& options);
