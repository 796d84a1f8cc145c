#include "app/CommandLine.h"

const char* CommandLineUsage() {
  return "usage: corvale [--skin FILE.skn]\n"
         "       corvale --help | --version\n"
         "\n"
         "Records the microphone into Temp.wav while a video plays in the window.\n"
         "\n"
         "  --skin FILE.skn  draws the window with that compressed skin (made with\n"
         "                   'skintool pack'); a file that cannot be read leaves the\n"
         "                   default look and says why on standard error\n"
         "  --help           shows this text\n"
         "  --version        shows the version\n"
         "\n"
         "Temp.wav is written beside the program, or in your music folder when the\n"
         "program's folder cannot be written.\n";
}

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine c;
  for (size_t i = 0; i < args.size() && c.Error.empty(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      c.Help = true;
    } else if (a == "--version") {
      c.Version = true;
    } else if (a == "--skin") {
      if (i + 1 >= args.size() || args[i + 1].empty()) c.Error = "--skin needs a file name";
      else c.SkinFile = args[++i];
    } else if (a.rfind("--skin=", 0) == 0) {
      c.SkinFile = a.substr(7);
      if (c.SkinFile.empty()) c.Error = "--skin needs a file name";
    } else if (!a.empty() && a[0] == '-') {
      c.Error = "unknown option '" + a + "'";
    } else {
      c.Error = "unexpected argument '" + a + "'";
    }
  }
  return c;
}
