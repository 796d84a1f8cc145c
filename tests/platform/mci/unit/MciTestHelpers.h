#pragma once
// Helpers for the device tests: header files as the main window writes them, files read
// back whole, and a window that records the notifications it receives.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/windows/Controls.h"
#include "platform/mci/Mci.h"
#include "platform/mci/WaveFile.h"

namespace mcitest {
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}
inline std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}
inline std::string Header(const TAudioFormat& fmt, std::uint32_t dataSize = 0) {
  auto h = MakeWaveHeader(fmt, dataSize);
  return std::string(h.begin(), h.end());
}

// Opens path on the device its extension selects; returns the error, id in *id.
inline MCIERROR OpenElement(const std::string& path, MCIDEVICEID* id, DWORD_PTR callback = 0) {
  MCI_OPEN_PARMS p;
  p.dwCallback = callback;
  p.lpstrDeviceType = "";
  p.lpstrElementName = path.c_str();
  MCIERROR e = mciSendCommand(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&p));
  *id = p.wDeviceID;
  return e;
}
inline DWORD_PTR Status(MCIDEVICEID id, DWORD item, MCIERROR* err = nullptr) {
  MCI_STATUS_PARMS s;
  s.dwItem = item;
  MCIERROR e = mciSendCommand(id, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&s));
  if (err) *err = e;
  return s.dwReturn;
}
inline MCIERROR Simple(MCIDEVICEID id, UINT msg, DWORD flags, DWORD_PTR callback = 0) {
  MCI_GENERIC_PARMS g;
  g.dwCallback = callback;
  return mciSendCommand(id, msg, flags, reinterpret_cast<DWORD_PTR>(&g));
}
inline MCIERROR SaveTo(MCIDEVICEID id, const std::string& path) {
  MCI_SAVE_PARMS s;
  s.lpfilename = path.c_str();
  return mciSendCommand(id, MCI_SAVE, MCI_WAIT | MCI_SAVE_FILE, reinterpret_cast<DWORD_PTR>(&s));
}

struct TNotice {
  WPARAM Code;
  LPARAM Device;
};
// A bare window that keeps the MM_MCINOTIFY messages it gets.
class TNotifyWindow : public TWinControl {
 public:
  TNotifyWindow() : TWinControl(nullptr) {}
  std::vector<TNotice> Notices;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == MM_MCINOTIFY) Notices.push_back({m.WParam, m.LParam});
    TWinControl::WndProc(m);
  }
};
}  // namespace mcitest
