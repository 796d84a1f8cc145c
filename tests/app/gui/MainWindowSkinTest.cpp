// The main window as the skin engine draws it: shipped with an empty stored skin (the
// form component's default frame, default-look buttons and radio groups where the
// window's layout puts them, no skin message anywhere), and the same window with the
// Slate skin stored in it or loaded from a file the user names.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "app/Unt_main.h"
#include "app/UserSkin.h"
#include "framework/core/Resources.h"
#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Region.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "tests/support/input/InputSimulation.h"
#include "framework/windows/PaintTo.h"
#include "framework/windows/Windows.h"
#include "media/MediaPlayer.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinRadioGroup.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/form/ActiveSkinObject.h"
#include "skin/form/SkinForm.h"
#include "tests/support/SlatePieces.h"
#include "tests/support/TestSupport.h"

namespace {

const std::string SlateFile = std::string(CORVALE_SOURCE_DIR) + "/skins/slate.skn";

// The compiled-in layout with the packed bytes of a skin file as its stored skin.
std::string LayoutWithStoredSkin(const std::string& skinFile) {
  TbsCompressedStoredSkin stored(nullptr);
  stored.ReadPackedFile(skinFile);
  std::string hex;
  static const char* digits = "0123456789ABCDEF";
  for (std::uint8_t b : stored.PackedData().Bytes()) {
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  std::string text = *FindResource("layout", "Form1");
  const std::string empty = "CompressedData = {}";
  const size_t at = text.find(empty);
  if (at == std::string::npos) return "";
  return text.replace(at, empty.size(), "CompressedData = {" + hex + "}");
}

struct Image {
  std::unique_ptr<TBitmap> B = std::make_unique<TBitmap>();
  TColor At(int x, int y) const { return B->Pixel(x, y); }
};

Image Shot(TWinControl* w) {
  Image i;
  PaintTo(w, i.B.get());
  return i;
}

// The part of image at (x, y) of w x h equals reference, pixel for pixel.
::testing::AssertionResult SameAt(const Image& image, int x, int y, const Image& reference) {
  const int w = reference.B->Width(), h = reference.B->Height();
  if (x + w > image.B->Width() || y + h > image.B->Height()) return ::testing::AssertionFailure() << "out of the image";
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (image.At(x + i, y + j) != reference.At(i, j))
        return ::testing::AssertionFailure() << "differs at " << i << "," << j << " of the control: " << std::hex
                                             << image.At(x + i, y + j) << " instead of " << reference.At(i, j);
  return ::testing::AssertionSuccess();
}

class MainWindowSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      Application_Initialize();
      RegisterProgramClasses();
      registered = true;
    }
    SetCursorPos(3000, 3000);
    setenv("XDG_CONFIG_HOME", testsupport::MakeTempDir("skin-profile").c_str(), 1);
    // Skin messages go to every form of the application: a form made first sees each.
    witness = new TForm(Application);
    TWndMethod saved = witness->WindowProc;
    witness->WindowProc = [this, saved](TMessage& m) {
      if (m.Msg >= SKINMSG_BEFORECHANGE && m.Msg <= SKINMSG_AFTERCHANGE) {
        ++skinMessages[m.Msg];
        lastSender = m.WParam;
      }
      saved(m);
    };
  }
  void TearDown() override {
    delete form;
    delete witness;
    testsupport::Pump(5);
  }
  void ShowActive() {
    form->Show();
    testsupport::Pump(20);
    SendMessage(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    form->bsSkinForm1->SetAlwaysDrawAsActive(true);
    form->Perform(WM_NCPAINT, 0, 0);
  }
  // A control of the window drawn alone in its default look, no skin data.
  template <class T>
  Image DefaultLookOf(T* original) {
    auto* host = new TForm(nullptr);
    host->SetBounds(0, 0, 300, 200);
    auto* c = new T(host);
    c->SetParent(host);
    c->SetBounds(0, 0, original->Width(), original->Height());
    c->DefaultFont()->Assign(original->DefaultFont());
    c->SetCaption(original->Caption());
    Configure(original, c);
    host->Show();
    testsupport::Pump(10);
    Image i = Shot(c);
    delete host;
    return i;
  }
  static void Configure(TbsSkinButton* o, TbsSkinButton* c) { c->SetEnabled(o->Enabled()); }
  static void Configure(TbsSkinRadioGroup* o, TbsSkinRadioGroup* c) {
    c->ButtonDefaultFont()->Assign(o->ButtonDefaultFont());
    c->SetDefaultCaptionHeight(o->DefaultCaptionHeight());
    c->SetDefaultAlignment(o->DefaultAlignment());
    c->SetBorderStyle(o->BorderStyle());
    c->SetCaptionMode(o->CaptionMode());
    c->SetSpacing(o->Spacing());
    c->SetItems(o->Items());
    c->SetItemIndex(o->ItemIndex());
  }
  TbsActiveSkinObject* Object(const std::string& name) {
    int i = form->bsSkinForm1->IndexOfObject(name);
    return i < 0 ? nullptr : form->bsSkinForm1->Objects(i);
  }
  // Saved as the window's shape shows it, outside the shape the page's white.
  void Save(const Image& i, const std::string& name) {
    TBitmap b;
    b.Assign(i.B.get());
    TRegion shape;
    if (GetWindowRgn(form->Handle(), shape))
      for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
          if (!shape.Contains(x, y)) b.SetPixel(x, y, clWhite);
    b.SavePngFile(testsupport::ArtifactDir() + "/" + name + ".png");
  }

  TForm* witness = nullptr;
  TForm1* form = nullptr;
  std::map<UINT, int> skinMessages;
  WPARAM lastSender = 0;
};

TEST_F(MainWindowSkin, StoredComponentsCarryTheirStoredProperties) {
  form = new TForm1(Application);
  TbsSkinData* data = form->bsSkinData1;
  ASSERT_TRUE(data && form->bsSkinForm1 && form->bsCompressedStoredSkin1);
  // In stored order, after the controls.
  EXPECT_LT(form->MediaPlayer1->ComponentIndex(), data->ComponentIndex());
  EXPECT_EQ(data->ComponentIndex() + 1, form->bsSkinForm1->ComponentIndex());
  EXPECT_EQ(data->ComponentIndex() + 2, form->bsCompressedStoredSkin1->ComponentIndex());
  EXPECT_EQ(form->bsCompressedStoredSkin1, data->CompressedStoredSkin());
  EXPECT_EQ("Recording.cfg", form->bsCompressedStoredSkin1->FileName());
  EXPECT_TRUE(form->bsCompressedStoredSkin1->IsDataEmpty());
  EXPECT_TRUE(data->SkinEmpty);

  for (TbsSkinButton* b : {form->Btstart, form->Btstop, form->bsSkinButton1}) {
    SCOPED_TRACE(b->Name());
    const bool open = b == form->bsSkinButton1;
    EXPECT_EQ(open ? nullptr : data, b->SkinData());
    EXPECT_EQ("button", b->SkinDataName());
    EXPECT_EQ(open ? "Arial" : "宋体", b->DefaultFont()->Name());
    EXPECT_EQ(open ? 14 : -12, b->DefaultFont()->Height());
    EXPECT_EQ(clWindowText, b->DefaultFont()->Color());
    EXPECT_EQ(DEFAULT_CHARSET, b->DefaultFont()->Charset());
    EXPECT_TRUE(b->DefaultFont()->Style().Empty());
    EXPECT_TRUE(b->UseSkinFont());
    EXPECT_EQ(open ? 1 : 2, b->NumGlyphs());
    EXPECT_EQ(1, b->Spacing());
    EXPECT_FALSE(b->RepeatMode());
    EXPECT_EQ(100, b->RepeatInterval());
    EXPECT_FALSE(b->AllowAllUp());
    EXPECT_EQ(0, b->GroupIndex());
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(b->TabStop());
    EXPECT_TRUE(b->CanFocused());
    EXPECT_EQ(0, b->DefaultWidth());
    EXPECT_EQ(0, b->DefaultHeight());
    EXPECT_EQ(b != form->Btstop, b->Enabled());
  }
  for (TbsSkinRadioGroup* g : {form->ssd, form->syz, form->spl}) {
    SCOPED_TRACE(g->Name());
    EXPECT_EQ(data, g->SkinData());
    EXPECT_EQ("groupbox", g->SkinDataName());
    EXPECT_EQ("radiobox", g->ButtonSkinDataName());
    for (const TFont* f : {static_cast<const TFont*>(g->DefaultFont()), static_cast<const TFont*>(g->ButtonDefaultFont())}) {
      EXPECT_EQ("宋体", f->Name());
      EXPECT_EQ(-12, f->Height());
      EXPECT_EQ(clWindowText, f->Color());
    }
    EXPECT_TRUE(g->UseSkinFont());
    EXPECT_EQ(22, g->DefaultCaptionHeight());
    EXPECT_EQ(taCenter, g->DefaultAlignment());
    EXPECT_EQ(bvRaised, g->BorderStyle());
    EXPECT_TRUE(g->CaptionMode());
    EXPECT_FALSE(g->CheckedMode());
    EXPECT_FALSE(g->Checked());
    EXPECT_FALSE(g->RollUpMode());
    EXPECT_FALSE(g->RollUpState());
    EXPECT_EQ(-1, g->RealHeight());
    EXPECT_TRUE(g->AutoEnabledControls());
    EXPECT_EQ(1, g->NumGlyphs());
    EXPECT_EQ(2, g->Spacing());
    EXPECT_EQ(1, g->ItemIndex());
  }
  TbsSkinForm* sf = form->bsSkinForm1;
  EXPECT_EQ(data, sf->SkinData());
  EXPECT_EQ((TbsBorderIcons{biSystemMenu, biMinimize, biRollUp}), sf->BorderIcons());
  EXPECT_TRUE(form->BorderIcons().Empty());
  EXPECT_EQ(bsSingle, form->BorderStyle());
  for (TFont* f : {sf->DefCaptionFont(), sf->DefInActiveCaptionFont()}) {
    EXPECT_EQ("宋体", f->Name());
    EXPECT_EQ(-12, f->Height());
    EXPECT_EQ((TFontStyles{fsBold}), f->Style());
  }
  EXPECT_EQ(clBtnText, sf->DefCaptionFont()->Color());
  EXPECT_EQ(clBtnShadow, sf->DefInActiveCaptionFont()->Color());
  EXPECT_EQ("宋体", sf->DefMenuItemFont()->Name());
  EXPECT_EQ(-12, sf->DefMenuItemFont()->Height());
  EXPECT_EQ(clWindowText, sf->DefMenuItemFont()->Color());
  EXPECT_EQ(20, sf->DefMenuItemHeight());
  EXPECT_TRUE(sf->UseDefaultSysMenu());
  EXPECT_TRUE(sf->UseSkinFontInMenu());
  EXPECT_TRUE(sf->UseDefaultObjectHint());
  EXPECT_FALSE(sf->ShowIcon() || sf->HideCaptionButtons() || sf->AlwaysShowInTray() || sf->AlwaysMinimizeToTray() ||
               sf->LogoBitMapTransparent() || sf->MaximizeOnFullScreen() || sf->AlphaBlend() ||
               sf->AlphaBlendAnimation() || sf->MenusAlphaBlend() || sf->MenusAlphaBlendAnimation() ||
               sf->ShowObjectHint() || sf->Magnetic());
  EXPECT_EQ(200, sf->AlphaBlendValue());
  EXPECT_EQ(0, sf->MenusAlphaBlendValue());
  EXPECT_EQ(10, sf->MagneticSize());
  EXPECT_EQ(0, sf->MinWidth() + sf->MinHeight() + sf->ClientWidth() + sf->ClientHeight());
}

// The shipped window: default frame, default looks at the layout's places, and not one
// skin message on the way.
TEST_F(MainWindowSkin, ShippedWindowShowsTheDefaultFrameAndDefaultLooks) {
  form = new TForm1(Application);
  ShowActive();
  EXPECT_TRUE(skinMessages.empty()) << "a skin message reached a form";
  EXPECT_FALSE(form->bsSkinForm1->SkinActive());
  // 3-pixel border, 19-pixel caption: the 615 x 450 client at (3, 22).
  EXPECT_EQ(621, form->Width());
  EXPECT_EQ(475, form->Height());
  EXPECT_EQ(Rect(3, 22, 618, 472), form->ClientRectInWindow());
  const Image w = Shot(form);
  Save(w, "main_window_default");
  ASSERT_EQ(621, w.B->Width());
  ASSERT_EQ(475, w.B->Height());
  // The three rings of the border, light over dark, then the face.
  EXPECT_EQ(ColorToRGB(cl3DLight), w.At(0, 200));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), w.At(620, 200));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), w.At(300, 474));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), w.At(1, 200));
  EXPECT_EQ(ColorToRGB(clBtnShadow), w.At(619, 200));
  EXPECT_EQ(ColorToRGB(clBtnFace), w.At(2, 200));
  EXPECT_EQ(ColorToRGB(clBtnFace), w.At(618, 200));
  // The caption's ribs: light and dark lines in turn beside the system-menu button.
  EXPECT_EQ(ColorToRGB(clBtnHighlight), w.At(26, 5));
  EXPECT_EQ(ColorToRGB(clBtnShadow), w.At(26, 6));
  EXPECT_EQ(ColorToRGB(clBtnHighlight), w.At(26, 7));
  // System menu at the left; close, minimise and roll-up at the right; no maximise.
  struct Expect {
    const char* name;
    TRect r;
  };
  for (const Expect& e : {Expect{"sysmenubutton", Rect(3, 4, 20, 21)}, Expect{"closebutton", Rect(601, 4, 618, 21)},
                          Expect{"minbutton", Rect(584, 4, 601, 21)}, Expect{"rollupbutton", Rect(567, 4, 584, 21)}}) {
    SCOPED_TRACE(e.name);
    TbsActiveSkinObject* o = Object(e.name);
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->Visible);
    EXPECT_EQ(e.r, o->ObjectRect);
    int glyph = 0;  // the button's black glyph on the face
    for (int y = e.r.Top; y < e.r.Bottom; ++y)
      for (int x = e.r.Left; x < e.r.Right; ++x) glyph += w.At(x, y) == clBlack;
    EXPECT_GT(glyph, 4);
  }
  for (const char* hidden : {"maxbutton", "traybutton"}) {
    TbsActiveSkinObject* o = Object(hidden);
    EXPECT_TRUE(!o || !o->Visible) << hidden;
  }
  // Between the roll-up button and the ribs nothing but caption.
  EXPECT_EQ(ColorToRGB(clBtnFace), w.At(565, 12));

  // Each control in its default look where the layout places it in the client area.
  struct Place {
    TWinControl* c;
    int x, y;
  };
  for (const Place& p : {Place{form->ssd, 15, 11}, Place{form->syz, 15, 100}, Place{form->spl, 15, 189},
                         Place{form->Btstart, 16, 344}, Place{form->Btstop, 80, 344},
                         Place{form->bsSkinButton1, 16, 384}}) {
    SCOPED_TRACE(p.c->Name());
    auto* b = dynamic_cast<TbsSkinButton*>(p.c);
    auto* g = dynamic_cast<TbsSkinRadioGroup*>(p.c);
    EXPECT_EQ(-1, b ? b->SkinIndex() : g->SkinIndex());
    const Image ref = b ? DefaultLookOf(b) : DefaultLookOf(g);
    EXPECT_TRUE(SameAt(w, 3 + p.x, 22 + p.y, ref));
  }
}

// Slate stored in the window's stored skin: loaded while the layout's references are
// resolved, so the frame and every control bound to the skin data take its look; the
// open button, bound to no skin data, keeps its default look.
TEST_F(MainWindowSkin, StoredSlateSkinsEveryBoundControlButNotTheOpenButton) {
  const std::string layout = LayoutWithStoredSkin(SlateFile);
  ASSERT_FALSE(layout.empty());
  form = new TForm1(Application, layout);
  ShowActive();
  TbsSkinData* data = form->bsSkinData1;
  ASSERT_FALSE(data->SkinEmpty);
  EXPECT_EQ(1, skinMessages[SKINMSG_BEFORECHANGE]);
  EXPECT_EQ(1, skinMessages[SKINMSG_CHANGE]);
  EXPECT_EQ(1, skinMessages[SKINMSG_AFTERCHANGE]);
  EXPECT_EQ(WPARAM(data), lastSender);
  EXPECT_TRUE(form->bsSkinForm1->SkinActive());
  const Image w = Shot(form);
  Save(w, "main_window_slate_stored");

  // The frame is the skin's: its client rectangle, and the picture's top-left corner.
  // The window keeps its size, so the client area is what the skin's frame leaves.
  const TRect client = form->bsSkinForm1->FrameClientRect();
  EXPECT_EQ(client, form->ClientRectInWindow());
  EXPECT_EQ(621, form->Width());
  EXPECT_EQ(data->clientrect.Left, client.Left);
  EXPECT_EQ(data->clientrect.Top, client.Top);
  EXPECT_EQ(data->SkinPicture->Pixel(1, 1), w.At(1, 1));
  EXPECT_NE(ColorToRGB(cl3DLight), w.At(0, 200));

  // The buttons (the stop button disabled) and the radio groups show the corners of
  // their records' pictures.
  const auto picture = [&](const std::string& section) -> const TBitmap& {
    return *data->PictureList.at(size_t(slatepieces::IniNumbers(section, "pictureindex").at(0)));
  };
  for (auto [b, rect] : {std::pair{form->Btstart, "skinrect"}, std::pair{form->Btstop, "disabledskinrect"}}) {
    SCOPED_TRACE(b->Name());
    EXPECT_GE(b->SkinIndex(), 0);
    EXPECT_TRUE(slatepieces::CornersFromSkin(*Shot(b).B, Rect(0, 0, b->Width(), b->Height()), picture("button"),
                                             "button", rect));
  }
  for (TbsSkinRadioGroup* g : {form->ssd, form->syz, form->spl}) {
    SCOPED_TRACE(g->Name());
    EXPECT_GE(g->SkinIndex(), 0);
    EXPECT_TRUE(slatepieces::CornersFromSkin(*Shot(g).B, Rect(0, 0, g->Width(), g->Height()), picture("groupbox"),
                                             "groupbox"));
  }
  EXPECT_EQ(-1, form->bsSkinButton1->SkinIndex());
  EXPECT_TRUE(SameAt(Shot(form->bsSkinButton1), 0, 0, DefaultLookOf(form->bsSkinButton1)));
  EXPECT_TRUE(SameAt(w, client.Left + 16, client.Top + 344, Shot(form->Btstart)));

  // The recording handlers see the same controls.
  EXPECT_EQ(1, form->spl->ItemIndex());
  EXPECT_TRUE(form->Btstart->Enabled());
  EXPECT_FALSE(form->Btstop->Enabled());
}

// --skin: a file the user names is loaded into the window's skin data; a missing,
// corrupt or too new file leaves the default looks and says why.
TEST_F(MainWindowSkin, UserSkinFileLoadsOrLeavesTheDefaultLookWithAReason) {
  form = new TForm1(Application);
  const std::string dir = testsupport::MakeTempDir("user-skin");
  std::string error;

  EXPECT_FALSE(LoadUserSkin(form, dir + "/none.skn", error));
  EXPECT_NE(std::string::npos, error.find("does not exist")) << error;

  std::ifstream in(SlateFile, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 200u);
  std::string corrupt = bytes;
  for (size_t i = 40; i < corrupt.size(); i += 53) corrupt[i] = char(corrupt[i] ^ 0x5A);
  std::ofstream(dir + "/corrupt.skn", std::ios::binary) << corrupt;
  EXPECT_FALSE(LoadUserSkin(form, dir + "/corrupt.skn", error));
  EXPECT_NE(std::string::npos, error.find("cannot be read")) << error;
  EXPECT_TRUE(form->bsSkinData1->SkinEmpty);

  std::ofstream(dir + "/short.skn", std::ios::binary) << bytes.substr(0, 5);
  EXPECT_FALSE(LoadUserSkin(form, dir + "/short.skn", error));
  EXPECT_FALSE(error.empty());

  std::string newer = bytes;
  newer[0] = 4;  // a version no reader here accepts
  std::ofstream(dir + "/newer.skn", std::ios::binary) << newer;
  EXPECT_FALSE(LoadUserSkin(form, dir + "/newer.skn", error));
  EXPECT_NE(std::string::npos, error.find("holds no skin")) << error;
  EXPECT_TRUE(form->bsSkinData1->SkinEmpty);
  EXPECT_EQ(-1, form->Btstart->SkinIndex());

  ShowActive();
  EXPECT_TRUE(LoadUserSkin(form, SlateFile, error)) << error;
  EXPECT_TRUE(error.empty());
  EXPECT_GE(form->Btstart->SkinIndex(), 0);
  EXPECT_GE(form->ssd->SkinIndex(), 0);
  EXPECT_TRUE(form->bsSkinForm1->SkinActive());
  EXPECT_EQ(-1, form->bsSkinButton1->SkinIndex());
  // The client area keeps its size inside the skin's frame: nothing is cut off.
  form->Perform(WM_NCPAINT, 0, 0);
  testsupport::Pump(20);
  EXPECT_EQ(615, form->ClientWidth());
  EXPECT_EQ(450, form->ClientHeight());
  const TRect client = form->ClientRectInWindow();
  EXPECT_EQ(form->bsSkinData1->clientrect.Left, client.Left);
  EXPECT_EQ(form->bsSkinData1->clientrect.Top, client.Top);
  const Image w = Shot(form);
  Save(w, "main_window_slate");
  EXPECT_EQ(form->bsSkinData1->SkinPicture->Pixel(1, 1), w.At(1, 1));
  EXPECT_TRUE(SameAt(w, client.Left + 16, client.Top + 384, DefaultLookOf(form->bsSkinButton1)));
  EXPECT_TRUE(SameAt(w, client.Left + 16, client.Top + 344, Shot(form->Btstart)));
}

// The record and stop buttons pressed with the mouse at their places in the skinned
// window run the recording handlers.
TEST_F(MainWindowSkin, MousePressesOnTheSkinnedButtonsRunTheHandlers) {
  form = new TForm1(Application, LayoutWithStoredSkin(SlateFile));
  ShowActive();
  int starts = 0;
  form->Btstart->OnClick = [&](TObject*) { ++starts; };
  const TPoint p = form->ClientToScreen(Point(16 + 30, 344 + 12));
  SimulateMouseAt(p, WM_LBUTTONDOWN, MK_LBUTTON);
  SimulateMouseAt(p, WM_LBUTTONUP);
  EXPECT_EQ(1, starts);
}

}  // namespace
