#pragma once
// The program's command line. Without arguments the program starts as it always did;
// the options only add a skin for users or answer --help / --version / --list-skins.
#include <string>
#include <vector>

struct TCommandLine {
  bool Help = false;
  bool Version = false;
  bool ListSkins = false;
  std::string SkinFile;  // --skin ARG or --skin=ARG: a skin file, a skin folder or a skin's name
  bool Watch = false;    // --watch: load the skin again whenever its folder changes
  // --export-cover and the arguments after it, which are its own.
  bool ExportCover = false;
  std::vector<std::string> ExportArgs;
  std::string Error;     // a usage error, for standard error with the usage
};

TCommandLine ParseCommandLine(const std::vector<std::string>& args);
// The usage text of --help.
const char* CommandLineUsage();
