#include "tests/support/ScopedHome.h"

#include <cstdlib>

namespace testsupport {

TScopedHome::TScopedHome(const std::string& home) {
  Save("HOME", home);
  Save("XDG_CONFIG_HOME", home + "/.config");
}

TScopedHome::~TScopedHome() {
  for (auto& [name, value] : FSaved) {
    if (value.first) setenv(name.c_str(), value.second.c_str(), 1);
    else unsetenv(name.c_str());
  }
}

void TScopedHome::Save(const std::string& name, const std::string& value) {
  const char* old = std::getenv(name.c_str());
  FSaved.push_back({name, {old != nullptr, old ? old : ""}});
  setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace testsupport
