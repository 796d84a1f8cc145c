#include "app/CoverRecorder.h"

#include <unistd.h>

#include <cstdio>

#include "framework/core/SysUtils.h"
#include "framework/windows/Timers.h"
#include "media/MediaPlayer.h"
#include "media/WindowsMediaPlayer.h"
#include "platform/audio/Audio.h"
#include "platform/mci/CaptureClock.h"
#include "platform/mci/TakeJournal.h"

using namespace mediaplayer;

namespace {
// Not a multiple of the input's 50 ms fragments or the player's own steps.
constexpr unsigned kTickMs = 47;
constexpr int kTicksPerJournalRecord = 21;  // about a second

bool VideoPlays(TMediaPlayerObject* p) {
  return p && p->OpenState() == osMediaOpen && (p->PlayState() == psPlaying || p->PlayState() == psPaused);
}
}  // namespace

TCoverRecorder::TCoverRecorder(TWindowsMediaPlayer* video, TMediaPlayer* recorder)
    : FVideo(video),
      FRecorder(recorder),
      FTimeline({
          [recorder](std::int64_t& frame, std::int64_t& latency) {
            TCaptureClock c;
            if (!mciCaptureClock(recorder->DeviceID(), c)) return false;
            frame = std::int64_t(c.Frame);
            latency = std::int64_t(c.LatencyFrames);
            return true;
          },
          [video](double& seconds) {
            TMediaPlayerObject* p = video->Player();
            bool fromSound = false;
            return p && p->PlayingPosition(seconds, fromSound);
          },
          [](double& seconds) {
            // The player's clock already takes its output's delay off; only a recording
            // of the sink's monitor hears the sound before the sink's own delay.
            TPlaybackLatency l;
            if (!PlaybackLatencyOfThisProcess(l)) return false;
            seconds = l.RecordedFromItsMonitor ? -l.SinkBlockSeconds : 0.0;
            return true;
          },
      }),
      FTimer(std::make_unique<TTimer>(nullptr)) {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kTickMs);
  FTimer->OnTimer = [this](TObject*) {
    FTimeline.Tick();
    if (++FTicks % kTicksPerJournalRecord == 0) KeepWithJournal(FTimeline.Snapshot());
  };
  video->OnPlayStateChange = [this](TObject*, const TWMPEventArgs& a) {
    if (a.empty()) return;
    switch (a[0].AsInt()) {
      case psPlaying: FTimeline.Playing(); break;
      case psPaused: FTimeline.Paused(); break;
      case psTransitioning: FTimeline.SeekStarted(); break;
      case psMediaEnded:
      case psStopped: FTimeline.VideoEnded(); break;
      default: break;
    }
  };
  video->OnOpenStateChange = [this](TObject*, const TWMPEventArgs& a) {
    if (a.empty() || a[0].AsInt() != osMediaOpening || !FVideo->Player()) return;
    FTimeline.VideoOpened(Utf16ToUtf8(FVideo->Player()->URL()));
  };
}

TCoverRecorder::~TCoverRecorder() {
  FVideo->OnPlayStateChange = nullptr;
  FVideo->OnOpenStateChange = nullptr;
}

void TCoverRecorder::TakeStarted(int channels, int bits, int rate, const std::string& target) {
  FPending.reset();
  FFormat = TTakeIdentity{channels, bits, rate, 0, 0};
  FJournalRecord = JournalPathFor(target) + ".cover.json";
  ::unlink(FJournalRecord.c_str());  // one an earlier take left behind
  FTicks = 0;
  DWORD volume = 0xFFFFFFFF;
  waveOutGetVolume(0, &volume);
  TMediaPlayerObject* p = FVideo->Player();
  const bool open = VideoPlays(p);
  FTimeline.TakeStarted(rate, int(volume >> 16), open ? Utf16ToUtf8(p->URL()) : "",
                        open && p->PlayState() == psPlaying);
  FTimer->SetEnabled(true);
}

void TCoverRecorder::VolumeChanged(int rightVolume) { FTimeline.VolumeChanged(rightVolume); }

void TCoverRecorder::TakeStopping() {
  FTimer->SetEnabled(false);
  FPending = FTimeline.TakeStopped();
}

void TCoverRecorder::KeepWithJournal(std::optional<TCoverRecord> record) {
  if (!record || FJournalRecord.empty()) return;
  record->Take = FFormat;
  record->Complete = false;
  std::string error;
  WriteCoverRecord(FJournalRecord, *record, error);  // the take itself matters more
}

void TCoverRecorder::TakeSaved(const std::string& takePath) {
  if (takePath.empty()) {
    KeepWithJournal(FPending);
    FPending.reset();
    return;
  }
  if (!FJournalRecord.empty()) ::unlink(FJournalRecord.c_str());
  if (!FPending) {
    ::unlink(CoverSidecarPath(takePath).c_str());
    return;
  }
  std::string error;
  if (!SaveCoverSidecar(takePath, *FPending, error))
    std::fprintf(stderr, "corvale: the take's video timeline was not kept: %s\n", error.c_str());
  FPending.reset();
}
