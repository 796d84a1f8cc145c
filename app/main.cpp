// Corvale: record a singer over a video.
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ProgramIcon.h"
#include "app/Unt_main.h"
#include "app/UserSkin.h"
#include "app/Version.h"
#include "framework/windows/Application.h"

int main(int argc, char** argv) {
  const TCommandLine options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.Error.empty()) {
    std::cerr << "corvale: " << options.Error << "\n" << CommandLineUsage();
    return 2;
  }
  if (options.Help) {
    std::cout << CommandLineUsage();
    return 0;
  }
  if (options.Version) {
    std::cout << "corvale " << CorvaleVersion << "\n";
    return 0;
  }
  Application_Initialize();
  // The video decoder parses numbers with the C locale.
  std::setlocale(LC_NUMERIC, "C");
  Application->SetTitle("Corvale");
  if (std::string error; !SetProgramIcon(error)) std::cerr << "corvale: the program's icon: " << error << "\n";
  RegisterProgramClasses();
  auto* form = Application->CreateForm<TForm1>();
  if (!options.SkinFile.empty()) {
    std::string error;
    if (!LoadUserSkin(form, options.SkinFile, error))
      std::cerr << "corvale: " << error << "; the default look is used\n";
  }
  Application->Run();
  return 0;
}
