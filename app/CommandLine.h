#pragma once
// The program's command line. Without arguments the program starts as it always did;
// the options only add a skin for users or answer --help / --version.
#include <string>
#include <vector>

struct TCommandLine {
  bool Help = false;
  bool Version = false;
  std::string SkinFile;  // --skin FILE.skn or --skin=FILE.skn
  std::string Error;     // a usage error, for standard error with the usage
};

TCommandLine ParseCommandLine(const std::vector<std::string>& args);
// The usage text of --help.
const char* CommandLineUsage();
