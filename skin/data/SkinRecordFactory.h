#pragma once
// Type words of the list sections and the record kinds they create.
#include <memory>
#include <string>
#include <vector>

class TbsDataSkinControl;
class TbsDataSkinObject;

// nullptr when the word names no control kind (comparison is exact, case-sensitive).
std::unique_ptr<TbsDataSkinControl> CreateControlRecord(const std::string& typeWord, const std::string& name);
std::unique_ptr<TbsDataSkinObject> CreateObjectRecord(const std::string& typeWord, const std::string& name);
const std::vector<std::string>& ControlTypeWords();
const std::vector<std::string>& ObjectTypeWords();
// "name:type" -> name and type split at the first ':'; false (both empty) without ':'.
bool SplitListEntry(const std::string& entry, std::string& name, std::string& typeWord);
