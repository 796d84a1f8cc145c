// `skintool keys`, run as the program: every kind the loader's type-word tables create
// and every section the skin data reads appears with every key its record writes back
// (the writer walks the loader's key lists, the reference must not drop one), and
// defaults are the ones the format gives.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <set>
#include <sstream>

#include "skin/data/SkinData.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinKeyIO.h"
#include "skin/data/SkinRecordFactory.h"
#include "skin/data/SkinWindowRecords.h"

namespace {
std::string Skintool(const std::string& args, int* status = nullptr) {
  const std::string cmd = std::string(CORVALE_BINARY_DIR) + "/skintool " + args + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  std::string out;
  char buf[4096];
  while (p && fgets(buf, sizeof buf, p)) out += buf;
  const int rc = p ? pclose(p) : -1;
  if (status) *status = WEXITSTATUS(rc);
  return out;
}

// Key names of the indented rows of `skintool keys` output.
std::set<std::string> KeysIn(const std::string& text) {
  std::set<std::string> keys;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("  ", 0) == 0 && line.rfind("  note:", 0) != 0 && line.rfind("  (no keys", 0) != 0)
      keys.insert(line.substr(2, line.find(' ', 2) - 2));
  return keys;
}

std::set<std::string> Written(const std::function<void(TSkinIniFile&)>& write, const std::string& section) {
  TSkinIniFile ini;
  write(ini);
  TStringList keys;
  ini.ReadSection(section, keys);
  std::set<std::string> out;
  for (int i = 0; i < keys.Count(); ++i) out.insert(keys[i]);
  return out;
}
}  // namespace

TEST(SkinKeyReference, EveryKindAndSectionOfTheLoaderWithAllItsKeys) {
  int status = -1;
  const std::string all = Skintool("keys", &status);
  ASSERT_EQ(0, status) << all;
  for (const std::string& w : ControlTypeWords()) {
    SCOPED_TRACE("control " + w);
    EXPECT_NE(std::string::npos, all.find("\n" + w + " in [SKINCONTROLS] (")) << "no heading";
    auto rec = CreateControlRecord(w, "r");
    EXPECT_EQ(Written([&](TSkinIniFile& ini) { rec->WriteToIni(ini); }, "r"), KeysIn(Skintool("keys " + rec->ClassName())));
  }
  for (const std::string& w : ObjectTypeWords()) {
    SCOPED_TRACE("object " + w);
    EXPECT_NE(std::string::npos, all.find("\n" + w + " in [SKINOBJECTS] (")) << "no heading";
    auto rec = CreateObjectRecord(w, "r");
    EXPECT_EQ(Written([&](TSkinIniFile& ini) { rec->WriteToIni(ini); }, "r"), KeysIn(Skintool("keys " + rec->ClassName())));
  }
  // A word of both lists shows both kinds.
  const std::string button = Skintool("keys button");
  EXPECT_NE(std::string::npos, button.find("button in [SKINCONTROLS] (TbsDataSkinButtonControl)")) << button;
  EXPECT_NE(std::string::npos, button.find("button in [SKINOBJECTS] (TbsDataSkinButton)")) << button;
  TbsSkinData data(nullptr);
  const std::pair<const char*, std::function<void(TSkinKeyIO&)>> sections[] = {
      {"VERSION", [&](TSkinKeyIO& io) { data.VersionKeys(io); }},
      {"FORMINFO", [&](TSkinKeyIO& io) { data.FormInfoKeys(io); }},
      {"POPUPWINDOW", [&](TSkinKeyIO& io) { data.PopupRecord->VisitKeys(io); }},
      {"HINTWINDOW", [&](TSkinKeyIO& io) { data.HintRecord->VisitKeys(io); }},
  };
  for (const auto& [section, keys] : sections) {
    SCOPED_TRACE(section);
    EXPECT_NE(std::string::npos, all.find(std::string("[") + section + "]: ")) << "no heading";
    EXPECT_EQ(Written([&](TSkinIniFile& ini) { WriteSkinKeys(ini, section, keys, true); }, section),
              KeysIn(Skintool(std::string("keys ") + section)));
  }
  for (const char* section : {"PICTURES", "SKINOBJECTS", "SKINCONTROLS"})
    EXPECT_NE(std::string::npos, all.find(std::string("[") + section + "]: ")) << section;
}

TEST(SkinKeyReference, KindsDefaultsAndBadKinds) {
  struct Case {
    const char* kind;
    const char* row;  // a whole row, spaces folded to one
  };
  const Case cases[] = {
      {"stdlabel", "activefontcolor colour 16711680 (0xFF0000) text colour under the mouse (or with the focus)"},
      {"listbox", "vscrollbarname string vscrollbar name of the scroll bar record of the vertical bar"},
      {"FORMINFO", "bgpictureindex integer -1 picture tiled behind the client area; -1: the form's colour"},
      {"forminfo", "inactiveeffect effect word iebrightness the effect that makes the inactive frame"},
      {"HINTWINDOW", "fontheight integer 14 font height of the text (negative: character height in pixels)"},
      {"animate", "countframes integer 1 number of frames side by side in activeskinrect"},
      {"animate", "timerinterval integer 50 milliseconds per frame"},
      {"PICTURES", "activepicturescount integer 0 number of further pictures"},
      {"grid", "fixedfontname string Arial font of the fixed text"},
      {"panel", "alignment alignment word tacenter alignment of the caption text"},
      {"userobject", "skinrect rectangle 0,0,0,0 its place on the frame, in the main picture"},
  };
  for (const Case& c : cases) {
    std::string out = Skintool(std::string("keys ") + c.kind), folded;
    for (char ch : out)
      if (!(ch == ' ' && !folded.empty() && folded.back() == ' ')) folded += ch;
    EXPECT_NE(std::string::npos, folded.find("\n " + std::string(c.row) + "\n")) << c.kind << ":\n" << out;
  }
  // A splitter has no keys of its own; it reads its two bases' eight.
  const std::set<std::string> base = {"pictureindex", "maskpictureindex", "skinrect", "lefttoppoint",
                                      "righttoppoint", "leftbottompoint", "rightbottompoint", "clientrect"};
  EXPECT_EQ(base, KeysIn(Skintool("keys splitter")));
  EXPECT_NE(std::string::npos,
            Skintool("keys userobject").find("(TbsDataUserObject): a place on the frame for the program's own drawing; a "
                                             "TbsDataSkinObject that reads none of its keys\n"));
  int status = 0;
  EXPECT_NE(std::string::npos, Skintool("keys nosuchkind", &status).find("no section or record kind is named 'nosuchkind'"));
  EXPECT_EQ(1, status);
  Skintool("keys a b", &status);
  EXPECT_EQ(2, status);
}
