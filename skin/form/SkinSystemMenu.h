#pragma once
// The items of a skinned form's system menu and of its tray menu: fixed names, captions
// from the skin's resource strings (built-in English texts without them).
#include <string>

class TbsResourceStrData;

struct TbsSystemMenuItem {
  const char* Name;
  const char* Key;  // resource string key of the caption
  const char* Caption;
  // The caption from strings when they have it, else the built-in one.
  std::string CaptionFrom(const TbsResourceStrData* strings) const;
};

namespace sysmenu {
inline constexpr TbsSystemMenuItem Minimize{"SKF_MINITEM", "MI_MINCAPTION", "Mi&nimize"};
inline constexpr TbsSystemMenuItem Maximize{"SKF_MAXITEM", "MI_MAXCAPTION", "Ma&ximize"};
inline constexpr TbsSystemMenuItem Restore{"SKF_RESTORE", "MI_RESTORECAPTION", "&Restore"};
inline constexpr TbsSystemMenuItem RollUp{"SKF_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp"};
inline constexpr TbsSystemMenuItem MinimizeToTray{"SKF_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray"};
inline constexpr TbsSystemMenuItem Close{"SKF_CLOSE", "MI_CLOSECAPTION", "&Close"};
inline constexpr const TbsSystemMenuItem* All[] = {&Minimize, &Maximize, &Restore, &RollUp, &MinimizeToTray, &Close};
inline constexpr TbsSystemMenuItem TrayRestore{"TRAY_SKF_RESTORE", "MI_RESTORECAPTION", "&Restore"};
inline constexpr TbsSystemMenuItem TrayClose{"TRAY_SKF_CLOSE", "MI_CLOSECAPTION", "&Close"};
}  // namespace sysmenu
