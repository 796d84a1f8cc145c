#include "app/CommandLine.h"

const char* CommandLineUsage() {
  return "usage: corvale [--skin FILE.skn | --skin FOLDER | --skin NAME [--watch]]\n"
         "       corvale --export-cover OUT.mp4|OUT.mkv [--take FILE] [--backing heard|left|right|stereo|none]\n"
         "                              [--voice-gain DB] [--backing-gain DB]\n"
         "       corvale --list-skins | --help | --version\n"
         "\n"
         "Records the microphone into Temp.wav while a video plays in the window.\n"
         "\n"
         "  --skin FILE.skn  draws the window with that compressed skin (made with\n"
         "                   'skintool pack'); a skin that cannot be read leaves the\n"
         "                   default look and says why on standard error\n"
         "  --skin FOLDER    the same with a skin folder (skin.ini and its bitmaps)\n"
         "  --skin NAME      a skin by name: NAME.skn or the folder NAME in\n"
         "                   ~/.local/share/corvale/skins (or $XDG_DATA_HOME/corvale/skins),\n"
         "                   then among the installed skins\n"
         "  --watch          loads the skin again whenever a file of its folder changes;\n"
         "                   a skin that does not load keeps the last look that did\n"
         "  --list-skins     lists the skins found by name\n"
         "  --export-cover OUT  makes a cover of the last take: the video it was sung\n"
         "                   over with one sound track, the backing and the voice in sync\n"
         "                   (no window opens); --take names another take, --backing\n"
         "                   chooses the video's sound: heard (as you heard it: left as\n"
         "                   is, right at the slider's volume), left, right, stereo or\n"
         "                   none; --voice-gain and --backing-gain add decibels\n"
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
    } else if (a == "--list-skins") {
      c.ListSkins = true;
    } else if (a == "--watch") {
      c.Watch = true;
    } else if (a == "--skin") {
      if (i + 1 >= args.size() || args[i + 1].empty()) c.Error = "--skin needs a file, a folder or a name";
      else c.SkinFile = args[++i];
    } else if (a == "--export-cover") {
      c.ExportCover = true;
      c.ExportArgs.assign(args.begin() + long(i) + 1, args.end());
      break;
    } else if (a.rfind("--skin=", 0) == 0) {
      c.SkinFile = a.substr(7);
      if (c.SkinFile.empty()) c.Error = "--skin needs a file, a folder or a name";
    } else if (!a.empty() && a[0] == '-') {
      c.Error = "unknown option '" + a + "'";
    } else {
      c.Error = "unexpected argument '" + a + "'";
    }
  }
  if (c.Error.empty() && c.Watch && c.SkinFile.empty()) c.Error = "--watch watches the skin given with --skin";
  return c;
}
