// Corvale: record a singer over a video.
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/CoverExportCommand.h"
#include "app/ProgramIcon.h"
#include "app/SessionEnd.h"
#include "app/Unt_main.h"
#include "app/UserSkin.h"
#include "app/Version.h"
#include "framework/windows/Application.h"
#include "skin/data/SkinFolderWatch.h"

int main(int argc, char** argv) {
  const TCommandLine options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.Error.empty()) {
    std::cerr << "corvale: " << options.Error << "\n" << CommandLineUsage();
    return 2;
  }
  if (options.ExportCover && !options.Help && !options.Version) {
    // No application object: no window opens and nothing is recorded.
    TCoverOptions cover;
    std::string error;
    if (!ParseCoverOptions(options.ExportArgs, cover, error)) {
      std::cerr << "corvale: " << error << "\n" << CommandLineUsage();
      return 2;
    }
    return RunCoverExport(cover);
  }
  if (options.Help) {
    std::cout << CommandLineUsage();
    return 0;
  }
  if (options.Version) {
    std::cout << "corvale " << CorvaleVersion << "\n";
    return 0;
  }
  if (options.ListSkins) {
    const TSkinPlaces places = SkinPlaces();
    std::cout << FormatSkinList(ListUserSkins(places), places);
    return 0;
  }
  Application_Initialize();
  // The video decoder parses numbers with the C locale.
  std::setlocale(LC_NUMERIC, "C");
  Application->SetTitle("Corvale");
  if (std::string error; !SetProgramIcon(error)) std::cerr << "corvale: the program's icon: " << error << "\n";
  RegisterProgramClasses();
  auto* form = Application->CreateForm<TForm1>();
  std::unique_ptr<TbsSkinFolderWatch> skinWatch;
  if (!options.SkinFile.empty()) skinWatch = ApplyUserSkin(form, options.SkinFile, options.Watch);
  CatchEndSignals(form->Handle(), WM_TAKE_ENDSIGNAL);
  // Takes an earlier run could not save, once the window shows.
  PostMessage(form->Handle(), WM_RESCUE_LEFT_TAKES, 0, 0);
  Application->Run();
  return SessionExitStatus();
}
