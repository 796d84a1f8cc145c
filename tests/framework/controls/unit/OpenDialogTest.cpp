#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "framework/controls/OpenDialog.h"
#include "framework/core/Exceptions.h"
#include "framework/windows/Application.h"
#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class OpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = testsupport::MakeTempDir("opendialog");
    Song = (fs::path(Dir) / "song.wav").string();
    std::ofstream(Song) << "RIFF";
    Dialog = std::make_unique<TOpenDialog>(nullptr);
  }
  void TearDown() override {
    SetOpenDialogHook({});
    Application->SetMessageBoxHook({});
    fs::remove_all(Dir);
  }
  std::string Dir, Song;
  std::unique_ptr<TOpenDialog> Dialog;
};

TEST(FileFilter, SplitsDescriptionsAndPatterns) {
  auto f = ParseFileFilter("All files|*.*");
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].Description, "All files");
  EXPECT_EQ(f[0].Patterns, std::vector<std::string>{"*.*"});

  f = ParseFileFilter("Sound (*.wav)|*.wav; *.WAVE ;|Video|*.mp4;*.avi");
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].Description, "Sound (*.wav)");
  EXPECT_EQ(f[0].Patterns, (std::vector<std::string>{"*.wav", "*.WAVE"}));
  EXPECT_EQ(f[1].Patterns, (std::vector<std::string>{"*.mp4", "*.avi"}));
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_TRUE(ParseFileFilter("   ").empty());
}

TEST(FileFilter, RejectsDescriptionsWithoutPatterns) {
  EXPECT_THROW(ParseFileFilter("All files"), EConvertError);
  EXPECT_THROW(ParseFileFilter("All files|*.*|Sound"), EConvertError);
  EXPECT_THROW(ParseFileFilter("All files| ; "), EConvertError);
  try {
    ParseFileFilter("Sound|");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_NE(std::string(e.Message()).find("Sound"), std::string::npos);
  }
}

TEST_F(OpenDialogTest, DefaultsAndStoredSettings) {
  EXPECT_EQ(Dialog->FilterIndex(), 1);
  EXPECT_EQ(Dialog->Options(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
  Dialog->SetDefaultExt(".wav");
  EXPECT_EQ(Dialog->DefaultExt(), "wav");
  EXPECT_EQ(OpenOptionNames().size(), 22u);
  EXPECT_EQ(OpenOptionNames()[size_t(ofFileMustExist)], "ofFileMustExist");
  EXPECT_EQ(OpenOptionNames()[size_t(ofForceShowHidden)], "ofForceShowHidden");
}

TEST_F(OpenDialogTest, AcceptChecksExistenceWhenAskedTo) {
  Dialog->SetOptions({ofFileMustExist});
  std::string missing = (fs::path(Dir) / "missing.wav").string();
  EXPECT_FALSE(Dialog->Accept({missing}, 1));
  EXPECT_NE(Dialog->LastError().find("missing.wav"), std::string::npos);
  EXPECT_EQ(Dialog->FileName(), "");
  EXPECT_FALSE(Dialog->Accept({(fs::path(Dir) / "nofolder" / "a.wav").string()}, 1));
  EXPECT_FALSE(Dialog->Accept({Dir}, 1));  // a folder is no file
  EXPECT_FALSE(Dialog->Accept({}, 1));

  EXPECT_TRUE(Dialog->Accept({Song}, 2));
  EXPECT_EQ(Dialog->FileName(), Song);
  EXPECT_EQ(Dialog->LastError(), "");
  EXPECT_EQ(Dialog->FilterIndex(), 2);
  ASSERT_EQ(Dialog->Files()->Count(), 1);
  EXPECT_EQ(Dialog->Files()->Strings(0), Song);

  // Without the option any name in an existing folder will do.
  Dialog->SetOptions({ofPathMustExist});
  EXPECT_TRUE(Dialog->Accept({missing}, 1));
  EXPECT_FALSE(Dialog->Accept({(fs::path(Dir) / "nofolder" / "a.wav").string()}, 1));
  Dialog->SetOptions({});
  EXPECT_TRUE(Dialog->Accept({(fs::path(Dir) / "nofolder" / "a.wav").string()}, 1));
}

TEST_F(OpenDialogTest, AcceptMakesPathsAbsoluteAndAddsTheDefaultExtension) {
  Dialog->SetOptions({ofFileMustExist});
  Dialog->SetDefaultExt("wav");
  EXPECT_TRUE(Dialog->Accept({(fs::path(Dir) / "song").string()}, 1));
  EXPECT_EQ(Dialog->FileName(), Song);
  fs::path cwd = fs::current_path();
  fs::current_path(Dir);
  bool ok = Dialog->Accept({"./sub/../song.wav"}, 1);
  fs::current_path(cwd);
  EXPECT_TRUE(ok);
  EXPECT_EQ(Dialog->FileName(), Song);
}

TEST_F(OpenDialogTest, MultipleFilesOnlyWithMultiSelect) {
  std::string other = (fs::path(Dir) / "other.wav").string();
  std::ofstream(other) << "RIFF";
  EXPECT_TRUE(Dialog->Accept({Song, other}, 1));
  EXPECT_EQ(Dialog->Files()->Count(), 1);
  Dialog->SetOptions({ofAllowMultiSelect, ofFileMustExist});
  EXPECT_TRUE(Dialog->Accept({Song, other}, 1));
  ASSERT_EQ(Dialog->Files()->Count(), 2);
  EXPECT_EQ(Dialog->Files()->Strings(1), other);
  EXPECT_EQ(Dialog->FileName(), Song);
}

TEST_F(OpenDialogTest, HookAnswersInsteadOfTheWindow) {
  int asked = 0;
  SetOpenDialogHook([&](TOpenDialog* d) {
    ++asked;
    EXPECT_EQ(d->Title(), "Open file");
    d->SetFileName("/videos/clip.mp4");
    return true;
  });
  Dialog->SetTitle("Open file");
  EXPECT_TRUE(Dialog->Execute());
  EXPECT_EQ(Dialog->FileName(), "/videos/clip.mp4");
  SetOpenDialogHook([&](TOpenDialog*) {
    ++asked;
    return false;
  });
  EXPECT_FALSE(Dialog->Execute());
  EXPECT_EQ(asked, 2);
}

// The real window, answered from a timer the way a user would.
TEST_F(OpenDialogTest, ExecuteShowsAModalFileWindowWithTheSettings) {
  Dialog->SetTitle("Open file");
  Dialog->SetFilter("Sound|*.wav|All files|*.*");
  Dialog->SetFilterIndex(2);
  Dialog->SetInitialDir(Dir);
  Dialog->SetOptions({ofFileMustExist, ofHideReadOnly});
  QStringList filters;
  QString title, directory;
  bool modal = false;
  int refusals = 0;
  Application->SetMessageBoxHook([&](const std::string&, const std::string&, unsigned) {
    ++refusals;
    return IDOK;
  });
  int round = 0;
  std::function<void()> answer = [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dlg) {
      QTimer::singleShot(20, answer);
      return;
    }
    title = dlg->windowTitle();
    filters = dlg->nameFilters();
    directory = dlg->directory().absolutePath();
    modal = dlg->isModal();
    if (round++ == 0) {
      dlg->selectFile(QString::fromStdString(Song));
      static_cast<QDialog*>(dlg)->accept();
    }
  };
  QTimer::singleShot(20, answer);
  EXPECT_TRUE(Dialog->Execute());
  EXPECT_EQ(title, "Open file");
  EXPECT_EQ(filters, (QStringList{"Sound (*.wav)", "All files (*)"}));
  EXPECT_EQ(directory.toStdString(), fs::canonical(Dir).string());
  EXPECT_TRUE(modal);
  EXPECT_EQ(fs::canonical(Dialog->FileName()), fs::canonical(Song));
  EXPECT_EQ(Dialog->FilterIndex(), 2);
  EXPECT_EQ(refusals, 0);

  // Cancelled: false, the file name stays.
  std::function<void()> cancel = [&] {
    if (auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
      dlg->reject();
    else
      QTimer::singleShot(20, cancel);
  };
  QTimer::singleShot(20, cancel);
  EXPECT_FALSE(Dialog->Execute());
  EXPECT_EQ(fs::canonical(Dialog->FileName()), fs::canonical(Song));
}

}  // namespace
