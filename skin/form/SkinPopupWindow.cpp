#include "skin/form/SkinPopupWindow.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/Region.h"
#include "framework/menus/Hotkeys.h"
#include "framework/menus/Menu.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Windows.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinGlyphs.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/SkinRegion.h"
#include "skin/form/SkinMenu.h"

namespace {
constexpr LRESULT MaNoActivate = 3;  // the platform's MA_NOACTIVATE
constexpr int SeparatorHeight = 4;
constexpr int DefaultShortCutMargin = 19;
constexpr int SkinnedShortCutMargin = 16;

// The menu-item record of a skin: the one named "menuitem", else the first of its kind.
const TbsDataSkinMenuItem* FindMenuItemRecord(const TbsSkinData* skin) {
  if (!skin || skin->SkinEmpty) return nullptr;
  if (auto* r = skin->ObjectRecord<TbsDataSkinMenuItem>(skin->FindObjectIndex("menuitem"))) return r;
  for (const auto& r : skin->ObjectRecords)
    if (auto* m = r->As<TbsDataSkinMenuItem>()) return m;
  return nullptr;
}
}  // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu* menu, TbsSkinData* skinData)
    : TCustomControl(menu), FMenu(menu), FSkinData(skinData) {
  FVisible = false;
  FControlStyle = {csOpaque};
  if (skinData && !skinData->SkinEmpty && skinData->PopupRecord &&
      skinData->IsValidPictureIndex(skinData->PopupRecord->windowpictureindex)) {
    FRecord = skinData->PopupRecord.get();
    FWindowPicture = skinData->PictureList[size_t(FRecord->windowpictureindex)].get();
    if (skinData->IsValidPictureIndex(FRecord->maskpictureindex))
      FMaskPicture = skinData->PictureList[size_t(FRecord->maskpictureindex)].get();
    FSkinned = !FWindowPicture->Empty();
  }
  FItemRecord = FindMenuItemRecord(skinData);
}

TbsSkinPopupWindow::~TbsSkinPopupWindow() = default;

void TbsSkinPopupWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = (p.Style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
}

TbsSkinMenuItem* TbsSkinPopupWindow::Items(int index) const {
  return index >= 0 && index < ItemCount() ? FItems[size_t(index)].get() : nullptr;
}

int TbsSkinPopupWindow::IndexOfMenuItem(const TMenuItem* item) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (FItems[size_t(i)]->MenuItem() == item) return i;
  return -1;
}

void TbsSkinPopupWindow::PrepareFont(TCanvas* c, const TbsSkinMenuItem* item) const {
  TFont* f = c->Font();
  f->Assign(FMenu->ItemFont());
  if (FSkinned && FItemRecord && FMenu->UseSkinFont()) {
    f->SetName(FItemRecord->fontname);
    f->SetHeight(FItemRecord->fontheight);
    f->SetStyle(FItemRecord->fontstyle);
  }
  if (FSkinData && FSkinData->ResourceStrData()) f->SetCharset(FSkinData->ResourceStrData()->CharSet());
  if (item && item->MenuItem() && item->MenuItem()->Default()) f->SetStyle(f->Style() + fsBold);
}

void TbsSkinPopupWindow::Build(const std::vector<TMenuItem*>& sources, int firstIndex, const TRect& workArea) {
  FItems.clear();
  FImages = nullptr;
  int index = 0;
  for (TMenuItem* source : sources) {
    if (!source) continue;
    if (!FImages && source->GetParentMenu()) FImages = source->GetParentMenu()->Images();
    for (int i = 0; i < source->Count(); ++i, ++index) {
      TMenuItem* mi = source->Items(i);
      mi->InitiateAction();
      if (index < firstIndex || !mi->Visible()) continue;
      FItems.push_back(std::make_unique<TbsSkinMenuItem>(this, mi, FSkinned ? FItemRecord : nullptr, FSkinData));
      FMenu->FreeNotification(mi);
    }
  }
  const bool skinnedItems = FSkinned && FItemRecord;
  FGlyphWidth = FImages ? FImages->Width() + 5 : (skinnedItems ? 16 : 19);

  TBitmap measure(1, 1);
  TCanvas* c = measure.Canvas();
  int sum = 0, widest = 0;
  for (auto& it : FItems) {
    TMenuItem* mi = it->MenuItem();
    int h = FMenu->ItemHeight();
    if (skinnedItems) h = mi->IsLine() ? RectHeight(FItemRecord->dividerrect) : RectHeight(FItemRecord->skinrect);
    else if (mi->IsLine()) h = SeparatorHeight;
    h = std::max(h, 1);
    it->ItemRect = Rect(0, 0, 0, h);
    sum += h;
    if (mi->IsLine()) continue;
    PrepareFont(c, it.get());
    std::string text = StripHotkey(mi->Caption());
    const std::string sc = ShortCutToText(mi->ShortCut());
    if (!sc.empty()) text += "  " + sc;
    const int tw = c->TextWidth(text) + 2;
    int need = tw + FGlyphWidth + DefaultShortCutMargin + 10;
    if (skinnedItems) {
      const TbsDataSkinMenuItem& r = *FItemRecord;
      need = r.textrect.Left + FGlyphWidth + tw + SkinnedShortCutMargin + (RectWidth(r.skinrect) - r.textrect.Right);
    }
    widest = std::max(widest, need);
  }
  int w = 0, h = 0;
  if (FSkinned) {
    const TRect ir = FRecord->itemsrect;
    w = widest + (FWindowPicture->Width() - RectWidth(ir));
    h = sum + (FWindowPicture->Height() - RectHeight(ir));
  } else {
    w = widest;
    h = sum + 4;
  }
  FScrolling = workArea.Height() > 0 && h > workArea.Height();
  if (FScrolling) h = workArea.Height();
  FFirstVisible = 0;
  if (FSkinned) {
    const TRect ir = FRecord->itemsrect;
    FItemsRect = Rect(ir.Left, ir.Top, w - (FWindowPicture->Width() - ir.Right), h - (FWindowPicture->Height() - ir.Bottom));
  } else {
    FItemsRect = Rect(2, 2, w - 2, h - 2);
  }
  SetBounds(Left(), Top(), w, h);
  LayoutItems();
  ApplyShape();
}

void TbsSkinPopupWindow::LayoutItems() {
  const int zone = FScrolling ? ScrollZone : 0;
  int y = FItemsRect.Top + zone;
  const int limit = FItemsRect.Bottom - zone;
  bool running = true;
  FVisibleCount = 0;
  for (int i = 0; i < ItemCount(); ++i) {
    TbsSkinMenuItem* it = FItems[size_t(i)].get();
    const int h = RectHeight(it->ItemRect);
    it->VisibleInWindow = false;
    if (i < FFirstVisible || !running) continue;
    if (y + h > limit) {
      running = false;
      continue;
    }
    it->ItemRect = Rect(FItemsRect.Left, y, FItemsRect.Right, y + h);
    it->VisibleInWindow = true;
    y += h;
    ++FVisibleCount;
  }
}

void TbsSkinPopupWindow::ApplyShape() {
  if (!FSkinned || !FMaskPicture || FMaskPicture->Empty()) return;
  const TbsDataSkinPopupWindow& r = *FRecord;
  const int dx = Width() - FMaskPicture->Width(), dy = Height() - FMaskPicture->Height();
  TRect ncl = r.itemsrect;
  ncl.Right += dx;
  ncl.Bottom += dy;
  auto region = CreateFrameMaskRegion(r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint,
                                      r.itemsrect, r.lefttoppoint, Point(r.righttoppoint.X + dx, r.righttoppoint.Y),
                                      Point(r.leftbottompoint.X, r.leftbottompoint.Y + dy),
                                      Point(r.rightbottompoint.X + dx, r.rightbottompoint.Y + dy), ncl, Width(),
                                      Height(), *FMaskPicture);
  if (region) SetWindowRgn(Handle(), region.get(), true);
}

void TbsSkinPopupWindow::ShowAt(const TRect& a, const TRect& wa, bool subMenu, bool upward) {
  const int w = Width(), h = Height();
  const int itemsTop = FItemsRect.Top;
  const bool upperHalf = a.Top < wa.Top + wa.Height() / 2;
  int y = 0;
  FDisplaced = false;
  if (FScrolling) {
    y = wa.Top;
  } else if (subMenu) {
    if (a.Top - itemsTop + h <= wa.Bottom) y = a.Top - itemsTop;
    else if (upperHalf) y = wa.Bottom - h;
    else y = std::max(a.Bottom + itemsTop - h, wa.Top);
  } else if (upward) {
    if (a.Top - h >= wa.Top) {
      y = a.Top - h;
    } else {
      FDisplaced = true;
      if (upperHalf) y = a.Bottom + h <= wa.Bottom ? a.Bottom : wa.Bottom - h;
      else y = wa.Top;
    }
  } else {
    if (a.Bottom + h <= wa.Bottom) {
      y = a.Bottom;
    } else if (upperHalf) {
      y = wa.Bottom - h;
      FDisplaced = true;
    } else if (a.Top - h >= wa.Top) {
      y = a.Top - h;
    } else {
      y = wa.Top;
      FDisplaced = true;
    }
  }
  int x = 0;
  if (subMenu || FScrolling || FDisplaced) {
    x = a.Right + w + 1 <= wa.Right ? a.Right + 1 : a.Left - w - 1;
  } else {
    x = a.Left;
  }
  // Whatever the rule chose, the window stays inside the work area.
  x = std::max(wa.Left, std::min(x, wa.Right - w));
  y = std::max(wa.Top, std::min(y, wa.Bottom - h));
  SetBounds(x, y, w, h);
  SetWindowPos(Handle(), HWND_TOPMOST, x, y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  FVisible = true;
  GetCursorPos(FLastMouse);
  SetTimer(Handle(), MouseTimerId, 50);
  for (int i = 0; i < ItemCount(); ++i)
    if (FItems[size_t(i)]->Selectable()) {
      SetActive(i, false, true);
      break;
    }
}

int TbsSkinPopupWindow::ItemAtPos(TPoint p) const {
  for (int i = 0; i < ItemCount(); ++i) {
    const TbsSkinMenuItem* it = FItems[size_t(i)].get();
    if (it->VisibleInWindow && PtInRect(it->ItemRect, p)) return i;
  }
  return -1;
}

TRect TbsSkinPopupWindow::ItemScreenRect(int index) const {
  const TbsSkinMenuItem* it = Items(index);
  if (!it) return TRect{};
  TPoint tl = ClientToScreen(it->ItemRect.TopLeft());
  return Rect(tl.X, tl.Y, tl.X + RectWidth(it->ItemRect), tl.Y + RectHeight(it->ItemRect));
}

void TbsSkinPopupWindow::RedrawItem(int index) {
  TbsSkinMenuItem* it = Items(index);
  if (!it || !it->VisibleInWindow || !HandleAllocated()) return;
  it->Draw(Canvas());
}

void TbsSkinPopupWindow::StartMorph() {
  if (HandleAllocated()) SetTimer(Handle(), MorphTimerId, 20);
}

void TbsSkinPopupWindow::MorphTimerTick() {
  bool any = false;
  for (int i = 0; i < ItemCount(); ++i)
    if (FItems[size_t(i)]->MorphStep()) {
      any = true;
      RedrawItem(i);
    }
  if (!any) KillTimer(Handle(), MorphTimerId);
}

namespace {
void RefreshItem(TbsSkinPopupWindow* w, TbsSkinMenuItem* it, int index) {
  if (it->Morphing()) w->StartMorph();
  else w->RedrawItem(index);
}
}  // namespace

void TbsSkinPopupWindow::SelectItem(int index, bool byMouse) {
  TbsSkinMenuItem* it = Items(index);
  if (!it) return;
  it->Active = true;
  for (int i = 0; i < ItemCount(); ++i) {
    TbsSkinMenuItem* other = FItems[size_t(i)].get();
    if (i != index && other->SubMenuOpen) {
      other->SubMenuOpen = false;
      RefreshItem(this, other, i);
    }
  }
  const int level = FMenu->LevelOf(this);
  if (it->SubMenuOpen) {
    FMenu->CloseToLevel(level + 2);
    return;
  }
  RefreshItem(this, it, index);
  FMenu->CloseToLevel(level + 1);
  if (!it->HasSubItems()) FMenu->CancelPending(nullptr);
  else if (byMouse) FMenu->ArmSubMenu(it);
}

void TbsSkinPopupWindow::DeselectItem(int index) {
  TbsSkinMenuItem* it = Items(index);
  if (!it) return;
  it->Active = false;
  it->KeyboardSelected = false;
  if (!it->SubMenuOpen) RefreshItem(this, it, index);
  FMenu->CancelPending(it);
}

void TbsSkinPopupWindow::SetActive(int index, bool byMouse, bool keyboardMark) {
  TbsSkinMenuItem* it = Items(index);
  if (!it) return;
  const int old = FActiveIndex;
  FOldActiveIndex = old;
  FActiveIndex = index;
  if (old != index)
    if (TbsSkinMenuItem* prev = Items(old); prev && prev->Selectable()) DeselectItem(old);
  if (it->Selectable()) {
    it->KeyboardSelected = keyboardMark;
    SelectItem(index, byMouse);
  }
}

void TbsSkinPopupWindow::ClickItem(int index) {
  TbsSkinMenuItem* it = Items(index);
  if (!it || !it->Selectable() || it->SubMenuOpen) return;
  TMenuItem* mi = it->MenuItem();
  if (!it->HasSubItems()) {
    FMenu->Activate(mi);  // closes every window, this one too
    return;
  }
  std::weak_ptr<bool> alive = FMenu->AliveToken();
  if (TMenu* m = mi->GetParentMenu()) m->DispatchCommand(mi->Command());
  else mi->Click();
  if (alive.expired() || FMenu->LevelOf(this) < 0) return;
  const int now = IndexOfMenuItem(mi);
  if (now >= 0) FMenu->OpenSubMenu(this, now);
}

bool TbsSkinPopupWindow::ProcessChar(char32_t ch) {
  if (!Visible()) return false;
  for (int i = 0; i < ItemCount(); ++i) {
    TbsSkinMenuItem* it = FItems[size_t(i)].get();
    if (it->MenuItem() && !it->IsSeparator() && IsAccel(ch, it->MenuItem()->Caption())) {
      if (!it->Selectable()) return true;
      ScrollTo(i);
      SetActive(i, false, true);
      ClickItem(i);
      return true;
    }
  }
  return false;
}

bool TbsSkinPopupWindow::ProcessKey(Word key) {
  if (!Visible()) return false;
  switch (key) {
    case VK_RETURN:
      ClickItem(FActiveIndex);
      return true;
    case VK_RIGHT:
      if (TbsSkinMenuItem* it = ActiveItem(); it && it->HasSubItems()) ClickItem(FActiveIndex);
      return true;
    case VK_DOWN:
    case VK_UP: {
      const int n = ItemCount();
      if (n == 0) return true;
      const bool down = key == VK_DOWN;
      int start = 0;
      if (down) start = (FActiveIndex < 0 || FActiveIndex >= n - 1) ? 0 : FActiveIndex + 1;
      else start = (FActiveIndex <= 0) ? n - 1 : FActiveIndex - 1;
      for (int i = start; i >= 0 && i < n; i += down ? 1 : -1)
        if (FItems[size_t(i)]->Selectable()) {
          ScrollTo(i);
          SetActive(i, false, true);
          break;
        }
      return true;
    }
    default:
      return false;
  }
}

void TbsSkinPopupWindow::ScrollTo(int index) {
  if (!FScrolling || index < 0 || index >= ItemCount()) return;
  if (FItems[size_t(index)]->VisibleInWindow) return;
  if (index < FFirstVisible) {
    FFirstVisible = index;
  } else {
    while (FFirstVisible < index) {
      ++FFirstVisible;
      LayoutItems();
      if (FItems[size_t(index)]->VisibleInWindow) break;
    }
  }
  LayoutItems();
  Repaint();
}

void TbsSkinPopupWindow::MouseTimerTick() {
  TPoint p;
  if (!GetCursorPos(p) || p == FLastMouse) return;
  FLastMouse = p;
  if (WindowFromPoint(p) == HandleValue()) TrackPoint(ScreenToClient(p));
  else if (FScrollState != 0) StopScroll();
}

void TbsSkinPopupWindow::TrackPoint(TPoint p) {
  if (FScrolling) {
    const bool inX = p.X >= FItemsRect.Left && p.X < FItemsRect.Right;
    const bool top = inX && p.Y >= FItemsRect.Top && p.Y < FItemsRect.Top + ScrollZone;
    const bool bottom = inX && p.Y >= FItemsRect.Bottom - ScrollZone && p.Y < FItemsRect.Bottom;
    if (top && FFirstVisible > 0) {
      if (FScrollState != 1) StartScroll(1);
      return;
    }
    if (bottom && FFirstVisible + FVisibleCount < ItemCount()) {
      if (FScrollState != 2) StartScroll(2);
      return;
    }
    if (FScrollState != 0) StopScroll();
  }
  const int index = ItemAtPos(p);
  if (index < 0) return;
  TbsSkinMenuItem* it = FItems[size_t(index)].get();
  if (index == FActiveIndex) {
    if (it->KeyboardSelected) {
      it->KeyboardSelected = false;
      if (it->HasSubItems() && it->Selectable()) SelectItem(index, true);
    }
    return;
  }
  SetActive(index, true, false);
}

void TbsSkinPopupWindow::StartScroll(int state) {
  FMenu->CloseToLevel(FMenu->LevelOf(this) + 1);
  FScrollState = state;
  SetTimer(Handle(), ScrollTimerId, 100);
  Repaint();
}

void TbsSkinPopupWindow::StopScroll() {
  FScrollState = 0;
  if (HandleAllocated()) KillTimer(Handle(), ScrollTimerId);
  Repaint();
}

void TbsSkinPopupWindow::ScrollTimerTick() {
  if (FScrollState == 1 && FFirstVisible > 0) {
    --FFirstVisible;
  } else if (FScrollState == 2 && FFirstVisible + FVisibleCount < ItemCount()) {
    ++FFirstVisible;
  } else {
    StopScroll();
    return;
  }
  LayoutItems();
  Repaint();
}

void TbsSkinPopupWindow::DrawBackground(TCanvas* c) {
  const int w = Width(), h = Height();
  if (FSkinned) {
    const TbsDataSkinPopupWindow& r = *FRecord;
    const int pw = FWindowPicture->Width(), ph = FWindowPicture->Height();
    const int dx = w - pw, dy = h - ph;
    TRect ncl = r.itemsrect;
    ncl.Right += dx;
    ncl.Bottom += dy;
    TBitmap back;
    BuildStretchSkinImage(r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint, r.itemsrect,
                          r.lefttoppoint, Point(r.righttoppoint.X + dx, r.righttoppoint.Y),
                          Point(r.leftbottompoint.X, r.leftbottompoint.Y + dy),
                          Point(r.rightbottompoint.X + dx, r.rightbottompoint.Y + dy), ncl, *FWindowPicture, back,
                          Rect(0, 0, pw, ph), w, h, true, r.leftstretch, r.topstretch, r.rightstretch,
                          r.bottomstretch);
    c->CopyRect(Rect(0, 0, w, h), &back, Rect(0, 0, w, h));
    return;
  }
  c->Brush()->Style = TBrushStyle::bsSolid;
  c->Brush()->Color = ColorToRGB(clBtnFace);
  c->FillRect(Rect(0, 0, FGlyphWidth + 2, h));
  c->Brush()->Color = ColorToRGB(clWindow);
  c->FillRect(Rect(FGlyphWidth + 2, 0, w, h));
  c->Brush()->Color = ColorToRGB(clBtnShadow);
  c->FrameRect(Rect(0, 0, w, h));
  c->Brush()->Color = ColorToRGB(clWindow);
  c->FrameRect(Rect(1, 1, w - 1, h - 1));
}

void TbsSkinPopupWindow::DrawScrollMarkers(TCanvas* c) {
  if (!FScrolling) return;
  const int w = Width(), h = Height();
  TRect up = Rect(3, 3, w - 3, 13), down = Rect(3, h - 10, w - 3, h - 3);
  TColor normal = ColorToRGB(clBtnShadow), active = ColorToRGB(clBtnText);
  if (FSkinned) {
    up = Rect(FItemsRect.Left, FItemsRect.Top, FItemsRect.Right, FItemsRect.Top + ScrollZone);
    down = Rect(FItemsRect.Left, FItemsRect.Bottom - ScrollZone, FItemsRect.Right, FItemsRect.Bottom);
    normal = FRecord->scrollmarkercolor;
    active = FRecord->scrollmarkeractivecolor;
  }
  DrawArrow(c, up, FScrollState == 1 ? active : normal, adUp);
  DrawArrow(c, down, FScrollState == 2 ? active : normal, adDown);
}

void TbsSkinPopupWindow::PaintImage(TBitmap& out) {
  out.SetSize(Width(), Height());
  TCanvas* c = out.Canvas();
  DrawBackground(c);
  for (auto& it : FItems)
    if (it->VisibleInWindow) it->Draw(c);
  DrawScrollMarkers(c);
}

void TbsSkinPopupWindow::Paint() {
  PaintImage(FImage);
  Canvas()->CopyRect(Rect(0, 0, Width(), Height()), &FImage, Rect(0, 0, FImage.Width(), FImage.Height()));
}

void TbsSkinPopupWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      m.Result = MaNoActivate;
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_TIMER:
      if (const WPARAM id = TTimerMessage(m).TimerId; id == MouseTimerId) MouseTimerTick();
      else if (id == MorphTimerId) MorphTimerTick();
      else if (id == ScrollTimerId) ScrollTimerTick();
      return;
    case WM_LBUTTONUP: {
      const TPoint p = TMouseMessage(m).Pos;
      const int index = ItemAtPos(p);
      if (index < 0) return;
      if (index != FActiveIndex) SetActive(index, true, false);
      ClickItem(index);  // may free this window
      return;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return;  // the cursor is polled; pop-ups never capture the mouse
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

void TbsSkinPopupWindow::ForgetMenuItem(const TMenuItem* item) {
  for (auto& it : FItems)
    if (it->MenuItem() == item) {
      it->Detach();
      it->Active = it->SubMenuOpen = it->KeyboardSelected = false;
    }
}

void TbsSkinPopupWindow::Shutdown() {
  if (HandleAllocated()) {
    KillTimer(Handle(), MouseTimerId);
    KillTimer(Handle(), MorphTimerId);
    KillTimer(Handle(), ScrollTimerId);
    ShowWindow(Handle(), SW_HIDE);
  }
  FVisible = false;
  FScrollState = 0;
}
