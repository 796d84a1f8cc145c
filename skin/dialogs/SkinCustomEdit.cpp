#include "skin/dialogs/SkinCustomEdit.h"

#include <algorithm>

#include "framework/controls/CustomEdit.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"
#include "framework/messages/MessageViews.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"

namespace {
constexpr const char* kKeys[] = {"EDIT_UNDO", "EDIT_CUT", "EDIT_COPY", "EDIT_PASTE", "EDIT_DELETE", "EDIT_SELECTALL"};
constexpr const char* kTexts[] = {"Undo", "Cut", "Copy", "Paste", "Delete", "Select All"};
}  // namespace

TbsSkinCustomEdit::TbsSkinCustomEdit(TComponent* AOwner) : TbsSkinCustomControl(AOwner) {
  FSkinDataName = "edit";
  FWidth = 121;
  FHeight = 20;
  FDefaultHeight = 20;
  FParentFont = false;
  FFont.SetName("Arial");
  FFont.SetHeight(14);
  FFont.SetColor(clWindowText);
  FDefaultFont.Assign(&FFont);
  FControlStyle.Exclude(csClickEvents);
  FField = new TCustomEdit(this);
  FField->SetBorderVisible(false);
  FField->SetFont(&FFont);
  FField->SetParent(this);
  FField->OnChange = [this](TObject*) {
    if (OnChange) {
      TNotifyEvent handler = OnChange;
      handler(this);
    }
  };
  // The field's keys and focus are the edit's.
  FField->OnKeyPress = [this](TObject*, char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
  };
  FField->OnKeyDown = [this](TObject*, Word& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
  };
  FField->OnKeyUp = [this](TObject*, Word& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
  };
  FField->OnEnter = [this](TObject*) {
    Invalidate();
    if (OnEnter) OnEnter(this);
  };
  FField->OnExit = [this](TObject*) {
    Invalidate();
    if (OnExit) OnExit(this);
  };
  PlaceField();
}

TbsSkinCustomEdit::~TbsSkinCustomEdit() {
  if (FField) {
    FField->OnChange = nullptr;
    FField->OnEnter = nullptr;
    FField->OnExit = nullptr;
  }
}

std::string TbsSkinCustomEdit::Text() const { return FField->Text(); }
void TbsSkinCustomEdit::SetText(const std::string& Value) { FField->SetText(Value); }
int TbsSkinCustomEdit::MaxLength() const { return FField->MaxLength(); }
void TbsSkinCustomEdit::SetMaxLength(int Value) { FField->SetMaxLength(Value); }
bool TbsSkinCustomEdit::ReadOnly() const { return FField->ReadOnly(); }
void TbsSkinCustomEdit::SetReadOnly(bool Value) { FField->SetReadOnly(Value); }
char32_t TbsSkinCustomEdit::PasswordChar() const { return FField->PasswordChar(); }
void TbsSkinCustomEdit::SetPasswordChar(char32_t Value) { FField->SetPasswordChar(Value); }

void TbsSkinCustomEdit::SetFocus() {
  if (FField->CanFocus())
    FField->SetFocus();
  else
    TbsSkinCustomControl::SetFocus();
}

// ---- skin and layout --------------------------------------------------------------------
bool TbsSkinCustomEdit::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TbsDataSkinEditControl>() && TbsSkinCustomControl::AcceptsRecord(Record);
}

void TbsSkinCustomEdit::ReadSkinRecord() {
  TbsSkinCustomControl::ReadSkinRecord();
  auto* r = Record<TbsDataSkinEditControl>();
  if (!r) return;
  // The active image must cover the same piece of picture as the normal one.
  FActiveSkinRect = RectWidth(r->activeskinrect) == RectWidth(r->skinrect) &&
                            RectHeight(r->activeskinrect) == RectHeight(r->skinrect)
                        ? r->activeskinrect
                        : TRect();
  FFontName = r->fontname;
  FFontHeight = r->fontheight;
  FFontStyle = r->fontstyle;
  FFontColor = r->fontcolor;
}

TRect TbsSkinCustomEdit::FieldRect() {
  ReadSkinRecord();
  const int W = Width(), H = Height();
  TRect r = Rect(2, 2, W - 2, H - 2);
  if (FIndex != -1 && !IsNullRect(FNew.Client)) r = FNew.Client;
  // A control smaller than its frame keeps an empty field, never a negative one.
  r.Left = std::min(std::max(0, r.Left), W);
  r.Top = std::min(std::max(0, r.Top), H);
  r.Right = std::max(r.Left, std::min(r.Right, W));
  r.Bottom = std::max(r.Top, std::min(r.Bottom, H));
  return r;
}

void TbsSkinCustomEdit::PlaceField() {
  if (!FField) return;
  const TRect r = FieldRect();
  FField->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  if (FIndex != -1 && FUseSkinFont) {
    TFont f;
    f.SetName(FFontName);
    f.SetHeight(FFontHeight);
    f.SetStyle(FFontStyle);
    f.SetColor(FFontColor);
    FField->SetFont(&f);
  } else {
    FField->SetFont(FIndex != -1 ? &FDefaultFont : &FFont);
  }
}

void TbsSkinCustomEdit::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  PlaceField();
}

void TbsSkinCustomEdit::BeginSkinChange() {
  TbsSkinCustomControl::BeginSkinChange();
  PlaceField();  // the default look's frame until a new record comes, if one ever does
}

void TbsSkinCustomEdit::BoundsChanged(bool moved, bool sized) {
  TbsSkinCustomControl::BoundsChanged(moved, sized);
  if (sized) PlaceField();
}

void TbsSkinCustomEdit::DefaultFontChanged() { PlaceField(); }

void TbsSkinCustomEdit::CMFontChanged(TMessage& Message) {
  TbsSkinCustomControl::CMFontChanged(Message);
  PlaceField();
}

void TbsSkinCustomEdit::CMEnabledChanged(TMessage& Message) {
  FField->SetEnabled(Enabled());
  TbsSkinCustomControl::CMEnabledChanged(Message);
}

void TbsSkinCustomEdit::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  const TRect all = Rect(0, 0, B.Width(), B.Height());
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clWindow;
  c->FillRect(all);
  c->Brush()->Color = clBtnShadow;
  c->FrameRect(all);
  c->Brush()->Color = clBtnFace;
  c->FrameRect(Rect(1, 1, B.Width() - 1, B.Height() - 1));
}

void TbsSkinCustomEdit::DrawSkinImage(TBitmap& B) {
  if (!Picture()) {
    DrawDefaultImage(B);
    return;
  }
  const bool active = FField->Focused() && !IsNullRect(FActiveSkinRect);
  DrawSkinRect(B, Picture(), active ? FActiveSkinRect : FSkinRect);
}

// ---- the edit menu ----------------------------------------------------------------------
const char* TbsSkinCustomEdit::CommandKey(TEditCommand Command) { return kKeys[Command]; }
const char* TbsSkinCustomEdit::CommandText(TEditCommand Command) { return kTexts[Command]; }

void TbsSkinCustomEdit::BuildMenu() {
  if (FMenu) return;
  FMenu = new TPopupMenu(this);
  auto add = [this](const std::string& caption) {
    auto* item = new TMenuItem(FMenu);
    item->SetCaption(caption);
    FMenu->Items()->Add(item);
    return item;
  };
  const TEditCommand order[] = {ecUndo, ecCut, ecCopy, ecPaste, ecDelete, ecSelectAll};
  for (TEditCommand c : order) {
    if (c == ecCut || c == ecSelectAll) add(cLineCaption);
    TMenuItem* item = add(kTexts[c]);
    item->OnClick = [this, c](TObject*) { Run(c); };
    FMenuItems[c] = item;
  }
}

TPopupMenu* TbsSkinCustomEdit::EditMenu() {
  BuildMenu();
  TbsResourceStrData* strings = FSD ? FSD->ResourceStrData() : nullptr;
  for (int i = 0; i < 6; ++i) {
    std::string text = strings ? strings->GetResString(kKeys[i]) : std::string();
    FMenuItems[i]->SetCaption(text.empty() ? kTexts[i] : text);
  }
  const bool selected = FField->SelLength() > 0;
  const bool writable = !FField->ReadOnly();
  const bool hidden = FField->PasswordChar() != 0;
  FMenuItems[ecUndo]->SetEnabled(FField->CanUndo());
  FMenuItems[ecCut]->SetEnabled(selected && writable && !hidden);
  FMenuItems[ecCopy]->SetEnabled(selected && !hidden);
  FMenuItems[ecPaste]->SetEnabled(FField->CanPaste());
  FMenuItems[ecDelete]->SetEnabled(selected && writable);
  FMenuItems[ecSelectAll]->SetEnabled(!FField->Text().empty());
  return FMenu;
}

TMenuItem* TbsSkinCustomEdit::EditMenuItem(TEditCommand Command) {
  BuildMenu();
  return FMenuItems[Command];
}

void TbsSkinCustomEdit::Run(TEditCommand Command) {
  switch (Command) {
    case ecUndo: FField->Undo(); break;
    case ecCut: FField->CutToClipboard(); break;
    case ecCopy: FField->CopyToClipboard(); break;
    case ecPaste: FField->PasteFromClipboard(); break;
    case ecDelete: FField->ClearSelection(); break;
    case ecSelectAll: FField->SelectAll(); break;
  }
}

void TbsSkinCustomEdit::WMContextMenu(TMessage& Message) {
  // A menu of the program's own goes first.
  if (PopupMenu()) {
    TbsSkinCustomControl::WMContextMenu(Message);
    return;
  }
  const TScreenPointMessage at(Message);
  const TPoint p = at.FromKeyboard ? ClientToScreen(Point(Width() / 2, Height() / 2)) : at.Pos;
  TPopupMenu* menu = EditMenu();
  menu->SetPopupComponent(this);
  Message.Result = 1;
  menu->Popup(p.X, p.Y);
}
