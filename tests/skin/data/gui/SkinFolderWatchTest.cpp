// Live reload of a skin folder: edits reach the skin data through its run-time skin
// change (the forms hear before/change/after), one load per edit however many writes it
// takes; a broken edit is reported by file and line and keeps the last good skin without
// a word to the forms; a picture caught half-written is tried again, not reported; and
// two hundred reloads leave the heap where it was.
#include <gtest/gtest.h>

#include <malloc.h>

#include <fstream>

#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFolderWatch.h"
#include "skin/data/SkinMessages.h"
#include "tests/support/TestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {
// Line 12 holds the button's skin rectangle.
std::string Ini(const std::string& name, const std::string& skinrect) {
  return "[VERSION]\nskinname=" + name +
         "\n[PICTURES]\npicture=frame.bmp\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\ncount=1\n0=button:button\n\n"
         "[button]\nskinrect=" + skinrect + "\n";
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Bytes the allocator holds for the program (not what sanitizers keep aside).
size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

class SkinFolderWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write(dir + "/skin.ini", Ini("One", "0,0,4,4"));
    TBitmap(40, 30).SaveToFile(dir + "/frame.bmp");
    form = new TForm(Application);
    data = new TbsSkinData(form);
    auto previous = form->WindowProc;
    form->WindowProc = [this, previous](TMessage& m) {
      if (m.Msg >= SKINMSG_BEFORECHANGE && m.Msg <= SKINMSG_AFTERCHANGE && m.WParam == WPARAM(data))
        messages.push_back(m.Msg);
      previous(m);
    };
    watch = std::make_unique<TbsSkinFolderWatch>(data, dir, [this](const auto& r) { reports.push_back(r); });
    ASSERT_TRUE(watch->Watching());
    ASSERT_TRUE(watch->Reload());
  }
  void TearDown() override {
    watch.reset();
    delete form;
  }
  // Waits for the next report after an edit, then a while for any that should not come.
  bool NextReport() {
    const size_t before = reports.size();
    const bool got = testsupport::WaitUntil([&] { return reports.size() > before; }, 8000);
    testsupport::Pump(150);
    return got && reports.size() == before + 1;
  }
  const std::string dir = testsupport::MakeTempDir("skin-watch");
  TForm* form = nullptr;
  TbsSkinData* data = nullptr;
  std::vector<UINT> messages;
  std::vector<TbsSkinFolderWatch::TReport> reports;
  std::unique_ptr<TbsSkinFolderWatch> watch;
};
}  // namespace

TEST_F(SkinFolderWatchTest, EditsReloadBrokenEditsKeepTheLastGoodSkin) {
  const std::vector<UINT> change = {SKINMSG_BEFORECHANGE, SKINMSG_CHANGE, SKINMSG_AFTERCHANGE};
  EXPECT_EQ(change, messages);
  EXPECT_EQ("One", data->skinname);

  Write(dir + "/skin.ini", Ini("Two", "0,0,4,4"));
  ASSERT_TRUE(NextReport());
  EXPECT_TRUE(reports.back().Loaded) << reports.back().Error;
  EXPECT_EQ("Two", data->skinname);
  EXPECT_EQ(6u, messages.size());

  Write(dir + "/skin.ini", Ini("Three", "0,0,4"));
  ASSERT_TRUE(NextReport());
  EXPECT_FALSE(reports.back().Loaded);
  EXPECT_EQ(0u, reports.back().Error.find(dir + "/skin.ini:12: [button] skinrect: '0,0,4' is not a valid rectangle"))
      << reports.back().Error;
  EXPECT_EQ("Two", data->skinname);
  EXPECT_FALSE(data->SkinEmpty);
  EXPECT_EQ(0, data->FindControlIndex("button"));
  EXPECT_EQ(6u, messages.size()) << "the forms heard of a skin that did not load";

  // Mended: the next edit loads, with inspect's warnings (two sections that are one).
  Write(dir + "/skin.ini", Ini("Four", "0,0,4,4") + "[extra]\n[Extra]\n");
  ASSERT_TRUE(NextReport());
  EXPECT_TRUE(reports.back().Loaded);
  EXPECT_EQ("Four", data->skinname);
  ASSERT_EQ(1u, reports.back().Warnings.size());
  EXPECT_NE(std::string::npos, reports.back().Warnings[0].find("[Extra] differs from [extra] only in case"));

  // A picture caught half-written and finished a moment later: tried again, and only
  // the finished skin is reported.
  TMemoryStream whole;
  TBitmap(60, 30).SaveToStream(whole);
  const std::string bytes(reinterpret_cast<const char*>(whole.Memory()), size_t(whole.Size()));
  Write(dir + "/frame.bmp", bytes.substr(0, bytes.size() / 2));
  testsupport::Pump(120);
  Write(dir + "/frame.bmp", bytes);
  ASSERT_TRUE(testsupport::WaitUntil([&] { return data->SkinPicture->Width() == 60; }, 8000));
  testsupport::Pump(1200);
  for (size_t i = 3; i < reports.size(); ++i) EXPECT_TRUE(reports[i].Loaded) << reports[i].Error;
}

TEST_F(SkinFolderWatchTest, TwoHundredReloadsLeaveTheHeapFlat) {
  size_t heapAt20 = 0;
  long rssAt20 = 0;
  auto rss = [] {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0L;
  };
  for (int i = 1; i <= 200; ++i) {
    Write(dir + "/skin.ini", Ini("Skin" + std::to_string(i), "0,0,4,4"));
    const int before = watch->Reloads();
    ASSERT_TRUE(testsupport::WaitUntil([&] { return watch->Reloads() > before; }, 8000)) << "reload " << i;
    if (i == 20) {
      heapAt20 = HeapInUse();
      rssAt20 = rss();
    }
  }
  EXPECT_EQ("Skin200", data->skinname);
  const long heapGrowth = long(HeapInUse()) - long(heapAt20);
  std::cout << "heap in use after 20 and 200 reloads: " << heapAt20 << " -> " << HeapInUse() << " bytes; VmRSS "
            << rssAt20 << " -> " << rss() << " kB\n";
  EXPECT_LT(heapGrowth, 256 * 1024);
}
