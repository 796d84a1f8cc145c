#pragma once
// A temporary folder tree for the shell folder tests, and a scoped home folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/ScopedHome.h"

namespace dialogtest {

class TTree {
 public:
  TTree() {
    char templ[] = "/tmp/corvale-dialogs-XXXXXX";
    Root = mkdtemp(templ);
  }
  ~TTree() {
    const std::string cmd = "chmod -R u+rwx '" + Root + "' 2>/dev/null; rm -rf '" + Root + "'";
    if (std::system(cmd.c_str()) != 0) {
    }
  }
  std::string Path(const std::string& rel) const { return rel.empty() ? Root : Root + "/" + rel; }
  void Dir(const std::string& rel) const { mkdir(Path(rel).c_str(), 0755); }
  void File(const std::string& rel, const std::string& content = "x") const {
    const int fd = open(Path(rel).c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd >= 0) {
      if (write(fd, content.data(), content.size()) < 0) {
      }
      close(fd);
    }
  }
  std::string Root;
};

using testsupport::TScopedHome;

}  // namespace dialogtest
