#include "skin/data/SkinRecordFactory.h"

#include <functional>
#include <type_traits>
#include <utility>

#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinObjectRecords.h"

namespace {
template <typename Base>
using Maker = std::function<std::unique_ptr<Base>(const std::string&)>;

// The classes of a kind's chain, root first, into out (each class once).
template <typename Kind>
void AddChain(std::vector<TSkinRecordClass>& out, const std::string& word, bool control) {
  std::string base;
  if constexpr (requires { typename Kind::Inherited; }) {
    AddChain<typename Kind::Inherited>(out, "", control);
    base = typename Kind::Inherited("").ClassName();
  }
  const std::string name = Kind("").ClassName();
  for (TSkinRecordClass& c : out)
    if (c.ClassName == name) {
      if (!word.empty()) c.TypeWord = word;
      return;
    }
  out.push_back({name, base, word, control, [](TSkinKeyIO& io) { Kind("").VisitKeys(io); }});
}

std::vector<TSkinRecordClass>& Classes() {
  static std::vector<TSkinRecordClass> classes;
  return classes;
}

template <typename Base, typename Kind>
std::pair<std::string, Maker<Base>> Entry(const char* word) {
  AddChain<Kind>(Classes(), word, std::is_same_v<Base, TbsDataSkinControl>);
  return {word, [](const std::string& name) { return std::unique_ptr<Base>(new Kind(name)); }};
}

const std::vector<std::pair<std::string, Maker<TbsDataSkinControl>>>& ControlKinds() {
  using C = TbsDataSkinControl;
  static const std::vector<std::pair<std::string, Maker<C>>> kinds = {
      Entry<C, TbsDataSkinPanelControl>("panel"),
      Entry<C, TbsDataSkinExPanelControl>("expanel"),
      Entry<C, TbsDataSkinMenuButtonControl>("menubutton"),
      Entry<C, TbsDataSkinButtonControl>("button"),
      Entry<C, TbsDataSkinCheckRadioControl>("checkradio"),
      Entry<C, TbsDataSkinGaugeControl>("gauge"),
      Entry<C, TbsDataSkinSplitterControl>("splitter"),
      Entry<C, TbsDataSkinTrackBarControl>("trackbar"),
      Entry<C, TbsDataSkinLabelControl>("label"),
      Entry<C, TbsDataSkinStdLabelControl>("stdlabel"),
      Entry<C, TbsDataSkinUpDownControl>("updown"),
      Entry<C, TbsDataSkinGridControl>("grid"),
      Entry<C, TbsDataSkinTabControl>("tab"),
      Entry<C, TbsDataSkinMainMenuBar>("mainmenubar"),
      Entry<C, TbsDataSkinControlBar>("controlbar"),
      Entry<C, TbsDataSkinMemoControl>("memo"),
      Entry<C, TbsDataSkinEditControl>("edit"),
      Entry<C, TbsDataSkinCheckListBox>("checklistbox"),
      Entry<C, TbsDataSkinListBox>("listbox"),
      Entry<C, TbsDataSkinComboBox>("combobox"),
      Entry<C, TbsDataSkinScrollBarControl>("scrollbar"),
      Entry<C, TbsDataSkinSpinEditControl>("spinedit"),
      Entry<C, TbsDataSkinScrollBoxControl>("scrollbox"),
      Entry<C, TbsDataSkinTreeView>("treeview"),
      Entry<C, TbsDataSkinBevel>("bevel"),
      Entry<C, TbsDataSkinSlider>("slider"),
      Entry<C, TbsDataSkinListView>("listview"),
      Entry<C, TbsDataSkinRichEdit>("richedit"),
  };
  return kinds;
}

const std::vector<std::pair<std::string, Maker<TbsDataSkinObject>>>& ObjectKinds() {
  using O = TbsDataSkinObject;
  static const std::vector<std::pair<std::string, Maker<O>>> kinds = {
      Entry<O, TbsDataSkinMenuItem>("menuitem"),
      Entry<O, TbsDataSkinMainMenuBarItem>("mainmenubaritem"),
      Entry<O, TbsDataSkinStdButton>("stdbutton"),
      Entry<O, TbsDataSkinMainMenuBarButton>("mainmenubarbutton"),
      Entry<O, TbsDataSkinButton>("button"),
      Entry<O, TbsDataSkinCaption>("caption"),
      Entry<O, TbsDataSkinAnimate>("animate"),
      Entry<O, TbsDataUserObject>("userobject"),
  };
  return kinds;
}

template <typename Base>
std::unique_ptr<Base> Create(const std::vector<std::pair<std::string, Maker<Base>>>& kinds,
                             const std::string& word, const std::string& name) {
  for (const auto& [w, make] : kinds)
    if (w == word) return make(name);
  return nullptr;
}

template <typename Base>
std::vector<std::string> Words(const std::vector<std::pair<std::string, Maker<Base>>>& kinds) {
  std::vector<std::string> out;
  for (const auto& k : kinds) out.push_back(k.first);
  return out;
}
}  // namespace

std::unique_ptr<TbsDataSkinControl> CreateControlRecord(const std::string& typeWord, const std::string& name) {
  return Create(ControlKinds(), typeWord, name);
}

std::unique_ptr<TbsDataSkinObject> CreateObjectRecord(const std::string& typeWord, const std::string& name) {
  return Create(ObjectKinds(), typeWord, name);
}

const std::vector<std::string>& ControlTypeWords() {
  static const std::vector<std::string> words = Words(ControlKinds());
  return words;
}

const std::vector<std::string>& ObjectTypeWords() {
  static const std::vector<std::string> words = Words(ObjectKinds());
  return words;
}

const std::vector<TSkinRecordClass>& SkinRecordClasses() {
  ControlKinds();
  ObjectKinds();
  return Classes();
}

bool SplitListEntry(const std::string& entry, std::string& name, std::string& typeWord) {
  const size_t colon = entry.find(':');
  if (colon == std::string::npos) {
    name.clear();
    typeWord.clear();
    return false;
  }
  name = entry.substr(0, colon);
  typeWord = entry.substr(colon + 1);
  return true;
}
