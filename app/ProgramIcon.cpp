#include "app/ProgramIcon.h"

#include "framework/core/Exceptions.h"
#include "framework/graphics/Icon.h"
#include "framework/windows/Application.h"

bool SetProgramIcon(std::string& error) {
  TIcon icon;
  try {
    icon.LoadFromResourceName("corvale");
  } catch (const Exception& e) {
    error = e.Message();
    return false;
  }
  Application->SetIcon(&icon);
  return true;
}
