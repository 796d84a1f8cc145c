#include "app/MediaRegistration.h"

#include "platform/profile/Profile.h"

void RegisterMediaExtensions() {
  // Results are ignored: a profile that cannot be written changes nothing the program needs.
  WritePrivateProfileString("mci extensions", "mpg", "MPEGVideo", "win.ini");
  WritePrivateProfileString("mci extensions", "dat", "MPEGVideo", "win.ini");
  WritePrivateProfileString("mci extensions", "mpv", "MPEGVideo", "win.ini");
  WritePrivateProfileString("mci extensions", "mpeg", "MPEGVideo", "win.ini");
  WritePrivateProfileString("mci extensions", "cjt", "MPEGVideo", "win.ini");
  WritePrivateProfileString("mci extensions", "avi", "AVIVideo", "win.ini");
  WritePrivateProfileString("mci", "MPEGVideo", "mciqtz.drv", "system.ini");
}
