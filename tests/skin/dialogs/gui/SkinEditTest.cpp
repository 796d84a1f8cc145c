// The skin edit: its frame in both looks, the native field inside it, and the edit menu
// with the resource texts, enabled items and commands; shown by a skinned form's menus.
#include <QClipboard>
#include <QGuiApplication>

#include "framework/controls/CustomEdit.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"
#include "framework/core/Exceptions.h"
#include "framework/windows/WindowsClasses.h"
#include "skin/controls/SkinControlsRegistration.h"
#include "skin/data/SkinDataRegistration.h"
#include "skin/data/ResourceStrData.h"
#include "skin/dialogs/SkinDialogsRegistration.h"
#include "skin/dialogs/SkinEdit.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenu.h"
#include "tests/skin/dialogs/gui/SkinDialogsFixture.h"

using namespace skindialogstest;

namespace {

class SkinEditTest : public SkinDialogsFixture {
 protected:
  TbsSkinEdit* Edit(int x = 20, int y = 20, int w = 150, int h = 20) { return Make<TbsSkinEdit>(x, y, w, h); }
  static std::vector<std::string> Captions(TPopupMenu* m) {
    std::vector<std::string> out;
    for (int i = 0; i < m->Items()->Count(); ++i) out.push_back(m->Items()->Items(i)->Caption());
    return out;
  }
};

TEST_F(SkinEditTest, DefaultFrameAroundTheWhiteField) {
  auto* e = Edit();
  EXPECT_EQ(20, e->Height());
  EXPECT_EQ(Rect(2, 2, 148, 18), e->FieldRect());
  EXPECT_EQ(Rect(2, 2, 148, 18), e->Field()->BoundsRect());
  e->SetText("Temp.wav");
  Pic p = Shot(e);
  SaveArtifact(p, "edit_default");
  EXPECT_EQ(Shadow, p.Pixel(0, 0));
  EXPECT_EQ(Shadow, p.Pixel(149, 19));
  EXPECT_EQ(Face, p.Pixel(1, 1));
  EXPECT_EQ(Face, p.Pixel(148, 18));
  EXPECT_EQ(RGB(255, 255, 255), p.Pixel(146, 3));  // the field
  int ink = 0;
  for (int y = 2; y < 18; ++y)
    for (int x = 2; x < 80; ++x)
      if (GetRValue(p.Pixel(x, y)) < 80 && GetGValue(p.Pixel(x, y)) < 80 && GetBValue(p.Pixel(x, y)) < 80) ++ink;
  EXPECT_GT(ink, 10);  // the text, drawn by the field
  // A height of its own is replaced by the default height while no skin is loaded.
  e->SetDefaultHeight(24);
  EXPECT_EQ(24, e->Height());
  EXPECT_EQ(Rect(2, 2, 148, 22), e->Field()->BoundsRect());
}

TEST_F(SkinEditTest, TheFieldTakesTheFocusKeysAndText) {
  auto* e = Edit();
  int changes = 0;
  std::u32string pressed;
  e->OnChange = [&](TObject* s) {
    EXPECT_EQ(e, s);
    ++changes;
  };
  e->OnKeyPress = [&](TObject* s, char32_t& k) {
    EXPECT_EQ(e, s);
    pressed += k;
  };
  e->SetFocus();
  EXPECT_TRUE(e->Field()->Focused());
  SimulateChar(e->Field(), U'a');
  SimulateChar(e->Field(), U'b');
  EXPECT_EQ("ab", e->Text());
  EXPECT_EQ(U"ab", pressed);
  EXPECT_EQ(2, changes);
  e->SetMaxLength(3);
  e->SetText("abcdef");
  EXPECT_EQ("abc", e->Text());
  e->SetPasswordChar(U'*');
  EXPECT_EQ("***", e->Field()->DisplayText());
}

TEST_F(SkinEditTest, TheEditMenuWithItsSixTextsAndCommands) {
  auto* e = Edit();
  e->SetFocus();
  e->SetText("one two");
  TPopupMenu* m = e->EditMenu();
  EXPECT_EQ((std::vector<std::string>{"Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"}), Captions(m));
  using C = TbsSkinCustomEdit;
  EXPECT_FALSE(e->EditMenuItem(C::ecUndo)->Enabled());
  EXPECT_FALSE(e->EditMenuItem(C::ecCut)->Enabled());
  EXPECT_FALSE(e->EditMenuItem(C::ecCopy)->Enabled());
  EXPECT_FALSE(e->EditMenuItem(C::ecDelete)->Enabled());
  EXPECT_TRUE(e->EditMenuItem(C::ecSelectAll)->Enabled());

  // A right click opens it at the pointer, through the program-wide menu handler.
  TPopupMenu* shown = nullptr;
  TPoint at{-1, -1};
  TPopupHandler saved = TPopupMenu::SetPopupHandler([&](TPopupMenu* menu, const TRect& a) {
    shown = menu;
    at = a.TopLeft();
    return true;
  });
  SimulateMouse(e->Field(), WM_RBUTTONDOWN, 10, 5, MK_RBUTTON);
  SimulateMouse(e->Field(), WM_RBUTTONUP, 10, 5, 0);
  EXPECT_EQ(m, shown);
  EXPECT_EQ(e->Field()->ClientToScreen(Point(10, 5)), at);
  EXPECT_EQ(e, m->PopupComponent());
  // ... and the context-menu key in the middle of the edit.
  shown = nullptr;
  SimulateKey(e->Field(), WM_KEYDOWN, VK_F10, MK_SHIFT);
  EXPECT_EQ(m, shown);
  EXPECT_EQ(e->ClientToScreen(Point(e->Width() / 2, e->Height() / 2)), at);
  TPopupMenu::SetPopupHandler(saved);

  // The commands act on the field.
  e->EditMenuItem(C::ecSelectAll)->Click();
  EXPECT_EQ("one two", e->Field()->SelText());
  e->EditMenu();
  EXPECT_TRUE(e->EditMenuItem(C::ecCut)->Enabled());
  EXPECT_TRUE(e->EditMenuItem(C::ecCopy)->Enabled());
  e->Field()->SetSelStart(4);
  e->Field()->SetSelLength(3);
  e->EditMenu();
  e->EditMenuItem(C::ecCopy)->Click();
  EXPECT_EQ("two", QGuiApplication::clipboard()->text().toStdString());
  e->EditMenuItem(C::ecCut)->Click();
  EXPECT_EQ("one ", e->Text());
  e->EditMenu();
  EXPECT_TRUE(e->EditMenuItem(C::ecUndo)->Enabled());
  EXPECT_TRUE(e->EditMenuItem(C::ecPaste)->Enabled());
  e->EditMenuItem(C::ecUndo)->Click();
  EXPECT_EQ("one two", e->Text());
  e->Field()->SetSelStart(0);
  e->EditMenuItem(C::ecPaste)->Click();
  EXPECT_EQ("twoone two", e->Text());
  e->Field()->SetSelStart(0);
  e->Field()->SetSelLength(3);
  e->EditMenu();  // the items' states are those of the moment the menu opens
  e->EditMenuItem(C::ecDelete)->Click();
  EXPECT_EQ("one two", e->Text());
  // A read-only field offers nothing that would change it; a password field gives nothing away.
  e->SetReadOnly(true);
  e->Field()->SelectAll();
  e->EditMenu();
  EXPECT_FALSE(e->EditMenuItem(C::ecCut)->Enabled());
  EXPECT_FALSE(e->EditMenuItem(C::ecPaste)->Enabled());
  EXPECT_FALSE(e->EditMenuItem(C::ecDelete)->Enabled());
  EXPECT_TRUE(e->EditMenuItem(C::ecCopy)->Enabled());
  e->SetReadOnly(false);
  e->SetPasswordChar(U'*');
  e->EditMenu();
  EXPECT_FALSE(e->EditMenuItem(C::ecCopy)->Enabled());
  EXPECT_FALSE(e->EditMenuItem(C::ecCut)->Enabled());
  // A menu of the program's own replaces the edit menu.
  TPopupMenu own(Form);
  int ownShown = 0;
  own.OnPopupShow = [&](TPopupMenu*, const TRect&) { return ++ownShown > 0; };
  e->SetPopupMenu(&own);
  SimulateMouse(e->Field(), WM_RBUTTONDOWN, 10, 5, MK_RBUTTON);
  SimulateMouse(e->Field(), WM_RBUTTONUP, 10, 5, 0);
  EXPECT_EQ(1, ownShown);
}

TEST_F(SkinEditTest, ResourceTextsAndTheSkinFormsMenu) {
  // No EDIT_SELECTALL: the built-in text.
  SetResourceTexts({"EDIT_UNDO=&Rückgängig", "EDIT_CUT=Aus&schneiden", "EDIT_COPY=&Kopieren",
                    "EDIT_PASTE=Ein&fügen", "EDIT_DELETE=&Löschen"});
  auto* e = Edit();
  e->SetSkinData(SkinData);
  EXPECT_EQ((std::vector<std::string>{"&Rückgängig", "-", "Aus&schneiden", "&Kopieren", "Ein&fügen", "&Löschen", "-",
                                      "Select All"}),
            Captions(e->EditMenu()));

  // With a skinned form, its menu engine shows the edit menu.
  auto* sf = new TbsSkinForm(Form);
  sf->SetSkinData(SkinData);
  SimulateMouse(e->Field(), WM_RBUTTONDOWN, 10, 5, MK_RBUTTON);
  SimulateMouse(e->Field(), WM_RBUTTONUP, 10, 5, 0);
  ASSERT_NE(nullptr, sf->SkinMenu());
  EXPECT_TRUE(sf->SkinMenu()->MenuOpen());
  EXPECT_EQ(e, sf->SkinMenu()->Opener());
  sf->SkinMenu()->CloseAll();
  SkinData->SetResourceStrData(nullptr);
}

TEST_F(SkinEditTest, SlateFrameActiveWhileFocusedAndSmallSizes) {
  LoadSlate();
  auto* e = Edit();
  e->SetSkinData(SkinData);
  auto* r = dynamic_cast<const TbsDataSkinEditControl*>(Record("edit"));
  ASSERT_NE(nullptr, r);
  ASSERT_NE(-1, e->SkinIndex());
  e->SetBounds(20, 20, 200, 30);
  EXPECT_EQ(Rect(r->clientrect.Left, r->clientrect.Top, 200 - (RectWidth(r->skinrect) - r->clientrect.Right),
                 30 - (RectHeight(r->skinrect) - r->clientrect.Bottom)),
            e->Field()->BoundsRect());
  e->SetText("skinned");
  Pic p = Shot(e);
  SaveArtifact(p, "edit_slate");
  // Slate's white field in a border; focused, an accent border over a light inner frame.
  const TColor border = RGB(70, 84, 110), white = RGB(255, 255, 255), accent = RGB(64, 140, 220),
               inner = RGB(196, 222, 248);
  EXPECT_EQ(border, p.Pixel(0, 0));
  EXPECT_EQ(border, p.Pixel(199, 29));
  EXPECT_EQ(white, p.Pixel(100, 1));
  EXPECT_EQ(white, p.Pixel(1, 15));
  e->SetFocus();
  Pic f = Shot(e);
  SaveArtifact(f, "edit_slate_focused");
  EXPECT_EQ(accent, f.Pixel(0, 0));
  EXPECT_EQ(accent, f.Pixel(199, 29));
  EXPECT_EQ(inner, f.Pixel(100, 1));
  EXPECT_EQ(inner, f.Pixel(1, 15));
  // Smaller than the frame's corners: an empty field, never a negative one.
  for (TSize s : {TSize{4, 4}, TSize{1, 1}, TSize{0, 0}}) {
    e->SetBounds(20, 20, s.cx, s.cy);
    const TRect fr = e->Field()->BoundsRect();
    EXPECT_GE(fr.Width(), 0);
    EXPECT_GE(fr.Height(), 0);
    EXPECT_LE(fr.Right, std::max(0, e->Width()));
    Shot(e);
  }
  // A skin change reaches the edit through the form's walk; a failed load: the default look.
  e->SetBounds(20, 20, 150, 20);
  SkinData->LoadFromStoredSkin(&Version4());
  EXPECT_EQ(-1, e->SkinIndex());
  EXPECT_EQ(Rect(2, 2, 148, 18), e->Field()->BoundsRect());
}

TEST_F(SkinEditTest, ComboAndEditFromAStoredLayout) {
  RegisterWindowsClasses();
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  RegisterSkinDialogClasses();
  skintest::TSkinTestForm::Register();
  int clicks = 0;
  ClassRegistry().RegisterMethod("TSkinTestForm", "TypeClick", [&clicks](TComponent*) -> TNotifyEvent {
    return [&clicks](TObject*) { ++clicks; };
  });
  skintest::TSkinTestForm form(nullptr);
  try {
    ReadLayout(&form, R"(object Form1: TSkinTestForm
  object FileType: TbsSkinComboBox
    Left = 10
    Top = 10
    Width = 160
    Height = 20
    SkinDataName = 'combobox'
    Items.Strings = (
      'Video (*.avi)'
      'All files (*.*)')
    ItemIndex = 1
    DropDownCount = 12
    OnClick = TypeClick
  end
  object FileName: TbsSkinEdit
    Left = 10
    Top = 40
    Width = 160
    Height = 20
    Text = 'Temp.wav'
    MaxLength = 40
    PasswordChar = '*'
  end
end
)");
  } catch (const Exception& err) {
    FAIL() << err.Message();
  }
  auto* c = dynamic_cast<TbsSkinComboBox*>(form.FindComponent("FileType"));
  auto* e = dynamic_cast<TbsSkinEdit*>(form.FindComponent("FileName"));
  ASSERT_NE(nullptr, c);
  ASSERT_NE(nullptr, e);
  EXPECT_EQ(1, c->ItemIndex());
  EXPECT_EQ("All files (*.*)", c->Text());
  EXPECT_EQ(12, c->DropDownCount());
  EXPECT_EQ(0, clicks);  // not while loading
  c->SetItemIndex(0);
  EXPECT_EQ(1, clicks);
  EXPECT_EQ("Temp.wav", e->Text());
  EXPECT_EQ(40, e->MaxLength());
  EXPECT_EQ(U'*', e->PasswordChar());
}

}  // namespace
