#include "framework/core/Resources.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <utility>

#include "framework/core/SysUtils.h"

// Made at build time from the resources folder (cmake/EmbedResources.cmake); the
// table ends with an entry whose Kind is null.
struct TEmbeddedResource {
  const char* Kind;
  const char* Name;
  const char* Data;
  std::size_t Size;
};
extern const TEmbeddedResource kEmbeddedResources[];

namespace {

struct ResourceTable {
  // key: lower-case kind + '/' + lower-case name
  std::map<std::string, std::string> Data;
  std::map<std::string, std::vector<std::string>> NamesByKind;
};

const ResourceTable& Table() {
  static const ResourceTable table = [] {
    ResourceTable t;
    for (const TEmbeddedResource* r = kEmbeddedResources; r->Kind; ++r) {
      std::string key = LowerCase(r->Kind) + "/" + LowerCase(r->Name);
      if (t.Data.emplace(key, std::string(r->Data, r->Size)).second)
        t.NamesByKind[LowerCase(r->Kind)].push_back(r->Name);
    }
    for (auto& [kind, names] : t.NamesByKind) std::sort(names.begin(), names.end());
    return t;
  }();
  return table;
}

}  // namespace

const std::string* FindResource(const std::string& kind, const std::string& name) {
  const auto& data = Table().Data;
  auto it = data.find(LowerCase(kind) + "/" + LowerCase(name));
  return it == data.end() ? nullptr : &it->second;
}

std::vector<std::string> ResourceNames(const std::string& kind) {
  const auto& byKind = Table().NamesByKind;
  auto it = byKind.find(LowerCase(kind));
  return it == byKind.end() ? std::vector<std::string>() : it->second;
}
