#pragma once
// Umbrella header of the visual component classes: TControl, TWinControl, TCustomControl
// and TGraphicControl.
#include "framework/windows/Control.h"
#include "framework/windows/CustomControl.h"
#include "framework/windows/GraphicControl.h"
#include "framework/windows/WinControl.h"
