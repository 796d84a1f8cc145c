#pragma once
// The wave-audio device: takes its format from the element's header, records the
// default sound input on its own thread into the take's journal beside the element
// (TakeJournal.h), and saves a complete wave file. A capture cut short by a failing
// input or a full disk keeps what it got; the next stop or save reports the failure.
// Closing without a save removes the journal, unless a save of the take failed: then
// it stays for the next start to rescue.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/audio/Audio.h"
#include "platform/mci/MciDevice.h"
#include "platform/mci/TakeJournal.h"

class TWaveAudioDevice : public IMciDevice {
 public:
  explicit TWaveAudioDevice(MCIDEVICEID id) : FId(id) {}
  ~TWaveAudioDevice() override;

  MCIERROR OpenElement(const char* element) override;
  MCIERROR Command(UINT message, DWORD flags, DWORD_PTR params) override;
  bool HandlesOwnNotify(UINT message) const override { return message == MCI_RECORD; }
  bool CaptureClock(TCaptureClock& clock) override;

 private:
  MCIERROR Record(DWORD flags, const MCI_RECORD_PARMS* p);
  MCIERROR Save(DWORD flags, const MCI_SAVE_PARMS* p);
  MCIERROR Status(DWORD flags, MCI_STATUS_PARMS* p);
  MCIERROR DevCaps(DWORD flags, MCI_GETDEVCAPS_PARMS* p);
  MCIERROR Set(DWORD flags, const MCI_SET_PARMS* p);
  MCIERROR Seek(DWORD flags, const MCI_SEEK_PARMS* p);
  // A new journal for FElement holding the first `length` bytes that read gives.
  MCIERROR NewJournal(std::uint64_t length, const std::function<bool(std::uint64_t, void*, size_t)>& read);

  // Ends a running capture; its pending notification (if any) gets code.
  void EndCapture(UINT code);
  void CaptureLoop(std::unique_ptr<IAudioSource> source, std::uint64_t stopAt);
  // Posts the pending record notification once, whoever comes first.
  void FinishNotify(UINT code);
  // The failure that cut the last capture short, once (0 when there was none).
  MCIERROR TakeCaptureError();

  std::uint64_t ToBytes(DWORD value) const;
  DWORD FromBytes(std::uint64_t bytes) const;

  MCIDEVICEID FId;
  std::string FElement;
  TAudioFormat FFormat{1, 11025, 8};  // the classic default for a device opened without a file
  DWORD FTimeFormat = MCI_FORMAT_MILLISECONDS;
  TTakeJournal FJournal;
  bool FSaveFailed = false;  // since the last save that worked
  std::atomic<std::uint64_t> FLength{0};
  std::atomic<std::uint64_t> FPosition{0};
  std::atomic<bool> FRecording{false};
  std::atomic<bool> FStopRequested{false};
  std::atomic<MCIERROR> FCaptureError{0};
  std::thread FThread;
  std::mutex FNotifyLock;
  DWORD_PTR FNotifyCallback = 0;  // window waiting for the end of the recording
  // The running capture's source, for its clock; cleared before the source closes.
  std::mutex FClockLock;
  IAudioSource* FClockSource = nullptr;
  std::uint64_t FClockBase = 0;  // the take's frame where this capture began
};
