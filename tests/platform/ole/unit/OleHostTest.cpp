// The control host: creation by class id, stored state, in-place activation, property
// puts by dispatch id and the errors they raise, events to the host.
#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/windows/Forms.h"
#include "platform/ole/OleControl.h"

namespace {
const char* const FakeId = "{0E4B9C1D-2A3B-4C5D-8E9F-A0B1C2D3E4F5}";

// What the host did to its control, recorded by a control made for these tests.
struct Journal {
  int InitNews = 0;
  std::vector<std::uint8_t> Loaded;
  TWinControl* Host = nullptr;
  TRect Bounds;
  int Deactivations = 0;
  std::vector<std::pair<TDispID, TOleVariant>> Puts;
  TOleEventSink Sink;
};
Journal* gJournal = nullptr;

class FakeControl : public IOleControlObject {
 public:
  void InitNew() override { ++gJournal->InitNews; }
  void Load(TStream& s) override {
    gJournal->Loaded.resize(size_t(s.Size() - s.Position()));
    s.ReadBuffer(gJournal->Loaded.data(), Int64(gJournal->Loaded.size()));
    if (!gJournal->Loaded.empty() && gJournal->Loaded[0] == 0xFF) throw EOleError("bad state");
  }
  void Save(TStream& s) const override { s.WriteBuffer("\x01\x02\x03", 3); }
  void Advise(TOleEventSink sink) override { gJournal->Sink = std::move(sink); }
  void InPlaceActivate(TWinControl* host, const TRect& bounds) override {
    gJournal->Host = host;
    gJournal->Bounds = bounds;
    FActive = true;
  }
  void SetObjectRects(const TRect& bounds) override { gJournal->Bounds = bounds; }
  void InPlaceDeactivate() override {
    ++gJournal->Deactivations;
    FActive = false;
  }
  bool InPlaceActive() const override { return FActive; }
  TOleResult PutProperty(TDispID id, const TOleVariant& v) override {
    if (id == 7) return TOleResult::Fail(E_FAIL, "The control refuses property 7");
    if (id == 8) return TOleResult::Fail(E_FAIL, "");
    gJournal->Puts.emplace_back(id, v);
    return TOleResult::Ok();
  }
  TOleResult GetProperty(TDispID id, TOleVariant& v) override {
    if (id == 1) v = TOleVariant::FromString(u"text");
    else if (id == 2) v = TOleVariant::FromBool(true);
    else return TOleResult::Fail(DISP_E_MEMBERNOTFOUND, "Member not found");
    return TOleResult::Ok();
  }

 private:
  bool FActive = false;
};

TControlData FakeData(const std::string& id = FakeId) {
  TControlData d;
  d.ClassID = id;
  d.Version = 401;
  return d;
}

class OleHost : public ::testing::Test {
 protected:
  void SetUp() override {
    gJournal = &journal;
    RegisterOleControl(FakeId, [] { return std::make_unique<FakeControl>(); });
  }
  void TearDown() override {
    UnregisterOleControl(FakeId);
    gJournal = nullptr;
  }
  Journal journal;
};

std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EOleError& e) {
    return e.Message();
  }
  return "<no exception>";
}
}  // namespace

TEST(OleRegistry, UnknownOrMalformedClassIdsAreRefused) {
  EXPECT_EQ(MessageOf([] { TOleControl c(nullptr, FakeData("{11111111-2222-3333-4444-555555555555}")); }),
            "OLE control activation failed");
  EXPECT_EQ(MessageOf([] { CreateOleControlObject("not a class id"); }), "OLE control activation failed");
  EXPECT_THROW(RegisterOleControl("{1234}", [] { return std::unique_ptr<IOleControlObject>(); }), EOleError);
  EXPECT_THROW(RegisterOleControl("{11111111-2222-3333-4444-55555555555G}", [] { return std::unique_ptr<IOleControlObject>(); }),
               EOleError);
  EXPECT_TRUE(IsValidClassId("{6bf52a52-394a-11d3-b153-00c04f79faa6}"));
  EXPECT_FALSE(IsValidClassId("6BF52A52-394A-11D3-B153-00C04F79FAA6"));
  // A factory that gives nothing is an activation failure too.
  RegisterOleControl("{11111111-2222-3333-4444-555555555555}", [] { return std::unique_ptr<IOleControlObject>(); });
  EXPECT_EQ(MessageOf([] { CreateOleControlObject("{11111111-2222-3333-4444-555555555555}"); }),
            "OLE control activation failed");
  UnregisterOleControl("{11111111-2222-3333-4444-555555555555}");
}

TEST_F(OleHost, ClassIdsMatchWithoutRegardToCase) {
  std::string lower = FakeId;
  for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  TOleControl c(nullptr, FakeData(lower));
  EXPECT_EQ(journal.InitNews, 1);
}

TEST_F(OleHost, StoredStateReachesTheControlAsAStream) {
  TOleControl c(nullptr, FakeData());
  std::vector<std::uint8_t> block(162);
  for (size_t i = 0; i < block.size(); ++i) block[i] = std::uint8_t(i * 7);
  c.SetStoredState(block);
  EXPECT_EQ(journal.Loaded, block);
  c.SetStoredState({});
  EXPECT_EQ(journal.InitNews, 2);  // once at creation, once for the empty block
  EXPECT_EQ(c.StoredState(), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(MessageOf([&] { c.SetStoredState({0xFF, 0}); }), "bad state");
}

TEST_F(OleHost, ActivatesInPlaceWithTheHostWindowAndFollowsItsSize) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 700, 500);
  auto* c = new TOleControl(&form, FakeData());
  c->SetParent(&form);
  c->SetBounds(144, 8, 465, 433);
  EXPECT_EQ(journal.Host, nullptr);
  c->CreateControl();
  EXPECT_EQ(journal.Host, c);
  EXPECT_EQ(journal.Bounds, Rect(0, 0, 465, 433));
  EXPECT_EQ(c->BoundsRect(), Rect(144, 8, 144 + 465, 8 + 433));
  c->SetBounds(144, 8, 300, 200);
  EXPECT_EQ(journal.Bounds, Rect(0, 0, 300, 200));
  delete c;
  EXPECT_EQ(journal.Deactivations, 1);
}

TEST_F(OleHost, PutsGoByDispatchIdAndActivateFirst) {
  TOleControl c(nullptr, FakeData());
  c.SetWideStringProp(1, u"/tmp/a b.mp4");
  c.SetWideStringProp(1, u"");
  c.SetWordBoolProp(19, false);
  EXPECT_TRUE(c.OleObject()->InPlaceActive());
  ASSERT_EQ(journal.Puts.size(), 3u);
  EXPECT_EQ(journal.Puts[0].first, 1);
  EXPECT_EQ(journal.Puts[0].second.Kind(), TOleVariant::TKind::String);
  EXPECT_EQ(journal.Puts[0].second.AsString(), u"/tmp/a b.mp4");
  EXPECT_EQ(journal.Puts[1].second.Kind(), TOleVariant::TKind::NullString);
  EXPECT_EQ(journal.Puts[2].first, 19);
  EXPECT_FALSE(journal.Puts[2].second.AsBool());
  EXPECT_EQ(c.GetWideStringProp(1), u"text");
  EXPECT_TRUE(c.GetWordBoolProp(2));
  EXPECT_THROW(c.GetWordBoolProp(1), EOleError);  // a string is not a boolean
}

TEST_F(OleHost, AFailedPutRaisesTheControlsDescription) {
  TOleControl c(nullptr, FakeData());
  EXPECT_EQ(MessageOf([&] { c.SetWideStringProp(7, u"x"); }), "The control refuses property 7");
  EXPECT_EQ(MessageOf([&] { c.SetWordBoolProp(8, true); }), "OLE error 80004005");
  EXPECT_EQ(MessageOf([&] { c.GetWideStringProp(99); }), "Member not found");
  EXPECT_TRUE(journal.Puts.empty());
}

namespace {
class RecordingHost : public TOleControl {
 public:
  using TOleControl::TOleControl;
  std::vector<std::pair<TDispID, size_t>> Seen;

 protected:
  void InvokeEvent(TDispID event, const std::vector<TOleVariant>& args) override { Seen.emplace_back(event, args.size()); }
};
}  // namespace

TEST_F(OleHost, EventsReachTheHostUntilItGoesAway) {
  auto* host = new RecordingHost(nullptr, FakeData());
  ASSERT_TRUE(journal.Sink);
  journal.Sink(5, {TOleVariant::FromInt(3)});
  ASSERT_EQ(host->Seen.size(), 1u);
  EXPECT_EQ(host->Seen[0], std::make_pair(TDispID(5), size_t(1)));
  TOleEventSink sink = journal.Sink;
  delete host;
  sink(5, {});  // a late event from a control that outlives its host is dropped
}

TEST(OleVariant, KindsAndNullStrings) {
  EXPECT_EQ(TOleVariant::FromStringOrNull(u"").Kind(), TOleVariant::TKind::NullString);
  EXPECT_EQ(TOleVariant::FromStringOrNull(u"").AsString(), u"");
  EXPECT_EQ(TOleVariant::FromStringOrNull(u"a").Kind(), TOleVariant::TKind::String);
  EXPECT_THROW(TOleVariant::FromBool(true).AsString(), EOleError);
  EXPECT_THROW(TOleVariant::FromString(u"1").AsBool(), EOleError);
  EXPECT_THROW(TOleVariant().AsInt(), EOleError);
  EXPECT_DOUBLE_EQ(TOleVariant::FromInt(4).AsReal(), 4.0);
}
