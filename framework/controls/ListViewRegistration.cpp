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
  c.Enum("ViewStyle", {{"vsIcon", vsIcon}, {"vsSmallIcon", vsSmallIcon}, {"vsList", vsList}, {"vsReport", vsReport}},
         [](L* l, int v) { l->SetViewStyle(TViewStyle(v)); }, [](const L* l) { return int(l->ViewStyle()); });
  c.Boolean("ShowColumnHeaders", [](L* l, bool v) { l->SetShowColumnHeaders(v); },
            [](const L* l) { return l->ShowColumnHeaders(); });
  c.Boolean("MultiSelect", [](L* l, bool v) { l->SetMultiSelect(v); }, [](const L* l) { return l->MultiSelect(); });
  c.Boolean("HideSelection", [](L* l, bool v) { l->SetHideSelection(v); },
            [](const L* l) { return l->HideSelection(); });
  c.Boolean("ReadOnly", [](L* l, bool v) { l->SetReadOnly(v); }, [](const L* l) { return l->ReadOnly(); });
  c.Boolean("OwnerData", [](L* l, bool v) { l->SetOwnerData(v); }, [](const L* l) { return l->OwnerData(); });
  c.StringList("Columns.Strings",
               [](L* l, const std::vector<std::string>& v) {
                 l->ClearColumns();
                 for (const std::string& s : v) AddStoredColumn(l, s);
               },
               [](const L* l) {
                 std::vector<std::string> out;
                 for (int i = 0; i < l->ColumnCount(); ++i)
                   out.push_back(l->Column(i).Caption + "," + std::to_string(l->Column(i).Width));
                 return out;
               });
  c.StringList("Items.Strings",
               [](L* l, const std::vector<std::string>& v) {
                 l->ClearItems();
                 for (const std::string& s : v) l->AddItem(s);
               },
               [](const L* l) {
                 std::vector<std::string> out;
                 for (int i = 0; i < l->ItemCount(); ++i) out.push_back(l->DisplayItem(i).Caption);
                 return out;
               });
  c.Reference<TImageList>("SmallImages", [](L* l, TImageList* i) { l->SetSmallImages(i); },
                          [](const L* l) { return l->SmallImages(); });
  c.Reference<TImageList>("LargeImages", [](L* l, TImageList* i) { l->SetLargeImages(i); },
                          [](const L* l) { return l->LargeImages(); });
  c.Event("OnChange", [](L* l, TNotifyEvent e) { l->OnChange = std::move(e); });
  c.Event("OnDblClick", [](L* l, TNotifyEvent e) { l->OnDblClick = std::move(e); });
}
