// What an unprivileged user sees of folders and files it may not read or write. The
// checks run in a child process that drops to the user "nobody" when started as root.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "platform/shell/Shell.h"
#include "tests/platform/shell/unit/ShellTestTree.h"

using namespace shelltest;

namespace {

// Runs body in a child as an unprivileged user; returns what it wrote to its report.
std::string RunUnprivileged(const std::function<void(std::ostream&)>& body) {
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    std::ostringstream report;
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
      report << "cannot drop privileges;";
    } else if (geteuid() == 0) {
      report << "still root;";
    } else {
      body(report);
    }
    const std::string text = report.str();
    if (write(fds[1], text.data(), text.size()) < 0) {
    }
    _exit(0);
  }
  close(fds[1]);
  std::string out;
  char buf[512];
  ssize_t n;
  while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, size_t(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out += "child crashed;";
  return out;
}

TEST(ShellPermissions, AnUnreadableFolderIsListedButEntersEmpty) {
  TTree t;
  t.Dir("locked", 0000);
  t.Dir("shut", 0311);  // may be entered but not listed
  t.Dir("shut/known");
  t.File("ro.txt", "x", 0444);
  t.File("rw.txt", "x", 0666);
  t.Dir("mine", 0777);
  t.File("mine/f", "x", 0666);
  const std::string report = RunUnprivileged([&](std::ostream& r) {
    auto root = FolderOf(t.Root);
    if (!root) {
      r << "root not bound;";
      return;
    }
    const auto kids = Children(*root, kAll);
    const TChild* locked = Find(kids, "locked");
    if (!locked) r << "locked not listed;";
    else if (!(locked->Attributes & SFGAO_FOLDER)) r << "locked not a folder;";
    else if (locked->Attributes & SFGAO_HASSUBFOLDER) r << "locked claims sub-folders;";
    // The tree's root belongs to root and is not writable by this user.
    if (const TChild* rw = Find(kids, "rw.txt")) {
      if (rw->Attributes & SFGAO_READONLY) r << "rw.txt read-only;";
      if (rw->Attributes & SFGAO_CANRENAME) r << "rw.txt renamable in a foreign folder;";
    } else {
      r << "rw.txt missing;";
    }
    if (const TChild* ro = Find(kids, "ro.txt"); !ro || !(ro->Attributes & SFGAO_READONLY))
      r << "ro.txt not read-only;";
    // Entering the locked folder: bound, but its listing fails with access denied.
    int err = 0;
    auto inside = FolderOf(t.Path("locked"), &err);
    if (!inside) {
      r << "locked not bound " << err << ";";
    } else {
      const auto content = Children(*inside, kAll, 0xFFFFFFFF, &err);
      if (err != EACCES || !content.empty()) r << "locked listing err " << err << ";";
    }
    // A folder that can be passed through but not listed: children reachable by name.
    auto known = FolderOf(t.Path("shut/known"), &err);
    if (!known) r << "shut/known not reachable " << err << ";";
    auto shut = FolderOf(t.Path("shut"), &err);
    if (shut) {
      Children(*shut, kAll, 0xFFFFFFFF, &err);
      if (err != EACCES) r << "shut listing err " << err << ";";
    }
    // In a folder of its own the user may rename.
    if (auto mine = FolderOf(t.Path("mine"))) {
      const auto own = Children(*mine, kAll);
      const TChild* f = Find(own, "f");
      if (!f || !(f->Attributes & SFGAO_CANRENAME)) r << "mine/f not renamable;";
      TPidl item, renamed;
      if (mine->ParseDisplayName("f", item.P) != 0 || mine->SetNameOf(item.P, "g", renamed.P) != 0)
        r << "rename in own folder failed;";
    }
    // Renaming in a foreign folder fails with the system's reason.
    TPidl item, renamed;
    if (root->ParseDisplayName("rw.txt", item.P) == 0) {
      const int e = root->SetNameOf(item.P, "other.txt", renamed.P);
      if (e != EACCES && e != EPERM) r << "foreign rename gave " << e << ";";
    }
    if (SHCreateDirectory(t.Path("newdir")) != EACCES) r << "new folder in foreign folder;";
  });
  EXPECT_EQ("", report);
}

}  // namespace
