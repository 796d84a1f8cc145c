#pragma once
// Types shared by the skinned form, its frame objects and its menus: the border icons,
// the window state the form keeps itself, and the signatures of the form's events.
#include <functional>
#include <string>

#include "framework/core/Set.h"
#include "framework/core/Types.h"
#include "framework/windows/Control.h"

class TCanvas;

enum class TbsBorderIcon { biSystemMenu, biMinimize, biMaximize, biRollUp, biMinimizeToTray };
using TbsBorderIcons = TSet<TbsBorderIcon>;
constexpr auto biSystemMenu = TbsBorderIcon::biSystemMenu;
constexpr auto biMinimize = TbsBorderIcon::biMinimize;
constexpr auto biMaximize = TbsBorderIcon::biMaximize;
constexpr auto biRollUp = TbsBorderIcon::biRollUp;
constexpr auto biMinimizeToTray = TbsBorderIcon::biMinimizeToTray;

// The form's own window state: the platform window itself stays normal.
enum class TbsWindowState { wsNormal, wsMinimized, wsMaximized };

using TbsMouseUpEvent = std::function<void(const std::string& IDName, int X, int Y, TRect ObjectRect, TMouseButton Button)>;
using TbsMouseDownEvent = TbsMouseUpEvent;
using TbsMouseMoveEvent = std::function<void(const std::string& IDName, int X, int Y, TRect ObjectRect)>;
using TbsMouseEnterEvent = std::function<void(const std::string& IDName)>;
using TbsMouseLeaveEvent = TbsMouseEnterEvent;
using TbsPaintEvent = std::function<void(const std::string& IDName, TCanvas* Canvas, TRect ObjectRect)>;
using TbsActivateCustomObjectEvent = std::function<void(const std::string& IDName, bool& ObjectVisible)>;
