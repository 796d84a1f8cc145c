#include "framework/layout/ClassRegistry.h"
#include "media/MediaPlayer.h"

void RegisterMediaPlayerClass() {
  const TIdentMap types = {{"dtAutoSelect", 0}, {"dtAVIVideo", 1},  {"dtCDAudio", 2},  {"dtDAT", 3},
                           {"dtDigitalVideo", 4}, {"dtMMMovie", 5}, {"dtOther", 6},    {"dtOverlay", 7},
                           {"dtScanner", 8},  {"dtSequencer", 9},   {"dtVCR", 10},     {"dtVideodisc", 11},
                           {"dtWaveAudio", 12}};
  const TIdentMap buttons = {{"btPlay", 0}, {"btPause", 1}, {"btStop", 2},   {"btNext", 3}, {"btPrev", 4},
                             {"btStep", 5}, {"btBack", 6},  {"btRecord", 7}, {"btEject", 8}};
  auto c = ClassRegistry().RegisterClass<TMediaPlayer>("TMediaPlayer", "TCustomControl");
  c.Enum("DeviceType", types, [](TMediaPlayer* m, int v) { m->SetDeviceType(static_cast<TMPDeviceTypes>(v)); },
         [](const TMediaPlayer* m) { return static_cast<int>(m->DeviceType()); });
  c.String("FileName", [](TMediaPlayer* m, const std::string& v) { m->SetFileName(v); },
           [](const TMediaPlayer* m) { return m->FileName(); });
  c.Boolean("AutoOpen", [](TMediaPlayer* m, bool v) { m->SetAutoOpen(v); }, [](const TMediaPlayer* m) { return m->AutoOpen(); });
  c.Boolean("Shareable", [](TMediaPlayer* m, bool v) { m->SetShareable(v); },
            [](const TMediaPlayer* m) { return m->Shareable(); });
  c.Boolean("AutoEnable", [](TMediaPlayer* m, bool v) { m->SetAutoEnable(v); },
            [](const TMediaPlayer* m) { return m->AutoEnable(); });
  c.Boolean("AutoRewind", [](TMediaPlayer* m, bool v) { m->SetAutoRewind(v); },
            [](const TMediaPlayer* m) { return m->AutoRewind(); });
  c.Reference<TWinControl>("Display", [](TMediaPlayer* m, TWinControl* v) { m->SetDisplay(v); },
                           [](const TMediaPlayer* m) { return m->Display(); });
  c.Set("VisibleButtons", buttons, [](TMediaPlayer* m, std::uint64_t v) { m->SetVisibleButtons(TButtonSet::FromBits(v)); },
        [](const TMediaPlayer* m) { return m->VisibleButtons().Bits(); });
  c.Set("EnabledButtons", buttons, [](TMediaPlayer* m, std::uint64_t v) { m->SetEnabledButtons(TButtonSet::FromBits(v)); },
        [](const TMediaPlayer* m) { return m->EnabledButtons().Bits(); });
  c.Set("ColoredButtons", buttons, [](TMediaPlayer* m, std::uint64_t v) { m->SetColoredButtons(TButtonSet::FromBits(v)); },
        [](const TMediaPlayer* m) { return m->ColoredButtons().Bits(); });
  c.Event("OnNotify", [](TMediaPlayer* m, TNotifyEvent e) { m->OnNotify = std::move(e); });
  c.Event<EMPNotify>("OnClick", [](TMediaPlayer* m, EMPNotify e) { m->OnClick = std::move(e); });
  c.Event<EMPPostNotify>("OnPostClick", [](TMediaPlayer* m, EMPPostNotify e) { m->OnPostClick = std::move(e); });
}
