// Folders the user may enter but not list: the dialog opens elsewhere and keeps opening.
// The checks run in a copy of this binary, started again from such a folder (as an
// installed copy might be) with such a home folder, as "nobody" when run as root.
#include <grp.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>

#include "framework/core/SysUtils.h"
#include "framework/windows/Application.h"
#include "skin/dialogs/SkinShellComboBox.h"
#include "tests/skin/dialogs/gui/OpenDialogFixture.h"

extern char** environ;
using namespace opendialogtest;

namespace {

TEST_F(OpenDialogFixture, AFolderThatCannotBeListedGivesWayAndTheDialogOpensAgain) {
  const char* tree = std::getenv("CORVALE_UNLISTABLE_TREE");
  if (!tree) {
    chmod(t.Root.c_str(), 0755);
    for (const char* folder : {"shut", "bin", "home"}) t.Dir(folder);
    t.File("shut/known.mp4");
    const std::string self = ApplicationExeName(), copy = t.Path("bin/") + ExtractFileName(self);
    if (link(self.c_str(), copy.c_str()) != 0) std::filesystem::copy_file(self, copy);
    for (const char* folder : {"shut", "bin", "home"}) chmod(t.Path(folder).c_str(), 0311);
    const std::string filter = "--gtest_filter=*." + std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
    char* argv[] = {const_cast<char*>(copy.c_str()), const_cast<char*>(filter.c_str()), nullptr};
    setenv("CORVALE_UNLISTABLE_TREE", t.Root.c_str(), 1);
    dialogtest::TScopedHome home(t.Path("home"));
    pid_t pid = 0;
    int status = -1;
    ASSERT_EQ(0, posix_spawn(&pid, copy.c_str(), nullptr, nullptr, argv, environ));
    unsetenv("CORVALE_UNLISTABLE_TREE");
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the copy's output is above";
    return;
  }
  if (geteuid() == 0) {
    // This run's own tree goes to the user it runs as, who removes it at the end.
    std::filesystem::remove_all(t.Root);
    mkdir(t.Root.c_str(), 0700);
    ASSERT_EQ(0, chown(t.Root.c_str(), 65534, 65534));
    ASSERT_TRUE(setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0);
  }
  const std::string root = tree;
  Dialog->SetInitialDir(root);
  EXPECT_TRUE(Run({[&](TbsOpenDlgForm* f) {
    Type(f, root + "/shut/known.mp4");
    EditKey(f, VK_RETURN);
  }}));
  ASSERT_EQ(root + "/shut/known.mp4", Dialog->FileName());
  // Every later showing opens, in InitialDir; without it, nor the program's folder or the
  // home folder, on the desktop with a message naming the folders that failed.
  std::vector<std::string> shown;
  auto showing = [&] {
    Run({[&](TbsOpenDlgForm* f) {
      shown.push_back(f->FolderBox->Text());
      EditKey(f, VK_ESCAPE);
    }});
  };
  showing();
  showing();
  std::string text;
  Application->SetMessageBoxHook([&](const std::string& s, const std::string&, unsigned) {
    text += s;
    return 1;
  });
  Dialog->SetInitialDir(root + "/shut");
  showing();
  Application->SetMessageBoxHook({});
  EXPECT_EQ((std::vector<std::string>{ExtractFileName(root), ExtractFileName(root), "Desktop"}), shown);
  for (const char* folder : {"/shut", "/bin", "/home"})
    EXPECT_NE(std::string::npos, text.find(root + folder + "\": Permission denied")) << text;
}

}  // namespace
