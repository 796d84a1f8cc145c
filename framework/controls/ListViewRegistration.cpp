#include "framework/controls/ListViewRegistration.h"

#include <charconv>

#include "framework/controls/ListView.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"

namespace {
// "Caption,Width": a malformed width is an error in the layout, not a silent zero.
void AddStoredColumn(TListView* l, const std::string& entry) {
  const size_t comma = entry.rfind(',');
  if (comma == std::string::npos) {
    l->AddColumn(entry, 50);
    return;
  }
  const char* first = entry.data() + comma + 1;
  const char* last = entry.data() + entry.size();
  int width = 0;
  auto [end, ec] = std::from_chars(first, last, width);
  if (ec != std::errc() || end != last || width < 0)
    throw Exception("Invalid column width in \"" + entry + "\"");
  l->AddColumn(entry.substr(0, comma), width);
}
}  // namespace

void RegisterListView(TClassRegistry& r) {
  using L = TListView;
  auto c = r.RegisterClass<L>("TListView", "TCustomControl");
  c.Enum("ViewStyle", &L::ViewStyle, &L::SetViewStyle,
         {{"vsIcon", vsIcon}, {"vsSmallIcon", vsSmallIcon}, {"vsList", vsList}, {"vsReport", vsReport}});
  c.Boolean("ShowColumnHeaders", &L::ShowColumnHeaders, &L::SetShowColumnHeaders);
  c.Boolean("MultiSelect", &L::MultiSelect, &L::SetMultiSelect);
  c.Boolean("HideSelection", &L::HideSelection, &L::SetHideSelection);
  c.Boolean("ReadOnly", &L::ReadOnly, &L::SetReadOnly);
  c.Boolean("OwnerData", &L::OwnerData, &L::SetOwnerData);
  c.StringList(
      "Columns.Strings",
      [](const L* l) {
        std::vector<std::string> out;
        for (int i = 0; i < l->ColumnCount(); ++i)
          out.push_back(l->Column(i).Caption + "," + std::to_string(l->Column(i).Width));
        return out;
      },
      [](L* l, const std::vector<std::string>& v) {
        l->ClearColumns();
        for (const std::string& s : v) AddStoredColumn(l, s);
      });
  c.StringList(
      "Items.Strings",
      [](const L* l) {
        std::vector<std::string> out;
        for (int i = 0; i < l->ItemCount(); ++i) out.push_back(l->DisplayItem(i).Caption);
        return out;
      },
      [](L* l, const std::vector<std::string>& v) {
        l->ClearItems();
        for (const std::string& s : v) l->AddItem(s);
      });
  c.Reference("SmallImages", &L::SmallImages, &L::SetSmallImages);
  c.Reference("LargeImages", &L::LargeImages, &L::SetLargeImages);
  c.Event("OnChange", &L::OnChange);
  c.Event("OnDblClick", &L::OnDblClick);
}
