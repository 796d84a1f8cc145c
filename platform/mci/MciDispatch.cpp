// Device table, device choice and the notification rule shared by all devices.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/mci/MciDevice.h"
#include "platform/mci/WaveAudioDevice.h"
#include "platform/profile/Profile.h"

namespace {
struct TRegistry {
  std::mutex Lock;
  std::map<MCIDEVICEID, std::shared_ptr<IMciDevice>> Devices;
  MCIDEVICEID NextId = 1;
  TMciTestDriver TestDriver;
};

TRegistry& Registry() {
  static TRegistry r;
  return r;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

// Device types that exist elsewhere but have no driver here.
bool IsKnownTypeWithoutDriver(const std::string& type) {
  static const char* kKnown[] = {"avivideo", "cdaudio", "dat", "digitalvideo", "mmmovie", "other", "overlay",
                                 "scanner", "sequencer", "vcr", "videodisc", "mpegvideo", "animation"};
  std::string t = Lower(type);
  for (const char* k : kKnown)
    if (t == k) return true;
  return !GetPrivateProfileStdString("mci", type, "", "system.ini").empty();
}

// The device type for an element: "wav" is built in, other extensions come from the
// "mci extensions" section of win.ini. Empty when the extension is not registered.
std::string TypeForElement(const std::string& element) {
  auto slash = element.rfind('/');
  auto dot = element.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = element.substr(dot + 1);
  if (ext.empty()) return "";
  if (Lower(ext) == "wav") return "waveaudio";
  return GetPrivateProfileStdString("mci extensions", ext, "", "win.ini");
}

MCIERROR Open(DWORD flags, MCI_OPEN_PARMS* p) {
  if (!p) return MCIERR_NULL_PARAMETER_BLOCK;
  if (flags & (MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT_ID)) return MCIERR_UNSUPPORTED_FUNCTION;
  const char* element = (flags & MCI_OPEN_ELEMENT) ? p->lpstrElementName : nullptr;
  if ((flags & MCI_OPEN_ELEMENT) && (!element || !element[0])) return MCIERR_MISSING_PARAMETER;
  std::string type;
  if (flags & MCI_OPEN_TYPE) {
    if (!p->lpstrDeviceType || !p->lpstrDeviceType[0]) return MCIERR_MISSING_PARAMETER;
    type = p->lpstrDeviceType;
  } else if (element) {
    type = TypeForElement(element);
    if (type.empty()) return MCIERR_EXTENSION_NOT_FOUND;
  } else {
    return MCIERR_MISSING_PARAMETER;
  }
  if (Lower(type) != "waveaudio") return IsKnownTypeWithoutDriver(type) ? MCIERR_CANNOT_LOAD_DRIVER : MCIERR_INVALID_DEVICE_NAME;

  auto& reg = Registry();
  MCIDEVICEID id;
  {
    std::lock_guard lock(reg.Lock);
    id = reg.NextId++;
    if (reg.NextId == 0) reg.NextId = 1;
  }
  auto device = std::make_shared<TWaveAudioDevice>(id);
  if (MCIERROR e = device->OpenElement(element)) return e;
  {
    std::lock_guard lock(reg.Lock);
    reg.Devices[id] = device;
  }
  p->wDeviceID = id;
  return 0;
}
}  // namespace

void mciSetTestDriver(TMciTestDriver driver) {
  std::lock_guard lock(Registry().Lock);
  Registry().TestDriver = std::move(driver);
}

void mciDriverNotify(DWORD_PTR callback, MCIDEVICEID device, UINT code) {
  if (callback) PostMessageFromThread(static_cast<HWND>(callback), MM_MCINOTIFY, code, static_cast<LPARAM>(device));
}

MCIERROR mciSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params) {
  auto& reg = Registry();
  TMciTestDriver driver;
  {
    std::lock_guard lock(reg.Lock);
    driver = reg.TestDriver;
  }
  if (driver) return driver(device, message, flags, params);

  auto dwFlags = static_cast<DWORD>(flags);
  auto* generic = reinterpret_cast<MCI_GENERIC_PARMS*>(params);
  if ((dwFlags & MCI_NOTIFY) && !generic) return MCIERR_NULL_PARAMETER_BLOCK;
  if (message == MCI_OPEN) {
    MCIERROR e = Open(dwFlags, reinterpret_cast<MCI_OPEN_PARMS*>(params));
    if (e == 0 && (dwFlags & MCI_NOTIFY))
      mciDriverNotify(generic->dwCallback, reinterpret_cast<MCI_OPEN_PARMS*>(params)->wDeviceID, MCI_NOTIFY_SUCCESSFUL);
    return e;
  }
  std::shared_ptr<IMciDevice> dev;
  {
    std::lock_guard lock(reg.Lock);
    auto it = reg.Devices.find(device);
    if (it == reg.Devices.end()) return MCIERR_INVALID_DEVICE_ID;
    dev = it->second;
    if (message == MCI_CLOSE) reg.Devices.erase(it);
  }
  MCIERROR e = dev->Command(message, dwFlags, params);
  if (e == 0 && (dwFlags & MCI_NOTIFY) && !dev->HandlesOwnNotify(message))
    mciDriverNotify(generic->dwCallback, device, MCI_NOTIFY_SUCCESSFUL);
  return e;
}

bool mciCaptureClock(MCIDEVICEID device, TCaptureClock& clock) {
  auto& reg = Registry();
  std::shared_ptr<IMciDevice> dev;
  {
    std::lock_guard lock(reg.Lock);
    auto it = reg.Devices.find(device);
    if (it == reg.Devices.end()) return false;
    dev = it->second;
  }
  return dev->CaptureClock(clock);
}
