#pragma once
// Value kinds of the skin INI that the engine stores and compares as numbers.
#include "framework/core/Types.h"

// State-change animation of buttons, check boxes and frame objects.
enum class TMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
constexpr auto mkDefault = TMorphKind::mkDefault;
constexpr auto mkGradient = TMorphKind::mkGradient;
constexpr auto mkLeftGradient = TMorphKind::mkLeftGradient;
constexpr auto mkRightGradient = TMorphKind::mkRightGradient;
constexpr auto mkLeftSlide = TMorphKind::mkLeftSlide;
constexpr auto mkRightSlide = TMorphKind::mkRightSlide;
constexpr auto mkPush = TMorphKind::mkPush;

// Effect that renders an inactive frame from the active one.
enum class TInactiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
constexpr auto ieBrightness = TInactiveEffect::ieBrightness;
constexpr auto ieDarkness = TInactiveEffect::ieDarkness;
constexpr auto ieGrayScale = TInactiveEffect::ieGrayScale;
constexpr auto ieNoise = TInactiveEffect::ieNoise;
constexpr auto ieSplitBlur = TInactiveEffect::ieSplitBlur;
constexpr auto ieInvert = TInactiveEffect::ieInvert;

// What a caption button or an animation does when clicked.
enum class TStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };
constexpr auto cmClose = TStdCommand::cmClose;
constexpr auto cmMaximize = TStdCommand::cmMaximize;
constexpr auto cmMinimize = TStdCommand::cmMinimize;
constexpr auto cmSysMenu = TStdCommand::cmSysMenu;
constexpr auto cmDefault = TStdCommand::cmDefault;
constexpr auto cmRollUp = TStdCommand::cmRollUp;
constexpr auto cmMinimizeToTray = TStdCommand::cmMinimizeToTray;

// Text alignment of a skin record, kept as the classic alignment number so that it
// converts one to one into the framework's alignment: 0 left, 1 right, 2 centre.
using TSkinAlignment = int;
constexpr TSkinAlignment saLeftJustify = 0;
constexpr TSkinAlignment saRightJustify = 1;
constexpr TSkinAlignment saCenter = 2;
