#pragma once
// Files compiled into the program: resources/<kind>/<NAME>.<ext>. Kinds are the
// folder names ("bitmap", "layout", ...); names match without regard to case and
// carry no extension.
#include <string>
#include <vector>

// The bytes of a resource, or nullptr when there is none.
const std::string* FindResource(const std::string& kind, const std::string& name);
// Names of every resource of a kind, as stored (without extension), sorted.
std::vector<std::string> ResourceNames(const std::string& kind);
