#include "skin/dialogs/SkinCustomComboBox.h"

#include <algorithm>

#include "framework/controls/ControlPaint.h"
#include "framework/controls/CustomEdit.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Windows.h"
#include "skin/controls/FocusGrab.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/SkinGlyphs.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinText.h"

namespace {
constexpr int ButtonWidth = 17;

bool IsMouseMessage(UINT m) { return m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK; }
}  // namespace

TbsSkinCustomComboBox::TbsSkinCustomComboBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner) {
  // The box holds the mouse itself while its list is open; a click is no item choice.
  FControlStyle = {csOpaque, csDoubleClicks};
  FSkinDataName = "combobox";
  FWidth = 120;
  FHeight = 20;
  FTabStop = true;
  FParentFont = false;
  FFont.SetName("Arial");
  FFont.SetHeight(14);
  FFont.SetColor(clWindowText);
  FListBox = new TbsPopupListBox(this);
  FListBox->Items()->OnChange = [this, inner = FListBox->Items()->OnChange](TObject* s) {
    if (inner) inner(s);
    FItemIndex = FListBox->ItemIndex();
    Invalidate();
  };
}

TbsSkinCustomComboBox::~TbsSkinCustomComboBox() {
  StopScroll();
  if (FEdit) {
    // The field outlives this part of the box (its owner frees it later).
    FEdit->OnChange = nullptr;
    FEdit->OnKeyDown = nullptr;
    FEdit->OnEnter = nullptr;
    FEdit->OnExit = nullptr;
  }
  if (FListBox) {
    FListBox->Items()->OnChange = nullptr;
    FListBox->OnDrawItem = nullptr;
    ReleaseMouse();
    delete FListBox;
    FListBox = nullptr;
  }
}

void TbsSkinCustomComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FEdit) FEdit = nullptr;
  if (AComponent == FListBox) FListBox = nullptr;
}

// ---- items and text ---------------------------------------------------------------------
TStrings* TbsSkinCustomComboBox::Items() { return FListBox->Items(); }
const TStrings* TbsSkinCustomComboBox::Items() const { return FListBox->Items(); }

void TbsSkinCustomComboBox::SetItems(const TStrings* Value) {
  if (Value) FListBox->Items()->Assign(Value);
}

int TbsSkinCustomComboBox::ItemIndex() const { return FListBox ? FListBox->ItemIndex() : -1; }

void TbsSkinCustomComboBox::SetItemIndex(int Value) {
  std::weak_ptr<bool> alive = FAlive;
  FListBox->SetItemIndex(Value);
  FItemIndex = FListBox->ItemIndex();
  if (Items()->Count() > 0 && FItemIndex != -1) SetText((*Items())[FItemIndex]);
  if (alive.expired()) return;
  Invalidate();
  if (IsLoading() || Designing()) return;
  if (OnClick) {
    TNotifyEvent handler = OnClick;
    handler(this);
    if (alive.expired()) return;
  }
  Change();
}

void TbsSkinCustomComboBox::Change() {}

std::string TbsSkinCustomComboBox::Text() const { return FCaption; }

void TbsSkinCustomComboBox::SetText(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  if (FEdit && !FSettingText) {
    FSettingText = true;
    FEdit->SetText(Value);
    FSettingText = false;
  }
  TextChanged();
}

void TbsSkinCustomComboBox::TextChanged() {
  Invalidate();
  if (OnChange && !IsLoading()) {
    TNotifyEvent handler = OnChange;
    handler(this);
  }
}

// ---- properties -------------------------------------------------------------------------
void TbsSkinCustomComboBox::SetDropDownCount(int Value) {
  if (Value >= 1) FDropDownCount = Value;
}

void TbsSkinCustomComboBox::SetImages(TImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  FListBox->SetImages(Value);
  Invalidate();
}

void TbsSkinCustomComboBox::SetImageIndex(int Value) {
  FImageIndex = Value;
  FListBox->SetImageIndex(Value);
  Invalidate();
}

void TbsSkinCustomComboBox::SetStyle(TbsComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (FStyle == bscbEditStyle && !FEdit) {
    FEdit = new TCustomEdit(this);
    FEdit->SetBorderVisible(false);
    FEdit->SetText(FCaption);
    FEdit->SetParent(this);
    FEdit->OnChange = [this](TObject*) {
      if (FSettingText) return;
      FSettingText = true;
      SetText(FEdit->Text());
      FSettingText = false;
    };
    FEdit->OnKeyDown = [this](TObject*, Word& key, TShiftState shift) {
      // The field keeps the keys that edit its text; the box takes those that choose items.
      switch (key) {
        case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_RETURN: case VK_ESCAPE:
          KeyDown(key, shift);
          break;
        case VK_LEFT: case VK_RIGHT:
          if (shift.Contains(ssAlt)) KeyDown(key, shift);
          break;
        default:
          break;
      }
    };
    FEdit->OnExit = [this](TObject*) {
      if (DroppedDown()) CloseUp(false);
      Invalidate();
    };
    FEdit->OnEnter = [this](TObject*) { Invalidate(); };
    PlaceEdit();
  } else if (FStyle == bscbFixedStyle && FEdit) {
    TCustomEdit* e = FEdit;
    FEdit = nullptr;
    delete e;
  }
  Invalidate();
}

void TbsSkinCustomComboBox::PlaceEdit() {
  if (!FEdit) return;
  TRect r = ItemRect();
  InflateRect(r, -1, -1);
  if (FIndex == -1 || !FUseSkinFont) {
    FEdit->SetFont(FIndex == -1 ? Font() : DefaultFont());
  } else {
    TFont f;
    f.SetName(FFontName);
    f.SetHeight(FFontHeight);
    f.SetStyle(FFontStyle);
    f.SetColor(FFontColor);
    FEdit->SetFont(&f);
  }
  FEdit->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

void TbsSkinCustomComboBox::BoundsChanged(bool moved, bool sized) {
  TbsSkinCustomControl::BoundsChanged(moved, sized);
  if (sized) PlaceEdit();
}

void TbsSkinCustomComboBox::Loaded() {
  TbsSkinCustomControl::Loaded();
  PlaceEdit();
}

bool TbsSkinCustomComboBox::HasFocus() { return Focused() || (FEdit && FEdit->Focused()); }

void TbsSkinCustomComboBox::SetFocus() {
  if (FEdit && FEdit->CanFocus())
    FEdit->SetFocus();
  else
    TbsSkinCustomControl::SetFocus();
}

// ---- skin -------------------------------------------------------------------------------
bool TbsSkinCustomComboBox::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return Record->As<TbsDataSkinComboBox>() && TbsSkinCustomControl::AcceptsRecord(Record);
}

void TbsSkinCustomComboBox::ReadSkinRecord() {
  TbsSkinCustomControl::ReadSkinRecord();
  auto* r = Record<TbsDataSkinComboBox>();
  if (!r) return;
  FSkinItemRect = r->itemrect;
  FFocusItemRect = r->focusitemrect;
  FItemTextRect = r->itemtextrect;
  FItemLeftOffset = r->itemleftoffset;
  FItemRightOffset = r->itemrightoffset;
  FFontName = r->fontname;
  FFontHeight = r->fontheight;
  FFontStyle = r->fontstyle;
  FFontColor = r->fontcolor;
  FFocusFontColor = r->focusfontcolor;
  FListBoxName = r->listboxname;
  FButtonRect = r->buttonrect;
  FActiveButtonRect = r->activebuttonrect;
  FDownButtonRect = r->downbuttonrect;
  FUnEnabledButtonRect = r->unenabledbuttonrect;
}

void TbsSkinCustomComboBox::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  if (!FListBox) return;
  // The list takes the list box record the box's record names; without one, its own look.
  FListBox->SetSkinDataName(FIndex != -1 ? FListBoxName : std::string());
  if (FListBox->SkinData() != FSD) FListBox->SetSkinData(FSD);
  FListBox->ApplySkinChange();
  PlaceEdit();
}

void TbsSkinCustomComboBox::BeginSkinChange() {
  TbsSkinCustomControl::BeginSkinChange();
  if (FListBox) FListBox->BeginSkinChange();
  PlaceEdit();
}

// ---- layout -----------------------------------------------------------------------------
TRect TbsSkinCustomComboBox::ButtonRect() {
  const int W = Width(), H = Height();
  if (FIndex != -1 && !IsNullRect(FButtonRect)) return MapSkinRect(FButtonRect);
  const int top = std::min(2, H);
  return Rect(std::max(0, W - 2 - ButtonWidth), top, std::max(0, W - 2), std::max(top, H - 2));
}

TRect TbsSkinCustomComboBox::ItemRect() {
  const TRect b = ButtonRect();
  if (FIndex != -1 && !IsNullRect(FSkinItemRect)) return MapSkinRect(FSkinItemRect);
  const int H = Height(), top = std::min(2, H);
  return Rect(std::min(2, b.Left), top, std::max(std::min(2, b.Left), b.Left - 1), std::max(top, H - 2));
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinCustomComboBox::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  const TRect all = Rect(0, 0, B.Width(), B.Height());
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = clBtnFace;
  c->FillRect(all);
  c->Brush()->Color = clBtnShadow;
  c->FrameRect(all);
  DrawButton(c, ButtonRect(), false);
  if (FStyle == bscbFixedStyle) DrawItemArea(c, ItemRect(), false);
}

void TbsSkinCustomComboBox::DrawSkinImage(TBitmap& B) {
  if (!Picture()) {
    DrawDefaultImage(B);
    return;
  }
  TbsSkinCustomControl::DrawSkinImage(B);
  DrawButton(B.Canvas(), ButtonRect(), true);
  if (FStyle == bscbFixedStyle) DrawItemArea(B.Canvas(), ItemRect(), true);
}

void TbsSkinCustomComboBox::DrawButton(TCanvas* C, const TRect& R, bool Skinned) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const bool pressedHot = FButtonPressed && FButtonHot;
  if (Skinned) {
    const TRect src = !Enabled() ? FUnEnabledButtonRect
                      : pressedHot ? FDownButtonRect
                      : FButtonHot ? FActiveButtonRect
                                   : TRect();
    if (!IsNullRect(src)) C->CopyRect(R, Picture(), src);
    return;
  }
  C->Brush()->Style = TBrushStyle::bsSolid;
  C->Brush()->Color = pressedHot ? DefaultPressedFill : FButtonHot ? DefaultHotFill : clBtnFace;
  C->FillRect(R);
  C->Brush()->Color = pressedHot || FButtonHot ? DefaultNavy : clBtnShadow;
  C->FrameRect(R);
  DrawDropArrow(C, R, Enabled() ? clBlack : clBtnShadow);
}

void TbsSkinCustomComboBox::DrawItemArea(TCanvas* C, const TRect& Area, bool Skinned) {
  if (Area.Width() <= 0 || Area.Height() <= 0) return;
  const bool focused = HasFocus();
  TBitmap area(Area.Width(), Area.Height());
  TCanvas* c = area.Canvas();
  const TRect all = Rect(0, 0, area.Width(), area.Height());
  TRect text = Rect(2, 0, area.Width() - 2, area.Height());
  TBitmap* pic = Skinned ? Picture() : nullptr;
  c->Brush()->Style = TBrushStyle::bsSolid;
  if (pic) {
    // The skin image under the area, or the record's focus image stretched over it.
    c->CopyRect(all, C->Target(), Area);
    if (focused && !IsNullRect(FFocusItemRect)) {
      TBitmap image;
      BuildHSkinImage(FItemLeftOffset, FItemRightOffset, image, area.Width(), FFocusItemRect, *pic);
      c->StretchDraw(all, &image);
    }
    if (!IsNullRect(FItemTextRect) && !IsNullRect(FSkinItemRect))
      text = Rect(FItemTextRect.Left, 0, area.Width() - (RectWidth(FSkinItemRect) - FItemTextRect.Right),
                  area.Height());
    if (FUseSkinFont) {
      c->Font()->SetName(FFontName);
      c->Font()->SetHeight(FFontHeight);
      c->Font()->SetStyle(FFontStyle);
    } else {
      c->Font()->Assign(DefaultFont());
    }
    c->Font()->SetColor(focused ? FFocusFontColor : FFontColor);
  } else {
    c->Brush()->Color = focused ? clHighlight : clWindow;
    c->FillRect(all);
    c->Font()->Assign(Font());
    c->Font()->SetColor(focused ? clHighlightText : clWindowText);
  }
  if (FSD && FSD->ResourceStrData()) c->Font()->SetCharset(FSD->ResourceStrData()->CharSet());
  const int index = DroppedDown() ? FSavedIndex : ItemIndex();
  if (OnDrawItem) {
    OnDrawItem(this, c, index, all, focused);
  } else if (index >= 0 && index < Items()->Count()) {
    if (FImages && FImages->Count() > 0) {
      const int image = FImageIndex >= 0 ? FImageIndex : index;
      if (image < FImages->Count()) {
        FImages->Draw(c, text.Left, (area.Height() - FImages->Height()) / 2, image);
        text.Left += FImages->Width() + 2;
      }
    }
    std::string s = (*Items())[index];
    if (text.Width() > 0 && !s.empty()) {
      TrimTextToWidth(c, s, text.Width());
      c->Brush()->Style = TBrushStyle::bsClear;
      c->TextRect(text, text.Left, (area.Height() - c->TextHeight(s)) / 2, s);
      c->Brush()->Style = TBrushStyle::bsSolid;
    }
  }
  if (focused && !pic) DrawFocusRect(c, all);
  C->Draw(Area.Left, Area.Top, &area);
}

// ---- the list ---------------------------------------------------------------------------
bool TbsSkinCustomComboBox::DroppedDown() const { return FListBox && FListBox->Visible(); }

void TbsSkinCustomComboBox::DropDown() {
  if (!FListBox || Items()->Count() == 0 || DroppedDown()) return;
  std::weak_ptr<bool> alive = FAlive;
  StopScroll();
  if (OnDropDown) {
    TNotifyEvent handler = OnDropDown;
    handler(this);
    if (alive.expired() || Items()->Count() == 0) return;
  }
  ApplySkinChange();
  const int rows = std::min(FDropDownCount, Items()->Count());
  const int w = FListBoxWidth > 0 ? FListBoxWidth : Width();
  FListBox->SetRows(rows);
  // Rows are written in the box's font (a skin's list record brings its own).
  FListBox->ItemFont()->Assign(Font());
  const int h = FListBox->HeightForRows(rows);
  const TPoint below = ClientToScreen(Point(0, Height()));
  const TRect work = GetMonitorWorkArea(Handle());
  int y = below.Y;
  if (y + h > work.Bottom) y = ClientToScreen(Point(0, 0)).Y - h;
  FSavedIndex = ItemIndex();
  // Rows are drawn by the program's handler when it has one, else by the list itself.
  if (OnListBoxDrawItem)
    FListBox->OnDrawItem = [this](TObject*, TCanvas* c, int index, const TRect& r, bool selected) {
      if (OnListBoxDrawItem) OnListBoxDrawItem(this, c, index, r, selected);
    };
  else
    FListBox->OnDrawItem = nullptr;
  FListBox->HandleNeeded();
  FListBox->SetBounds(below.X, y, w, h);
  FListBox->SetRows(rows);
  FListBox->MakeVisible(FListBox->ItemIndex());
  const HWND lh = FListBox->Handle();
  if (LayeredWindowsSupported()) {
    const LONG ex = GetWindowLong(lh, GWL_EXSTYLE);
    SetWindowLong(lh, GWL_EXSTYLE, FAlphaBlend ? LONG(ex | WS_EX_LAYERED) : LONG(ex & ~LONG(WS_EX_LAYERED)));
    if (FAlphaBlend) SetLayeredWindowAttributes(lh, 0, FAlphaBlendAnimation ? 0 : FAlphaBlendValue, LWA_ALPHA);
  }
  FListBox->Popup();
  FDropPress = false;
  FEnteredList = false;
  FListPress = false;
  FScrollBarPress = false;
  SetMouseCapture(true);
  Invalidate();
  if (FAlphaBlend && FAlphaBlendAnimation && LayeredWindowsSupported()) {
    Application->ProcessMessages();
    for (int a = 0; a <= FAlphaBlendValue; a += 2) {
      if (alive.expired() || !DroppedDown()) return;
      SetLayeredWindowAttributes(lh, 0, Byte(a), LWA_ALPHA);
      Application->ProcessMessages();
    }
    if (!alive.expired() && DroppedDown()) SetLayeredWindowAttributes(lh, 0, FAlphaBlendValue, LWA_ALPHA);
  }
}

void TbsSkinCustomComboBox::ReleaseMouse() {
  if (MouseCapture()) SetMouseCapture(false);
}

void TbsSkinCustomComboBox::CloseUp(bool Accept) {
  if (!DroppedDown()) return;
  std::weak_ptr<bool> alive = FAlive;
  StopScroll();
  FListBox->ClosePopup();
  FDropPress = FEnteredList = FListPress = FScrollBarPress = false;
  ReleaseMouse();
  const int row = FListBox->ItemIndex();
  if (row == -1 || !Accept) {
    if (FSavedIndex != FItemIndex || row != FSavedIndex) {
      if (FSavedIndex != FItemIndex)
        SetItemIndex(FSavedIndex);
      else
        FListBox->SetItemIndex(FSavedIndex);
    }
  } else {
    FItemIndex = row;
    SetText((*Items())[row]);
    if (alive.expired()) return;
    Invalidate();
    if (OnClick) {
      TNotifyEvent handler = OnClick;
      handler(this);
      if (alive.expired()) return;
    }
    Change();
  }
  if (alive.expired()) return;
  Invalidate();
  if (Accept && OnCloseUp) {
    TNotifyEvent handler = OnCloseUp;
    handler(this);
  }
}

void TbsSkinCustomComboBox::StartScroll(int Direction) {
  if (Direction == FScrollDir) return;
  FScrollDir = Direction;
  if (HandleAllocated()) SetTimer(Handle(), ScrollTimerId, ScrollInterval);
}

void TbsSkinCustomComboBox::StopScroll() {
  if (FScrollDir == 0) return;
  FScrollDir = 0;
  if (HandleAllocated()) KillTimer(HandleValue(), ScrollTimerId);
}

void TbsSkinCustomComboBox::ScrollTick() {
  if (!DroppedDown() || FScrollDir == 0) {
    StopScroll();
    return;
  }
  FListBox->SetTopIndex(FListBox->TopIndex() + FScrollDir);
  const int row = FScrollDir < 0 ? FListBox->TopIndex() : FListBox->TopIndex() + FListBox->Rows() - 1;
  FListBox->SetItemIndex(std::min(row, Items()->Count() - 1));
}

void TbsSkinCustomComboBox::ForwardToScrollBar(UINT Msg, TPoint ScreenPoint, WPARAM Keys) {
  TbsSkinScrollBar* sb = FListBox->ScrollBar();
  if (!sb || !sb->Visible()) return;
  const TPoint p = sb->ScreenToClient(ScreenPoint);
  sb->Perform(Msg, Keys, PointToLParam(p));
}

bool TbsSkinCustomComboBox::ListMouse(UINT Msg, TPoint sp, WPARAM Keys) {
  const TRect listBounds = FListBox->BoundsRect();
  const bool inList = PtInRect(listBounds, sp);
  const TPoint lp = Point(sp.X - listBounds.Left, sp.Y - listBounds.Top);
  TbsSkinScrollBar* sb = FListBox->ScrollBar();
  const bool inBar = inList && sb && sb->Visible() && PtInRect(sb->BoundsRect(), lp);
  const TPoint bp = ScreenToClient(sp);
  const bool hot = PtInRect(ButtonRect(), bp);
  const bool onBox = hot || (FStyle == bscbFixedStyle && PtInRect(ItemRect(), bp));
  if (hot != FButtonHot) {
    FButtonHot = hot;
    Invalidate();
  }
  switch (Msg) {
    case WM_MOUSEMOVE:
      if (FScrollBarPress || (inBar && !(Keys & MK_LBUTTON))) {
        ForwardToScrollBar(Msg, sp, Keys);
        return true;
      }
      if (inList && !inBar) {
        StopScroll();
        const int row = FListBox->ItemAtPos(lp);
        if (row >= 0 && row != FListBox->ItemIndex()) FListBox->SetItemIndex(row);
        if (FDropPress) FEnteredList = true;
      } else if ((Keys & MK_LBUTTON) && (FDropPress || FListPress)) {
        TRect rows = FListBox->RowsRect();
        OffsetRect(rows, listBounds.Left, listBounds.Top);
        if (sp.Y < rows.Top)
          StartScroll(-1);
        else if (sp.Y >= rows.Bottom)
          StartScroll(1);
        else
          StopScroll();
      }
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (inBar) {
        FScrollBarPress = true;
        ForwardToScrollBar(Msg, sp, Keys);
      } else if (inList) {
        FListPress = true;
        const int row = FListBox->ItemAtPos(lp);
        if (row >= 0) FListBox->SetItemIndex(row);
      } else {
        // The button (or the item area) closes what it opened; a press anywhere else too.
        if (onBox) {
          FButtonPressed = true;
          Invalidate();
        }
        CloseUp(false);
      }
      return true;
    case WM_LBUTTONUP: {
      StopScroll();
      const bool dropPress = FDropPress, entered = FEnteredList, listPress = FListPress;
      FDropPress = FEnteredList = FListPress = false;
      if (FButtonPressed) {
        FButtonPressed = false;
        Invalidate();
      }
      if (FScrollBarPress) {
        FScrollBarPress = false;
        ForwardToScrollBar(Msg, sp, Keys);
        return true;
      }
      if (inList && !inBar) {
        const int row = FListBox->ItemAtPos(lp);
        if ((dropPress && entered) || listPress) {
          if (row >= 0) FListBox->SetItemIndex(row);
          CloseUp(true);
        }
      } else if (dropPress && entered) {
        CloseUp(false);
      }
      return true;
    }
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      if (!inList) CloseUp(false);
      return true;
    default:
      return true;
  }
}

// ---- messages, mouse and keys -----------------------------------------------------------
void TbsSkinCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (DroppedDown() ? DLGC_WANTALLKEYS : 0);
      return;
    case WM_TIMER:
      if (TTimerMessage(m).TimerId == TypeAheadTimerId) {
        KillTimer(Handle(), TypeAheadTimerId);
        FTypeAheadRunning = false;
        FPrefix.clear();
        return;
      }
      if (TTimerMessage(m).TimerId == ScrollTimerId) {
        ScrollTick();
        return;
      }
      break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      // Someone else took the mouse (a modal loop, a menu): the list closes.
      if (DroppedDown() && !(m.Msg == WM_CAPTURECHANGED && MouseCapture())) CloseUp(false);
      break;
    default:
      break;
  }
  if (IsMouseMessage(m.Msg) && DroppedDown()) {
    const TMouseMessage mouse(m);
    if (ListMouse(m.Msg, ClientToScreen(mouse.Pos), mouse.Keys)) return;
  }
  TbsSkinCustomControl::WndProc(m);
}

void TbsSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  std::weak_ptr<bool> alive = FAlive;
  if (Button == mbLeft && !HasFocus()) {
    if (FEdit) {
      if (FEdit->CanFocus()) FEdit->SetFocus();
      if (alive.expired()) return;
    } else if (!GrabFocusForPress(this, alive, FFocusGrab)) {
      return;
    }
  }
  TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired() || Button != mbLeft) return;
  const TPoint p = Point(X, Y);
  if (PtInRect(ButtonRect(), p) || (FStyle == bscbFixedStyle && PtInRect(ItemRect(), p))) {
    FButtonPressed = true;
    FButtonHot = PtInRect(ButtonRect(), p);
    Invalidate();
    DropDown();
    if (alive.expired()) return;
    FDropPress = DroppedDown();
    FEnteredList = false;
  }
}

void TbsSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    FDropPress = false;
    if (FButtonPressed) {
      FButtonPressed = false;
      Invalidate();
    }
  }
  TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  const bool hot = PtInRect(ButtonRect(), Point(X, Y));
  if (hot != FButtonHot) {
    FButtonHot = hot;
    Invalidate();
  }
  TbsSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinCustomComboBox::CMMouseLeave(TMessage& Message) {
  TbsSkinCustomControl::CMMouseLeave(Message);
  if (FButtonHot) {
    FButtonHot = false;
    Invalidate();
  }
}

void TbsSkinCustomComboBox::CMEnabledChanged(TMessage& Message) {
  if (!Enabled()) CloseUp(false);
  if (FEdit) FEdit->SetEnabled(Enabled());
  TbsSkinCustomControl::CMEnabledChanged(Message);
}

void TbsSkinCustomComboBox::DoEnter() {
  TbsSkinCustomControl::DoEnter();
  Invalidate();
}

void TbsSkinCustomComboBox::DoExit() {
  if (DroppedDown()) CloseUp(false);
  TbsSkinCustomControl::DoExit();
  Invalidate();
}

bool TbsSkinCustomComboBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TbsSkinCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (WheelDelta == 0 || Items()->Count() == 0) return true;
  const int step = WheelDelta > 0 ? -1 : 1;
  if (DroppedDown())
    MoveHighlight(step);
  else
    SelectStep(std::max(0, std::min(ItemIndex() + step, Items()->Count() - 1)));
  return true;
}

void TbsSkinCustomComboBox::MoveHighlight(int Delta) {
  const int n = Items()->Count();
  if (n == 0) return;
  const int from = FListBox->ItemIndex();
  FListBox->SetItemIndex(std::max(0, std::min(from < 0 ? 0 : from + Delta, n - 1)));
}

void TbsSkinCustomComboBox::SelectStep(int Index) {
  if (Index < 0 || Index >= Items()->Count()) return;
  if (Index == ItemIndex() && Index == FItemIndex) return;
  SetItemIndex(Index);
}

void TbsSkinCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
  std::weak_ptr<bool> alive = FAlive;
  TbsSkinCustomControl::KeyDown(Key, Shift);
  if (alive.expired() || Key == 0) return;
  const bool alt = Shift.Contains(ssAlt);
  const int n = Items()->Count();
  const int i = ItemIndex();
  switch (Key) {
    case VK_RETURN:
      if (!DroppedDown()) return;
      CloseUp(true);
      break;
    case VK_ESCAPE:
      if (!DroppedDown()) return;
      CloseUp(false);
      break;
    case VK_UP:
    case VK_LEFT:
      if (alt) {
        CloseUp(false);
      } else if (n > 0) {
        SelectStep(i < 0 ? 0 : std::max(0, i - 1));
      }
      break;
    case VK_DOWN:
    case VK_RIGHT:
      if (alt) {
        if (!DroppedDown()) DropDown();
      } else if (n > 0) {
        SelectStep(std::min(i + 1, n - 1));
      }
      break;
    case VK_PRIOR:
      if (n > 0) SelectStep(std::max(0, std::max(i, 0) - (FDropDownCount + 1)));
      break;
    case VK_NEXT:
      if (n > 0) SelectStep(std::min(n - 1, std::max(i, 0) + FDropDownCount - 1));
      break;
    case VK_HOME:
      if (FEdit) return;
      if (n > 0) SelectStep(0);
      break;
    case VK_END:
      if (FEdit) return;
      if (n > 0) SelectStep(n - 1);
      break;
    default:
      return;
  }
  Key = 0;
}

void TbsSkinCustomComboBox::KeyPress(char32_t& Key) {
  TbsSkinCustomControl::KeyPress(Key);
  if (Key < 32 || Key == 127 || FEdit) return;
  TypeAhead(Key);
  Key = 0;
}

void TbsSkinCustomComboBox::TypeAhead(char32_t Ch) {
  // The prefix lives until half a second passes without a character (the timer's tick).
  if (FAutoComplete) {
    if (!FTypeAheadRunning) FPrefix.clear();
    FPrefix += Ch;
    FTypeAheadRunning = SetTimer(Handle(), TypeAheadTimerId, TypeAheadPause) != 0;
  } else {
    FPrefix.assign(1, Ch);
  }
  std::string prefix;
  for (char32_t c : FPrefix) prefix += Utf8Encode(c);
  const TStrings* items = Items();
  const int n = items->Count();
  if (n == 0) return;
  // One character steps on from the current item (repeating it walks the items that
  // start with it); a longer prefix searches from the top.
  const int start = FPrefix.size() == 1 ? std::max(0, ItemIndex() + 1) : 0;
  for (int k = 0; k < n; ++k) {
    const int row = (start + k) % n;
    if (StartsWithFolded((*items)[row], prefix)) {
      if (row != ItemIndex()) SetItemIndex(row);
      return;
    }
  }
}
