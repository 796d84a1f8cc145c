// skintool: pack a skin INI folder into a compressed skin file, unpack one again,
// inspect one, draw a preview of the main window with it, or list the keys a skin INI
// may hold. Exit status 0 on success, 1 on bad input, 2 on wrong usage.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinIniFile.h"
#include "tools/skintool/SkinInspect.h"
#include "tools/skintool/SkinKeys.h"
#include "tools/skintool/SkinPreview.h"
#include "tools/skintool/SkinUnpack.h"

namespace {
const char* const Version = "1.3";

const char* const UsageText =
    "usage: skintool pack <skin.ini> <out.skn>\n"
    "       skintool unpack [--force] <in.skn> <folder>\n"
    "       skintool inspect <in.skn | skin folder>\n"
    "       skintool preview [--size WxH] [--gallery] [--watch] <in.skn | skin folder | --empty> <out.png>\n"
    "       skintool keys [--markdown] [KIND]\n"
    "       skintool --help | --version\n"
    "\n"
    "  pack     packs a skin INI and the bitmaps it names into a compressed skin file\n"
    "  unpack   writes the bitmaps (under their INI names, folders kept) and skin.ini into\n"
    "           an existing folder; --force overwrites files that exist already\n"
    "  inspect  lists what a compressed skin file (or a skin folder, checked as pack\n"
    "           checks it) holds and warns about likely mistakes\n"
    "  preview  draws the main window with the skin (--empty: the default looks) into a\n"
    "           PNG, without a display; --size draws it at that window size, --gallery\n"
    "           draws the controls gallery instead; --watch keeps running and draws it\n"
    "           again whenever a file of the skin's folder changes\n"
    "  keys     every section, record kind and key the skin INI may hold, with its type,\n"
    "           default and meaning; KIND: a section (FORMINFO), a type word (button) or a\n"
    "           record class; --markdown: as the tables of docs/skin-format.md\n"
    "\n"
    "Exit status: 0 done, 1 bad input, 2 wrong usage.\n";

int UsageError(const std::string& why) {
  std::cerr << "skintool: " << why << "\n" << UsageText;
  return 2;
}

int Pack(const std::string& ini, const std::string& out) {
  TbsCompressedStoredSkin::CheckSkinSections(ini);
  TbsCompressedStoredSkin stored(nullptr);
  stored.PackSkinIni(ini);
  stored.WritePackedFile(out);
  std::cout << "packed " << ini << " -> " << out << " (" << stored.PackedData().Size() << " compressed bytes)\n";
  return 0;
}

struct TOptions {
  bool Force = false;
  bool Gallery = false;
  bool Watch = false;
  bool Markdown = false;
  std::string Size;
};

int Preview(const std::vector<std::string>& args, const TOptions& o) {
  TPreviewRequest r;
  if (args[0] != "--empty") r.SkinFile = args[0];
  r.OutFile = args[1];
  r.Gallery = o.Gallery;
  r.Watch = o.Watch;
  if (r.Watch && r.SkinFile.empty()) return UsageError("--watch watches a skin, not --empty");
  if (!o.Size.empty() && !ParsePreviewSize(o.Size, r.Width, r.Height))
    return UsageError("--size wants WIDTHxHEIGHT, each 1 to 8192, not '" + o.Size + "'");
  return PreviewSkin(r);
}

int Run(const std::string& cmd, const std::vector<std::string>& args, const TOptions& o) {
  const bool force = o.Force;
  if (force && cmd != "unpack") return UsageError("--force is an option of unpack only");
  if ((o.Gallery || o.Watch || !o.Size.empty()) && cmd != "preview")
    return UsageError("--size, --gallery and --watch are options of preview only");
  if (o.Markdown && cmd != "keys") return UsageError("--markdown is an option of keys only");
  for (const std::string& a : args)
    if (a == "--empty" && cmd != "preview") return UsageError("--empty is an option of preview only");
  if (cmd == "preview" && args.size() == 2) return Preview(args, o);
  if (cmd == "pack" && args.size() == 2) return Pack(args[0], args[1]);
  if (cmd == "unpack" && args.size() == 2) return UnpackSkinFile(args[0], args[1], force);
  if (cmd == "inspect" && args.size() == 1) return InspectSkinFile(args[0]);
  if (cmd == "keys" && args.size() <= 1) return PrintSkinKeys(args.empty() ? "" : args[0], o.Markdown);
  if (cmd == "pack" || cmd == "unpack" || cmd == "inspect" || cmd == "preview" || cmd == "keys")
    return UsageError("wrong number of arguments for " + cmd);
  return UsageError("unknown command '" + cmd + "'");
}
}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words;
  TOptions options;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (optionsEnd || a.size() < 2 || a[0] != '-' || a == "--empty") {
      words.push_back(a);
    } else if (a == "--") {
      optionsEnd = true;
    } else if (a == "--help" || a == "-h") {
      std::cout << UsageText;
      return 0;
    } else if (a == "--version") {
      std::cout << "skintool " << Version << " (writes skin stream version " << SkinStreamVersion << ")\n";
      return 0;
    } else if (a == "--force" || a == "-f") {
      options.Force = true;
    } else if (a == "--gallery") {
      options.Gallery = true;
    } else if (a == "--watch") {
      options.Watch = true;
    } else if (a == "--markdown") {
      options.Markdown = true;
    } else if (a == "--size") {
      if (i + 1 >= argc) return UsageError("--size needs WIDTHxHEIGHT");
      options.Size = argv[++i];
    } else if (a.rfind("--size=", 0) == 0) {
      options.Size = a.substr(7);
    } else {
      return UsageError("unknown option '" + a + "'");
    }
  }
  if (words.empty()) return UsageError("no command given");
  try {
    return Run(words[0], std::vector<std::string>(words.begin() + 1, words.end()), options);
  } catch (const Exception& e) {
    std::cerr << "skintool: " << e.Message() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "skintool: " << e.what() << "\n";
  }
  return 1;
}
