#include "framework/layout/ClassRegistry.h"
#include "media/MediaPlayer.h"

void RegisterMediaPlayerClass() {
  const TIdentMap types = {{"dtAutoSelect", 0}, {"dtAVIVideo", 1},  {"dtCDAudio", 2},  {"dtDAT", 3},
                           {"dtDigitalVideo", 4}, {"dtMMMovie", 5}, {"dtOther", 6},    {"dtOverlay", 7},
                           {"dtScanner", 8},  {"dtSequencer", 9},   {"dtVCR", 10},     {"dtVideodisc", 11},
                           {"dtWaveAudio", 12}};
  const TIdentMap buttons = {{"btPlay", 0}, {"btPause", 1}, {"btStop", 2},   {"btNext", 3}, {"btPrev", 4},
                             {"btStep", 5}, {"btBack", 6},  {"btRecord", 7}, {"btEject", 8}};
  using M = TMediaPlayer;
  auto c = ClassRegistry().RegisterClass<M>("TMediaPlayer", "TCustomControl");
  c.Enum("DeviceType", &M::DeviceType, &M::SetDeviceType, types);
  c.String("FileName", &M::FileName, &M::SetFileName);
  c.Boolean("AutoOpen", &M::AutoOpen, &M::SetAutoOpen);
  c.Boolean("Shareable", &M::Shareable, &M::SetShareable);
  c.Boolean("AutoEnable", &M::AutoEnable, &M::SetAutoEnable);
  c.Boolean("AutoRewind", &M::AutoRewind, &M::SetAutoRewind);
  c.Reference("Display", &M::Display, &M::SetDisplay);
  c.Set("VisibleButtons", &M::VisibleButtons, &M::SetVisibleButtons, buttons);
  c.Set("EnabledButtons", &M::EnabledButtons, &M::SetEnabledButtons, buttons);
  c.Set("ColoredButtons", &M::ColoredButtons, &M::SetColoredButtons, buttons);
  c.Event("OnNotify", &M::OnNotify);
  c.Event("OnClick", &M::OnClick);
  c.Event("OnPostClick", &M::OnPostClick);
}
