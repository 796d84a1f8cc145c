#pragma once
// Ties a take's cover timeline to the main window's player and recorder: it listens to
// the player's events, reads both clocks on a timer while a take runs, and writes the
// record beside the saved (or rescued) take.
#include <memory>
#include <optional>
#include <string>

#include "app/CoverTimeline.h"

class TMediaPlayer;
class TTimer;
class TWindowsMediaPlayer;

class TCoverRecorder {
 public:
  TCoverRecorder(TWindowsMediaPlayer* video, TMediaPlayer* recorder);
  ~TCoverRecorder();

  // The recorder began a take in this format, for the file target.
  void TakeStarted(int channels, int bits, int rate, const std::string& target);
  // The slider set the right channel's volume word.
  void VolumeChanged(int rightVolume);
  // Right before the recorder stops: the timeline ends here.
  void TakeStopping();
  // The take landed in takePath (saved or rescued): its record goes beside it, and an
  // older record there goes when this take has none. An empty takePath: the take stays
  // in its journal, and so does its record.
  void TakeSaved(const std::string& takePath);

  TCoverTimeline& Timeline() { return FTimeline; }

 private:
  TWindowsMediaPlayer* FVideo;
  TMediaPlayer* FRecorder;
  TCoverTimeline FTimeline;
  std::unique_ptr<TTimer> FTimer;
  std::optional<TCoverRecord> FPending;
  // While a take records, its record goes with its journal as well (named after it,
  // so that a rescue of the journal carries it along), brought up to date each second.
  std::string FJournalRecord;
  TTakeIdentity FFormat;
  int FTicks = 0;
  void KeepWithJournal(std::optional<TCoverRecord> record);
};
