#pragma once
// HOME and XDG_CONFIG_HOME pointed into a test tree for the life of the object.
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class TScopedHome {
 public:
  explicit TScopedHome(const std::string& home);
  ~TScopedHome();
  TScopedHome(const TScopedHome&) = delete;
  TScopedHome& operator=(const TScopedHome&) = delete;

 private:
  void Save(const std::string& name, const std::string& value);
  std::vector<std::pair<std::string, std::pair<bool, std::string>>> FSaved;
};

}  // namespace testsupport
