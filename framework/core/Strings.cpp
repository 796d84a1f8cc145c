#include "framework/core/Strings.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"

// ---- TStrings ----

void TStrings::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) throw EListError(Format("List index out of bounds (%d)", index));
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
  return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

void TStrings::Changing() {
  if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}

void TStrings::Changed() {
  if (FUpdateCount > 0) {
    FChangedInUpdate = true;
    return;
  }
  if (OnChange) OnChange(this);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) FChangedInUpdate = false;
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FChangedInUpdate) {
    FChangedInUpdate = false;
    if (OnChange) OnChange(this);
  }
}

void TStrings::InsertObject(int index, const std::string& s, void* obj) {
  Insert(index, s);
  SetObject(index, obj);
}

int TStrings::Add(const std::string& s) { return AddObject(s, nullptr); }

int TStrings::AddObject(const std::string& s, void* obj) {
  int i = Count();
  InsertObject(i, s, obj);
  return i;
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Strings(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const void* obj) const {
  for (int i = 0; i < Count(); ++i)
    if (Objects(i) == obj) return i;
  return -1;
}

void TStrings::Exchange(int a, int b) {
  CheckIndex(a, Count());
  CheckIndex(b, Count());
  BeginUpdate();
  std::string sa = Strings(a);
  void* oa = Objects(a);
  Set(a, Strings(b));
  SetObject(a, Objects(b));
  Set(b, sa);
  SetObject(b, oa);
  EndUpdate();
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  CheckIndex(from, Count());
  CheckIndex(to, Count());
  BeginUpdate();
  std::string s = Strings(from);
  void* o = Objects(from);
  Delete(from);
  InsertObject(to, s, o);
  EndUpdate();
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Strings(i);
    out += '\n';
  }
  return out;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      Add(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) Add(text.substr(start));
  EndUpdate();
}

std::string TStrings::CommaText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i) out += ',';
    const std::string& s = Strings(i);
    bool quote = s.empty() || std::any_of(s.begin(), s.end(), [](char c) {
                   return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"';
                 });
    if (!quote) {
      out += s;
      continue;
    }
    out += '"';
    for (char c : s) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

void TStrings::SetCommaText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  };
  skipBlanks();
  while (i < text.size()) {
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < text.size()) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < text.size() && text[i] != ',' && static_cast<unsigned char>(text[i]) > ' ') item += text[i++];
    }
    Add(item);
    skipBlanks();
    if (i < text.size() && text[i] == ',') {
      ++i;
      skipBlanks();
      if (i >= text.size()) Add("");  // a trailing comma ends an empty item
    }
  }
  EndUpdate();
}

std::string TStrings::Names(int index) const {
  const std::string& s = Strings(index);
  size_t p = s.find('=');
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int index) const {
  const std::string& s = Strings(index);
  size_t p = s.find('=');
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string& s = Strings(i);
    size_t p = s.find('=');
    if (p != std::string::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& name) const {
  int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  if (i < 0)
    Add(name + "=" + value);
  else
    Set(i, name + "=" + value);
}

void TStrings::LoadFromStream(TStream& stream) {
  Int64 n = stream.Size() - stream.Position();
  std::string data;
  if (n > 0) {
    data.resize(static_cast<size_t>(n));
    data.resize(static_cast<size_t>(stream.Read(data.data(), n)));
  }
  if (data.size() >= 3 && data.compare(0, 3, "\xEF\xBB\xBF") == 0) data.erase(0, 3);
  SetText(data);
}

void TStrings::SaveToStream(TStream& stream) const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Strings(i);
    out += "\r\n";
  }
  stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f);
}

void TStrings::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TStrings*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  Clear();
  AddStrings(*src);
  EndUpdate();
}

void TStrings::AddStrings(const TStrings& other) {
  // Copy first: other may be this list.
  std::vector<std::pair<std::string, void*>> items;
  for (int i = 0; i < other.Count(); ++i) items.emplace_back(other.Strings(i), other.Objects(i));
  BeginUpdate();
  for (auto& [s, o] : items) AddObject(s, o);
  EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> v;
  v.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) v.push_back(Strings(i));
  return v;
}

// ---- TStringList ----

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index, Count());
  return FItems[static_cast<size_t>(index)].Text;
}

void TStringList::Set(int index, const std::string& s) {
  if (FSorted) throw EListError("Operation not allowed on sorted list");
  CheckIndex(index, Count());
  Changing();
  FItems[static_cast<size_t>(index)].Text = s;
  Changed();
}

void* TStringList::Objects(int index) const {
  CheckIndex(index, Count());
  return FItems[static_cast<size_t>(index)].Object;
}

void TStringList::SetObject(int index, void* obj) {
  CheckIndex(index, Count());
  Changing();
  FItems[static_cast<size_t>(index)].Object = obj;
  Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, void* obj) {
  if (FSorted) throw EListError("Operation not allowed on sorted list");
  CheckIndex(index, Count() + 1);
  Changing();
  FItems.insert(FItems.begin() + index, Item{s, obj});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count());
  Changing();
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

int TStringList::AddObject(const std::string& s, void* obj) {
  int index = Count();
  if (FSorted) {
    if (Find(s, index)) {
      if (FDuplicates == dupIgnore) return index;
      if (FDuplicates == dupError) throw EListError("String list does not allow duplicates");
    }
  }
  Changing();
  FItems.insert(FItems.begin() + index, Item{s, obj});
  Changed();
  return index;
}

bool TStringList::Find(const std::string& s, int& index) const {
  if (!FSorted) {
    index = IndexOf(s);
    return index >= 0;
  }
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = lo + (hi - lo) / 2;
    int c = CompareStrings(FItems[static_cast<size_t>(mid)].Text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        // With duplicates the first of the equal run is the match.
        if (FDuplicates != dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

int TStringList::IndexOf(const std::string& s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int i;
  return Find(s, i) ? i : -1;
}

void TStringList::Sort() {
  CustomSort([](const TStringList& l, int a, int b) {
    return l.CompareStrings(l.FItems[static_cast<size_t>(a)].Text, l.FItems[static_cast<size_t>(b)].Text);
  });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare) {
  if (FItems.size() < 2) return;
  Changing();
  // Sort an index permutation so the comparison sees the list's own indexes.
  std::vector<int> order(FItems.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(FItems.size());
  for (int i : order) sorted.push_back(FItems[static_cast<size_t>(i)]);
  FItems.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool v) {
  if (v == FSorted) return;
  if (v) Sort();
  FSorted = v;
}

void TStringList::SetCaseSensitive(bool v) {
  if (v == CaseSensitive()) return;
  TStrings::SetCaseSensitive(v);
  if (FSorted) Sort();
}
