#pragma once
// Lists of UTF-8 lines: the abstract TStrings (text, name=value pairs, comma text,
// streaming) and the concrete, optionally sorted TStringList.
#include <functional>
#include <string>
#include <vector>

#include "framework/core/Component.h"

class TStream;

enum class TDuplicates { dupIgnore, dupAccept, dupError };
constexpr auto dupIgnore = TDuplicates::dupIgnore;
constexpr auto dupAccept = TDuplicates::dupAccept;
constexpr auto dupError = TDuplicates::dupError;

class TStrings : public TPersistent {
 public:
  std::string ClassName() const override { return "TStrings"; }

  virtual int Count() const = 0;
  // Index out of range raises EListError("List index out of bounds (N)").
  virtual const std::string& Strings(int index) const = 0;
  virtual void Set(int index, const std::string& s) = 0;
  virtual void* Objects(int index) const = 0;
  virtual void SetObject(int index, void* obj) = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void InsertObject(int index, const std::string& s, void* obj);
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  // Returns the index the string got (sorted lists insert in order).
  virtual int Add(const std::string& s);
  virtual int AddObject(const std::string& s, void* obj);
  virtual int IndexOf(const std::string& s) const;
  int IndexOfObject(const void* obj) const;
  void Exchange(int a, int b);
  void Move(int from, int to);
  const std::string& operator[](int index) const { return Strings(index); }

  // Lines joined with "\n" after each; SetText splits on "\r\n", "\n" or "\r".
  std::string Text() const;
  void SetText(const std::string& text);
  // Items separated by commas; items with spaces, commas or quotes are double-quoted.
  std::string CommaText() const;
  void SetCommaText(const std::string& text);

  // "name=value" lines.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  std::string Values(const std::string& name) const;
  // Sets or replaces the value; an empty value deletes the line.
  void SetValue(const std::string& name, const std::string& value);
  int IndexOfName(const std::string& name) const;

  bool CaseSensitive() const { return FCaseSensitive; }
  virtual void SetCaseSensitive(bool v) { FCaseSensitive = v; }

  // UTF-8 text (a leading byte-order mark is dropped); saved lines end with "\r\n".
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  // Nested; OnChange fires once at the outermost EndUpdate if anything changed.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  void Assign(const TPersistent* Source) override;
  void AddStrings(const TStrings& other);
  std::vector<std::string> ToVector() const;

  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  int CompareStrings(const std::string& a, const std::string& b) const;
  void CheckIndex(int index, int limit) const;
  void Changing();
  void Changed();

 private:
  bool FCaseSensitive = false;
  int FUpdateCount = 0;
  bool FChangedInUpdate = false;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  std::string ClassName() const override { return "TStringList"; }

  int Count() const override { return static_cast<int>(FItems.size()); }
  const std::string& Strings(int index) const override;
  void Set(int index, const std::string& s) override;
  void* Objects(int index) const override;
  void SetObject(int index, void* obj) override;
  // Raises EListError("Operation not allowed on sorted list") when sorted.
  void Insert(int index, const std::string& s) override;
  void InsertObject(int index, const std::string& s, void* obj) override;
  void Delete(int index) override;
  void Clear() override;
  int AddObject(const std::string& s, void* obj) override;
  int IndexOf(const std::string& s) const override;
  // On a sorted list: binary search; true with the index of the match, or false
  // with the index where s would go.
  bool Find(const std::string& s, int& index) const;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool v);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates d) { FDuplicates = d; }
  void SetCaseSensitive(bool v) override;
  void Sort();
  void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

 private:
  struct Item {
    std::string Text;
    void* Object = nullptr;
  };
  std::vector<Item> FItems;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
};
