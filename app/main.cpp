// Corvale: record a singer over a video.
#include <clocale>

#include "app/Unt_main.h"
#include "framework/windows/Application.h"

int main() {
  Application_Initialize();
  // The video decoder parses numbers with the C locale.
  std::setlocale(LC_NUMERIC, "C");
  Application->SetTitle("Corvale");
  RegisterProgramClasses();
  Application->CreateForm<TForm1>();
  Application->Run();
  return 0;
}
