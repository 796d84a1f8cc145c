#include "skin/data/SkinKeyTables.h"

#include <map>

#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinKeyIO.h"
#include "skin/data/SkinRecordFactory.h"
#include "skin/data/SkinWindowRecords.h"

namespace {
std::string Replaced(std::string s, const std::string& from, const std::string& to) {
  if (size_t at = s.find(from); at != std::string::npos) s.replace(at, from.size(), to);
  return s;
}

// Collects what a key list reads: key, value kind and default, in order.
class TSkinKeyDescriber : public TSkinKeyIO {
 public:
  std::vector<TSkinKeyRow> Rows;

  void Int(const char* key, int&, int def) override { Add(key, "integer", IntToStr(def)); }
  void Color(const char* key, TColor&, TColor def) override {
    Add(key, "colour", def == 0 ? "0" : Format("%d (0x%06X)", int(def), unsigned(def)));
  }
  void Bool(const char* key, bool&) override { Add(key, "boolean", "0"); }
  void Str(const char* key, std::string&, const char* def) override { Add(key, "string", def); }
  void Rect(const char* key, TRect&) override { Add(key, "rectangle", "0,0,0,0"); }
  void Point(const char* key, TPoint&) override { Add(key, "point", "0,0"); }
  void FontStyle(const char* key, TFontStyles&) override { Add(key, "font style", ""); }
  void Alignment(const char* key, TSkinAlignment&) override { Add(key, "alignment word", AlignmentDefaultWord); }
  void Morph(const char* key, TMorphKind&) override { Add(key, "morph word", MorphKindDefaultWord); }
  void Command(const char* key, TStdCommand&) override { Add(key, "command word", StdCommandDefaultWord); }
  void Effect(const char* key, TInactiveEffect&) override { Add(key, "effect word", InactiveEffectDefaultWord); }
  void NameList(const char* key, TStrings&, int) override {
    Add(std::string(key) + "count", "integer", "0");
    Add("0, 1, ...", "string", "");
  }
  void Entries(const char* countKey, std::vector<std::string>&) override {
    Add(countKey, "integer", "0");
    Add("0, 1, ...", "record entry", "");
  }

 private:
  void Add(const std::string& key, const char* kind, const std::string& def) { Rows.push_back({key, kind, def, ""}); }
};

std::vector<TSkinKeyRow> Describe(const std::function<void(TSkinKeyIO&)>& visit) {
  TSkinKeyDescriber d;
  visit(d);
  return d.Rows;
}

// ---- meanings ---------------------------------------------------------------------------
// By key; a table's own use of a key ("table.key", table = section, type word or class)
// comes first. Words in quotes are keys or words of the INI.

const std::map<std::string, std::string>& KeyMeanings() {
  static const std::map<std::string, std::string> m = {
      // sections of the skin data
      {"VERSION.skinname", "the skin's name, as --list-skins and the gallery show it"},
      {"VERSION.skinauthor", "who made the skin"},
      {"VERSION.authoremail", "the author's mail address"},
      {"VERSION.authorurl", "the author's web address"},
      {"VERSION.skincomments", "a line about the skin"},
      {"PICTURES.picture", "file of the main picture: the active frame, and where objects' normal images are cut from"},
      {"PICTURES.inactivepicture", "file of the frame of an inactive window (none: the active frame)"},
      {"PICTURES.mask", "file of the mask that shapes the window: black is inside (none: a rectangular window)"},
      {"PICTURES.activepicturescount", "number of further pictures"},
      {"PICTURES.0, 1, ...", "file of each further picture; every picture index counts from 0 in this list"},
      {"FORMINFO.lefttoppoint", "end of the frame's fixed top-left corner, from the main picture's top-left"},
      {"FORMINFO.righttoppoint", "start of the fixed top-right corner (x) and end of the top edge (y)"},
      {"FORMINFO.leftbottompoint", "end of the fixed bottom-left corner (x) and start of the bottom edge (y)"},
      {"FORMINFO.rightbottompoint", "start of the fixed bottom-right corner"},
      {"FORMINFO.clientrect", "the window's client area inside the main picture"},
      {"FORMINFO.bgpictureindex", "picture tiled behind the client area; -1: the form's colour"},
      {"FORMINFO.mdibgpictureindex", "picture tiled behind the client area of a window holding child windows"},
      {"FORMINFO.leftstretch", "1: the left edge piece is stretched; 0: tiled"},
      {"FORMINFO.rightstretch", "1: the right edge piece is stretched; 0: tiled"},
      {"FORMINFO.topstretch", "1: the top edge piece is stretched; 0: tiled"},
      {"FORMINFO.bottomstretch", "1: the bottom edge piece is stretched; 0: tiled"},
      {"FORMINFO.maskrectarea", "part of the mask that is stretched with the window (grown to hold clientrect)"},
      {"FORMINFO.hittestlefttoppoint", "corner of the mask's top-left piece (unset: lefttoppoint)"},
      {"FORMINFO.hittestrighttoppoint", "corner of the mask's top-right piece (unset: righttoppoint)"},
      {"FORMINFO.hittestleftbottompoint", "corner of the mask's bottom-left piece (unset: leftbottompoint)"},
      {"FORMINFO.hittestrightbottompoint", "corner of the mask's bottom-right piece (unset: rightbottompoint)"},
      {"FORMINFO.buttonsrect", "where the caption buttons sit in the main picture"},
      {"FORMINFO.captionrect", "where the caption sits in the main picture"},
      {"FORMINFO.buttonsoffset", "pixels between neighbouring caption buttons"},
      {"FORMINFO.buttonsinleft", "1: the caption buttons are placed from the left"},
      {"FORMINFO.mainmenupopupup", "1: menus of the menu bar open upward"},
      {"FORMINFO.borderwidth", "width of the frame border, in pixels"},
      {"FORMINFO.autorenderinginactiveimage", "1: the inactive frame is made from the active one with inactiveeffect"},
      {"FORMINFO.inactiveeffect", "the effect that makes the inactive frame"},
      {"POPUPWINDOW.windowpictureindex", "picture of the menu window; -1: menus keep their default look"},
      {"POPUPWINDOW.itemsrect", "where the items are drawn inside the window picture"},
      {"POPUPWINDOW.scrollmarkercolor", "colour of the scroll markers of a long menu"},
      {"POPUPWINDOW.scrollmarkeractivecolor", "colour of a scroll marker under the mouse"},
      {"HINTWINDOW.windowpictureindex", "picture of the hint window; -1: hints keep their default look"},
      {"HINTWINDOW.clientrect", "where the hint text goes inside the window picture"},
      {"SKINOBJECTS.count", "number of form object entries"},
      {"SKINOBJECTS.0, 1, ...", "\"name:type word\": a form object record, its keys in the section [name]"},
      {"SKINCONTROLS.count", "number of control entries"},
      {"SKINCONTROLS.0, 1, ...", "\"name:type word\": a control record, its keys in the section [name]"},

      // bases of the records
      {"pictureindex", "picture that holds the record's images; -1: none (the default look)"},
      {"maskpictureindex", "picture whose black pixels shape the control; -1: no mask"},
      {"windowpictureindex", "picture of the window"},
      {"lefttoppoint", "end of the fixed top-left corner piece, from skinrect's top-left"},
      {"righttoppoint", "start of the fixed top-right corner (x) and end of the top edge (y), from skinrect's top-left"},
      {"leftbottompoint", "end of the fixed bottom-left corner (x) and start of the bottom edge (y), from skinrect's top-left"},
      {"rightbottompoint", "start of the fixed bottom-right corner piece, from skinrect's top-left"},
      {"clientrect", "the client area, from skinrect's top-left"},
      {"leftstretch", "1: the left edge piece is stretched; 0: tiled"},
      {"rightstretch", "1: the right edge piece is stretched; 0: tiled"},
      {"topstretch", "1: the top edge piece is stretched; 0: tiled"},
      {"bottomstretch", "1: the bottom edge piece is stretched; 0: tiled"},
      {"TbsDataSkinObject.skinrect", "the normal image: in the main picture, or in the active picture with skinrectinapicture"},
      {"skinrect", "the normal image, a rectangle of the record's picture"},
      {"userobject.skinrect", "its place on the frame, in the main picture"},
      {"hint", "hint text shown over the object"},
      {"activepictureindex", "picture of the object's other images; -1: none"},
      {"skinrectinapicture", "1: skinrect lies in the active picture, not in the main picture"},
      {"activeskinrect", "the image under the mouse (or with the focus)"},
      {"inactiveskinrect", "the image on an inactive window"},
      {"morphing", "1: changes between state images are animated"},
      {"morphkind", "how the change between state images is animated"},

      // images of states
      {"downskinrect", "the pressed image"},
      {"disabledskinrect", "the disabled image"},
      {"downrect", "the pressed image"},
      {"disableskinrsect", "the disabled image (the key is spelled so)"},
      {"trackbuttonrect", "the drop-down part at the right of the button"},
      {"activefontcolor", "text colour under the mouse (or with the focus)"},
      {"downfontcolor", "text colour while pressed"},
      {"disabledfontcolor", "text colour when disabled"},
      {"unenabledfontcolor", "text colour when disabled"},
      {"unenabledfontColor", "text colour when disabled (the key is spelled so; any letter case matches)"},
      {"framefontcolor", "text colour of the box's frame caption"},
      {"focusfontcolor", "text colour of the item with the focus"},
      {"selectfontcolor", "text colour of the selected cell"},
      {"mouseinfontcolor", "text colour of the tab under the mouse"},
      {"checkradio.activeskinrect", "the background under the mouse"},
      {"checkimagearea", "where the check image goes, inside the control's image"},
      {"textarea", "where the text goes, inside the control's image"},
      {"checkimagerect", "image of the check mark, checked"},
      {"uncheckimagerect", "image of the check mark, unchecked"},
      {"activecheckimagerect", "checked image under the mouse"},
      {"activeuncheckimagerect", "unchecked image under the mouse"},
      {"unenabledcheckimagerect", "checked image when disabled"},
      {"unenableduncheckimagerect", "unchecked image when disabled"},
      {"bgpictureindex", "picture tiled as the background; -1: none"},
      {"captionrect", "where the caption text goes"},
      {"alignment", "alignment of the caption text"},
      {"rollhskinrect", "the panel rolled up sideways"},
      {"rollvskinrect", "the panel rolled up upward"},
      {"rollleftoffset", "left inset of the rolled-up panel's caption"},
      {"rollrightoffset", "right inset of the rolled-up panel's caption"},
      {"rolltopoffset", "top inset of the rolled-up panel's caption"},
      {"rollbottomoffset", "bottom inset of the rolled-up panel's caption"},
      {"rollvcaptionrect", "caption area of the panel rolled up upward"},
      {"rollhcaptionrect", "caption area of the panel rolled up sideways"},
      {"closebuttonrect", "close button image"},
      {"closebuttonactiverect", "close button under the mouse"},
      {"closebuttondownrect", "close button pressed"},
      {"hrollbuttonrect", "sideways roll button image"},
      {"hrollbuttonactiverect", "sideways roll button under the mouse"},
      {"hrollbuttondownrect", "sideways roll button pressed"},
      {"hrestorebuttonrect", "sideways restore button image"},
      {"hrestorebuttonactiverect", "sideways restore button under the mouse"},
      {"hrestorebuttondownrect", "sideways restore button pressed"},
      {"vrollbuttonrect", "upward roll button image"},
      {"vrollbuttonactiverect", "upward roll button under the mouse"},
      {"vrollbuttondownrect", "upward roll button pressed"},
      {"vrestorebuttonrect", "upward restore button image"},
      {"vrestorebuttonactiverect", "upward restore button under the mouse"},
      {"vrestorebuttondownrect", "upward restore button pressed"},
      {"progressarea", "where the progress is drawn, inside the gauge's image"},
      {"progressrect", "the progress image, repeated along the area"},
      {"beginoffset", "fixed pixels at the start of the progress image"},
      {"endoffset", "fixed pixels at the end of the progress image"},
      {"vertical", "1: the control runs from bottom to top"},
      {"trackarea", "where the thumb moves, inside the control's image"},
      {"buttonrect", "image of the control's button"},
      {"activebuttonrect", "the button under the mouse"},
      {"unenabledbuttonrect", "the button when disabled"},
      {"trackbar.buttonrect", "the thumb image"},
      {"trackbar.activebuttonrect", "the thumb under the mouse"},
      {"downbuttonrect", "the button pressed"},
      {"upbuttonrect", "the up (or right) button"},
      {"activeupbuttonrect", "the up button under the mouse"},
      {"downupbuttonrect", "the up button pressed"},
      {"activedownbuttonrect", "the down button under the mouse"},
      {"downdownbuttonrect", "the down button pressed"},
      {"updown.downbuttonrect", "the down (or left) button"},
      {"scrollbar.downbuttonrect", "the down (or left) button"},
      {"spinedit.downbuttonrect", "the down button"},
      {"listbox.downbuttonrect", "the down button of the list's own buttons"},
      {"fixedcellrect", "image of a fixed cell"},
      {"selectcellrect", "image of the selected cell"},
      {"focuscellrect", "image of the cell with the focus"},
      {"fixedcellleftoffset", "fixed pixels at the left of a fixed cell's image"},
      {"fixedcellrightoffset", "fixed pixels at the right of a fixed cell's image"},
      {"fixedcelltextrect", "where a fixed cell's text goes"},
      {"cellleftoffset", "fixed pixels at the left of a cell's image"},
      {"cellrightoffset", "fixed pixels at the right of a cell's image"},
      {"celltextrect", "where a cell's text goes"},
      {"linescolor", "colour of the grid lines"},
      {"bgcolor", "background colour"},
      {"activebgcolor", "background colour with the focus"},
      {"tabrect", "image of a tab"},
      {"activetabrect", "image of the selected tab"},
      {"focustabrect", "image of the tab with the focus"},
      {"mouseintabrect", "image of the tab under the mouse"},
      {"tab.clientrect", "the page area, from skinrect's top-left"},
      {"tableftoffset", "fixed pixels at the left of a tab image"},
      {"tabrightoffset", "fixed pixels at the right of a tab image"},
      {"tabsbgrect", "image behind the row of tabs"},
      {"updown", "name of the \"updown\" record that scrolls the tabs"},
      {"itemsrect", "where the items go"},
      {"menubaritem", "name of the object record of the bar's items"},
      {"closebutton", "name of the object record of the close button"},
      {"minbutton", "name of the object record of the minimise button"},
      {"maxbutton", "name of the object record of the maximise button"},
      {"sysmenubutton", "name of the object record of the system menu button"},
      {"trackmarkcolor", "colour of the mark of a sub-menu item"},
      {"trackmarkactivecolor", "colour of that mark under the mouse"},
      {"itemrect", "image of an item"},
      {"controlbar.itemrect", "image behind each band of the bar"},
      {"activeitemrect", "image of the item under the mouse"},
      {"focusitemrect", "image of the item with the focus"},
      {"itemleftoffset", "fixed pixels at the left of an item's image"},
      {"itemrightoffset", "fixed pixels at the right of an item's image"},
      {"itemtextrect", "where an item's text goes"},
      {"checkbuttonrect", "image of the list's check button"},
      {"activecheckbuttonrect", "check button under the mouse"},
      {"downcheckbuttonrect", "check button pressed"},
      {"vscrollbarname", "name of the scroll bar record of the vertical bar"},
      {"hscrollbarname", "name of the scroll bar record of the horizontal bar"},
      {"bothhscrollbarname", "name of the scroll bar record of the horizontal bar when both show"},
      {"itemcheckrect", "where the check image goes in an item"},
      {"listboxname", "name of the list box record of the drop-down list"},
      {"thumbrect", "the thumb image (its middle tiled when it grows)"},
      {"activethumbrect", "the thumb under the mouse"},
      {"downthumbrect", "the thumb while dragged"},
      {"thumboffset1", "fixed pixels at the thumb's start"},
      {"thumboffset2", "fixed pixels at the thumb's end"},
      {"glyphrect", "grip drawn in the middle of the thumb"},
      {"activeglyphrect", "grip under the mouse"},
      {"downglyphrect", "grip while dragged"},
      {"lightcolor", "colour of the light edges"},
      {"darkcolor", "colour of the dark edges"},
      {"hrulerrect", "ruler image of a horizontal slider"},
      {"hthumbrect", "thumb image of a horizontal slider"},
      {"vrulerrect", "ruler image of a vertical slider"},
      {"vthumbrect", "thumb image of a vertical slider"},
      {"edgesize", "fixed pixels at both ends of the ruler"},
      {"pointscolor", "colour of the tick marks"},
      {"edit.activeskinrect", "the edit with the focus"},
      {"spinedit.activeskinrect", "the edit with the focus"},

      // objects
      {"command", "what a click does"},
      {"restorerect", "image of the restore button that replaces the maximise button"},
      {"restoreactiverect", "restore button under the mouse"},
      {"restoredownrect", "restore button pressed"},
      {"restoreinactiverect", "restore button on an inactive window"},
      {"countframes", "number of frames side by side in activeskinrect"},
      {"cycle", "1: the animation repeats while the mouse is over it"},
      {"buttonstyle", "1: the object shows its frames as button states"},
      {"timerinterval", "milliseconds per frame"},
      {"dividerrect", "image of a divider line"},
      {"dividerleftoffset", "fixed pixels at the left of the divider image"},
      {"dividerrightoffset", "fixed pixels at the right of the divider image"},
      {"textrect", "where the text goes, inside the image"},
      {"shadow", "1: the text has a shadow"},
      {"shadowcolor", "colour of the text's shadow"},
      {"activeshadowcolor", "colour of the shadow on an active window"},
      {"framerect", "image of the frame around the caption text"},
      {"activeframerect", "that frame on an active window"},
      {"frametextrect", "where the text goes inside the frame"},
      {"frameleftoffset", "fixed pixels at the left of the frame image"},
      {"framerightoffset", "fixed pixels at the right of the frame image"},
  };
  return m;
}

// Font group keys: prefix + fontname/fontheight/fontstyle/fontcolor.
std::string FontMeaning(const std::string& key) {
  static const std::pair<const char*, const char*> parts[] = {
      {"fontname", "font of %s"},
      {"fontheight", "font height of %s (negative: character height in pixels)"},
      {"fontstyle", "font style of %s"},
      {"fontcolor", "colour of %s"}};
  for (const auto& [suffix, text] : parts) {
    const std::string s = suffix;
    if (key.size() < s.size() || key.compare(key.size() - s.size(), s.size(), s) != 0) continue;
    const std::string prefix = key.substr(0, key.size() - s.size());
    const std::string what = prefix.empty() ? "the text" : "the " + prefix + " text";
    return Format(text, what.c_str());
  }
  return "";
}

std::string MeaningOf(const std::string& table, const std::string& className, const std::string& key) {
  const auto& m = KeyMeanings();
  for (const std::string& scope : {table, className})
    if (auto it = m.find(scope + "." + key); it != m.end()) return it->second;
  std::string meaning = FontMeaning(key);
  if (auto it = m.find(key); it != m.end()) meaning = it->second;
  // The menu and hint windows are drawn from a whole picture, not from a skinrect.
  if (table == "POPUPWINDOW" || table == "HINTWINDOW") {
    meaning = Replaced(meaning, "skinrect's top-left", "the window picture's top-left");
    meaning = Replaced(meaning, "shape the control", "shape the window");
  }
  return meaning;
}

const std::map<std::string, std::pair<std::string, std::string>>& TableTexts() {
  // meaning, note
  static const std::map<std::string, std::pair<std::string, std::string>> t = {
      {"VERSION", {"who made the skin", ""}},
      {"PICTURES", {"the skin's bitmaps; file names are relative to the folder of skin.ini", ""}},
      {"FORMINFO",
       {"the window's frame, cut from the main picture",
        "With a mask, an empty maskrectarea becomes clientrect and unset hittest points take the corner "
        "points'. Unless rightbottompoint shares x or y with lefttoppoint, the corner points are then pulled "
        "into clientrect."}},
      {"POPUPWINDOW", {"the window of every skinned menu", ""}},
      {"HINTWINDOW", {"the hint window", ""}},
      {"SKINOBJECTS", {"the form objects, in the order they are read", ""}},
      {"SKINCONTROLS", {"the control records, in the order they are read", ""}},
      {"TbsDataSkinControl", {"keys of every control record", ""}},
      {"TbsDataSkinCustomControl",
       {"keys of every control that is drawn at any size from pieces of its image", ""}},
      {"TbsDataSkinObject", {"keys of every form object record", ""}},
      {"TbsDataSkinMainMenuItem", {"keys of the menu bar's items", ""}},
      {"TbsDataSkinPanelControl", {"panel and group box", ""}},
      {"TbsDataSkinExPanelControl", {"panel that rolls up, with close, roll and restore buttons", ""}},
      {"TbsDataSkinButtonControl", {"push button", ""}},
      {"TbsDataSkinMenuButtonControl", {"push button with a drop-down part", ""}},
      {"TbsDataSkinCheckRadioControl", {"check box and radio button", ""}},
      {"TbsDataSkinGaugeControl", {"progress bar", ""}},
      {"TbsDataSkinSplitterControl", {"splitter (no keys of its own)", ""}},
      {"TbsDataSkinTrackBarControl", {"track bar", ""}},
      {"TbsDataSkinLabelControl", {"label with a frame", ""}},
      {"TbsDataSkinStdLabelControl", {"plain label", ""}},
      {"TbsDataSkinUpDownControl",
       {"up-down buttons",
        "Up-down buttons are never stretched: after reading, the corner points are 0,0 and clientrect is "
        "empty, whatever the section says."}},
      {"TbsDataSkinGridControl", {"grid", ""}},
      {"TbsDataSkinTabControl", {"tab control", ""}},
      {"TbsDataSkinMainMenuBar", {"menu bar", ""}},
      {"TbsDataSkinControlBar", {"control bar", ""}},
      {"TbsDataSkinEditControl", {"edit", ""}},
      {"TbsDataSkinMemoControl", {"memo", ""}},
      {"TbsDataSkinListBox", {"list box", ""}},
      {"TbsDataSkinCheckListBox", {"list box with check boxes", ""}},
      {"TbsDataSkinComboBox", {"combo box", ""}},
      {"TbsDataSkinScrollBarControl", {"scroll bar", ""}},
      {"TbsDataSkinSpinEditControl", {"spin edit", ""}},
      {"TbsDataSkinScrollBoxControl", {"scroll box", ""}},
      {"TbsDataSkinTreeView", {"tree view", ""}},
      {"TbsDataSkinBevel", {"bevel", ""}},
      {"TbsDataSkinSlider", {"slider", ""}},
      {"TbsDataSkinListView", {"list view", ""}},
      {"TbsDataSkinRichEdit", {"rich edit", ""}},
      {"TbsDataSkinMenuItem", {"item of a skinned menu", ""}},
      {"TbsDataSkinMainMenuBarItem", {"item of a skinned menu bar", ""}},
      {"TbsDataSkinStdButton", {"caption button with a window command", ""}},
      {"TbsDataSkinMainMenuBarButton", {"caption button in the menu bar of a maximised child window", ""}},
      {"TbsDataSkinButton", {"button on the frame", ""}},
      {"TbsDataSkinCaption", {"the caption text", ""}},
      {"TbsDataSkinAnimate",
       {"animation on the frame", "Animations never morph: morphing is off after reading, whatever the section says."}},
      {"TbsDataUserObject",
       {"a place on the frame for the program's own drawing", ""}},
  };
  return t;
}

TSkinKeyTable MakeTable(const std::string& name, const std::string& list, const std::string& className,
                        const std::string& base, std::vector<TSkinKeyRow> rows) {
  TSkinKeyTable t{name, list, className, base, true, "", "", std::move(rows)};
  const auto& texts = TableTexts();
  if (auto it = texts.find(className.empty() ? name : className); it != texts.end()) {
    t.Meaning = it->second.first;
    t.Note = it->second.second;
  }
  for (TSkinKeyRow& r : t.Keys) r.Meaning = MeaningOf(name, className, r.Key);
  return t;
}

bool StartsWith(const std::vector<TSkinKeyRow>& all, const std::vector<TSkinKeyRow>& head) {
  if (head.size() > all.size()) return false;
  for (size_t i = 0; i < head.size(); ++i)
    if (all[i].Key != head[i].Key || all[i].Kind != head[i].Kind) return false;
  return true;
}
}  // namespace

std::vector<TSkinKeyTable> SkinKeyTables() {
  std::vector<TSkinKeyTable> out;
  TbsSkinData data(nullptr);
  std::vector<std::string> entries;
  out.push_back(MakeTable("VERSION", "", "", "", Describe([&](TSkinKeyIO& io) { data.VersionKeys(io); })));
  out.push_back(MakeTable("PICTURES", "", "", "", Describe([&](TSkinKeyIO& io) { data.PictureKeys(io); })));
  out.push_back(MakeTable("FORMINFO", "", "", "", Describe([&](TSkinKeyIO& io) { data.FormInfoKeys(io); })));
  out.push_back(
      MakeTable("POPUPWINDOW", "", "", "", Describe([&](TSkinKeyIO& io) { data.PopupRecord->VisitKeys(io); })));
  out.push_back(
      MakeTable("HINTWINDOW", "", "", "", Describe([&](TSkinKeyIO& io) { data.HintRecord->VisitKeys(io); })));
  for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"})
    out.push_back(MakeTable(list, "", "", "", Describe([&](TSkinKeyIO& io) { TbsSkinData::ListKeys(io, entries); })));

  // Record classes: each class's keys after its base's; a class that does not start
  // with its base's keys replaces them (its note says so).
  std::map<std::string, std::vector<TSkinKeyRow>> all;
  for (bool controls : {true, false})
    for (const TSkinRecordClass& c : SkinRecordClasses()) {
      if (c.Control != controls) continue;
      std::vector<TSkinKeyRow> rows = Describe(c.VisitKeys);
      all[c.ClassName] = rows;
      const bool readsBase = c.BaseClassName.empty() || StartsWith(rows, all[c.BaseClassName]);
      if (!c.BaseClassName.empty() && readsBase)
        rows.erase(rows.begin(), rows.begin() + long(all[c.BaseClassName].size()));
      out.push_back(MakeTable(c.TypeWord.empty() ? c.ClassName : c.TypeWord,
                              c.TypeWord.empty() ? "" : (c.Control ? "SKINCONTROLS" : "SKINOBJECTS"), c.ClassName,
                              c.BaseClassName, std::move(rows)));
      out.back().ReadsBase = readsBase;
    }
  return out;
}

std::vector<TSkinWordKind> SkinWordKinds() {
  using TMeanings = std::map<std::string, std::string>;
  auto kind = [](const char* name, const TSkinWordTable& t, const TMeanings& meanings) {
    TSkinWordKind k{name, {}, ""};
    for (const auto& [word, value] : t.Words) {
      auto it = meanings.find(word);
      k.Words.push_back({word, value, it == meanings.end() ? "" : it->second});
      if (value == t.Otherwise) k.Otherwise = word;
    }
    return k;
  };
  std::vector<TSkinWordKind> out;
  out.push_back(kind("alignment word", AlignmentWordTable(),
                     {{"taleftjustify", "left"}, {"tarightjustify", "right"}, {"tacenter", "centred"}}));
  out.push_back(kind("morph word", MorphKindWordTable(),
                     {{"mkdefault", "cross-fade"},
                      {"mkgradient", "a band opening from the centre"},
                      {"mkleftgradient", "a soft edge moving in from the left"},
                      {"mkrightgradient", "a soft edge moving in from the right"},
                      {"mkleftslide", "the new image slides in from the left"},
                      {"mkrightslide", "the new image slides in from the right"},
                      {"mkpush", "the new image pushes the old one out to the right"}}));
  out.push_back(kind("command word", StdCommandWordTable(),
                     {{"cmclose", "close the window"},
                      {"cmmaximize", "maximise or restore"},
                      {"cmminimize", "minimise"},
                      {"cmsysmenu", "open the system menu"},
                      {"cmdefault", "nothing of its own"},
                      {"cmrollup", "roll up or down"},
                      {"cmminimizetotray", "minimise to the tray"}}));
  out.push_back(kind("effect word", InactiveEffectWordTable(),
                     {{"iebrightness", "brighter"},
                      {"iedarkness", "darker"},
                      {"iegrayscale", "grey"},
                      {"ienoise", "noise"},
                      {"iesplitblur", "blurred"},
                      {"ieinvert", "inverted"}}));
  TSkinWordKind styles{"font style", {}, ""};
  for (const std::string& w : FontStyleWords()) styles.Words.push_back({w, 0, ""});
  out.push_back(styles);
  return out;
}
