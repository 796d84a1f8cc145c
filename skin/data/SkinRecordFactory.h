#pragma once
// Type words of the list sections and the record kinds they create.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TbsDataSkinControl;
class TbsDataSkinObject;
class TSkinKeyIO;

// nullptr when the word names no control kind (comparison is exact, case-sensitive).
std::unique_ptr<TbsDataSkinControl> CreateControlRecord(const std::string& typeWord, const std::string& name);
std::unique_ptr<TbsDataSkinObject> CreateObjectRecord(const std::string& typeWord, const std::string& name);
const std::vector<std::string>& ControlTypeWords();
const std::vector<std::string>& ObjectTypeWords();
// "name:type" -> name and type split at the first ':'; false (both empty) without ':'.
bool SplitListEntry(const std::string& entry, std::string& name, std::string& typeWord);

// One record class as the lists know it: the kinds of the type words and the classes
// they derive from, each root first (a class appears before every class derived from
// it), controls before objects.
struct TSkinRecordClass {
  std::string ClassName;
  std::string BaseClassName;  // "" for the root of a family
  std::string TypeWord;       // "" for a class no type word creates
  bool Control = true;        // listed in "SKINCONTROLS" (else "SKINOBJECTS")
  // Walks the key list of a fresh record of the class (every key, its bases' first).
  std::function<void(TSkinKeyIO&)> VisitKeys;
};
const std::vector<TSkinRecordClass>& SkinRecordClasses();
