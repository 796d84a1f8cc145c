#pragma once
// What the command dispatcher needs of a device. A device gets every command but open,
// which it receives once, right after it was made, as OpenElement.
#include "platform/mci/CaptureClock.h"
#include "platform/mci/Mci.h"

class IMciDevice {
 public:
  virtual ~IMciDevice() = default;
  // element is null when the device was opened by type alone.
  virtual MCIERROR OpenElement(const char* element) = 0;
  // Carries out a command; params is the command's parameter block (may be 0). Posting
  // MCI_NOTIFY_SUCCESSFUL for a notifying command is the dispatcher's business, except
  // for commands the device reports as its own (HandlesOwnNotify).
  virtual MCIERROR Command(UINT message, DWORD flags, DWORD_PTR params) = 0;
  virtual bool HandlesOwnNotify(UINT message) const = 0;
  // See mciCaptureClock; false for a device that captures nothing now.
  virtual bool CaptureClock(TCaptureClock& clock) { return false; }
};
