#pragma once
// Umbrella header of the form classes: TCustomForm, TForm and TScreen.
#include "framework/windows/CustomForm.h"
#include "framework/windows/Form.h"
#include "framework/windows/Screen.h"
