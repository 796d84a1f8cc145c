#include "skin/controls/SkinMenuSpeedButton.h"

#include "framework/graphics/Canvas.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/DefaultLook.h"
#include "skin/draw/SkinGlyphs.h"

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(TComponent* AOwner) : TbsSkinSpeedButton(AOwner) {
  FSkinDataName = "toolmenubutton";
}

TbsSkinMenuSpeedButton::~TbsSkinMenuSpeedButton() {
  if (FSkinPopupMenu) FSkinPopupMenu->RemoveFreeNotification(this);
}

void TbsSkinMenuSpeedButton::SetSkinPopupMenu(TPopupMenu* Value) {
  if (FSkinPopupMenu && FSkinPopupMenu != Value) FSkinPopupMenu->RemoveFreeNotification(this);
  FSkinPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TbsSkinMenuSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  TbsSkinSpeedButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSkinPopupMenu) FSkinPopupMenu = nullptr;
}

void TbsSkinMenuSpeedButton::SetTrackButtonMode(bool Value) {
  FTrackButtonMode = Value;
  if (FIndex == -1) Invalidate();
}

bool TbsSkinMenuSpeedButton::AcceptsRecord(const TbsDataSkinControl* Record) const {
  return TbsSkinSpeedButton::AcceptsRecord(Record);
}

void TbsSkinMenuSpeedButton::ReadSkinRecord() {
  TbsSkinSpeedButton::ReadSkinRecord();
  auto* r = Record<TbsDataSkinMenuButtonControl>();
  FTrackButtonSkinRect = r ? r->trackbuttonrect : TRect{};
}

TRect TbsSkinMenuSpeedButton::TrackButtonRect() {
  ReadSkinRecord();
  if (FIndex == -1 || IsNullRect(FTrackButtonSkinRect)) return Rect(Width() - DropWidth, 0, Width(), Height());
  TRect r = FTrackButtonSkinRect;
  const int dx = Width() - RectWidth(FSkinRect), dy = Height() - RectHeight(FSkinRect);
  // The area lies at the right end: it follows the right edge (also when both
  // directions stretch and it starts right of the stretched middle).
  if (FResizeMode == rmHorizontal || (FResizeMode == rmBoth && r.Left >= FPoints.RightTop.X)) OffsetRect(r, dx, 0);
  if (FResizeMode == rmVertical) OffsetRect(r, 0, dy);
  return r;
}

TRect TbsSkinMenuSpeedButton::ContentRect() const {
  return Rect(0, 0, std::max(0, Width() - DropWidth), Height());
}

TRect TbsSkinMenuSpeedButton::ArrowRect() const {
  if ((FDown && FMouseIn) || FMenuOpen) return Rect(Width() - 13, 2, Width(), Height());
  return Rect(Width() - DropWidth, 0, Width(), Height());
}

// ---- menu -------------------------------------------------------------------------------
bool TbsSkinMenuSpeedButton::OpenMenu() {
  std::weak_ptr<bool> alive = FButtonAlive;
  TPopupMenu* menu = FSkinPopupMenu;
  // The menu reports its closing to the control that opened it.
  menu->SetPopupComponent(this);
  // At the button's rectangle: below it, or above it where there is no room below.
  const TPoint topLeft = ClientToScreen(Point(0, 0));
  const bool opened = menu->PopupAtRect(Bounds(topLeft.X, topLeft.Y, Width(), Height()));
  if (alive.expired()) return false;
  if (!opened) {
    // Nothing opened (no items to show, or no one to show them), so nothing will
    // report a closing: the button comes up at once, and neither event fires.
    FMenuOpen = false;
    SetDown(false);
    Invalidate();
    return false;
  }
  if (OnShowTrackMenu) {
    TNotifyEvent handler = OnShowTrackMenu;
    handler(this);
  }
  return true;
}

void TbsSkinMenuSpeedButton::MenuClosed() {
  FMenuOpen = false;
  std::weak_ptr<bool> alive = FButtonAlive;
  SetDown(false);
  Invalidate();
  if (alive.expired() || !OnHideTrackMenu) return;
  TNotifyEvent handler = OnHideTrackMenu;
  handler(this);
}

void TbsSkinMenuSpeedButton::WndProc(TMessage& Message) {
  if (Message.Msg == SKINMSG_MENUCLOSED) {
    if (FMenuOpen) MenuClosed();
    return;
  }
  TbsSkinSpeedButton::WndProc(Message);
}

// ---- mouse ------------------------------------------------------------------------------
void TbsSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbLeft) {
    TbsSkinSpeedButton::MouseDown(Button, Shift, X, Y);
    return;
  }
  const bool hit = FSkinPopupMenu && (!FTrackButtonMode || PointInsideRect(TrackButtonRect(), Point(X, Y)));
  FMenuOpen = hit;
  FMenuPress = hit;
  FMouseIn = true;
  if (!hit) {
    TbsSkinSpeedButton::MouseDown(Button, Shift, X, Y);
    return;
  }
  // The menu holds the pointer from now on.
  SetMouseCapture(false);
  if (!FDown) SetDown(true);
  Invalidate();
  OpenMenu();
}

void TbsSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // The release of a press that opened the menu, or tried to, is no click.
  const bool menuPress = FMenuPress && Button == mbLeft;
  if (Button == mbLeft) FMenuPress = false;
  if (FMenuOpen || menuPress) return;
  TbsSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TbsSkinMenuSpeedButton::CMMouseEnter(TMessage& Message) {
  if (FMenuOpen) {
    FMouseIn = true;
    return;
  }
  TbsSkinSpeedButton::CMMouseEnter(Message);
}

void TbsSkinMenuSpeedButton::CMMouseLeave(TMessage& Message) {
  if (FMenuOpen) {
    FMouseIn = false;
    return;
  }
  TbsSkinSpeedButton::CMMouseLeave(Message);
}

// ---- painting ---------------------------------------------------------------------------
void TbsSkinMenuSpeedButton::DrawDefaultImage(TBitmap& B) {
  TCanvas* c = B.Canvas();
  const TRect all = ClientRect();
  const TRect main = ContentRect();
  const TRect drop = Rect(main.Right, 0, Width(), Height());
  const bool pressed = PressedLook();
  if (!FTrackButtonMode) {
    if (pressed)
      DrawDefaultFace(c, all, facePressed);
    else if (FMouseIn || FMenuOpen)
      DrawDefaultFace(c, all, faceHot);
    else if (Designing() || !FFlat)
      DrawDefaultFace(c, all, faceNormal);
    else if (!FTransparent)
      FillDefaultFace(c, all);
  } else if (FMenuOpen) {
    DrawDefaultFace(c, main, faceHot);
    DrawDefaultFace(c, drop, facePressed);
  } else if (pressed) {
    DrawDefaultFace(c, main, facePressed);
    DrawDefaultFace(c, drop, facePressed);
  } else if (FMouseIn) {
    DrawDefaultFace(c, main, faceHot);
    DrawDefaultFace(c, drop, faceHot);
  } else if (Designing() || !FFlat) {
    DrawDefaultFace(c, main, faceNormal);
    DrawDefaultFace(c, drop, faceNormal);
  } else if (!FTransparent) {
    FillDefaultFace(c, all);
  }
  UseDefaultFont(c->Font());
  DrawContent(c, main, pressed);
  DrawDropArrow(c, ArrowRect(), clBtnText);
}

void TbsSkinMenuSpeedButton::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TCanvas* canvas = Canvas();
  if (!canvas) return;
  ReadSkinRecord();
  const bool atRest = !FMouseIn && !FDown && !FMenuOpen;
  if (FTransparent && atRest) {
    // Caption, glyph and arrow straight over the parent.
    if (FIndex == -1) {
      UseDefaultFont(canvas->Font());
      DrawContent(canvas, ContentRect(), false);
      DrawDropArrow(canvas, ArrowRect(), clBtnText);
    } else {
      SetSkinCanvasFont(canvas, false, false);
      DrawGlyphAndText(canvas, FNew.Client, FMargin, false, GlyphCell(false, false, FEnabled, FNumGlyphs),
                       FNumGlyphs, FGlyph, ShownCaption(), FLayout, FSpacing);
      // The skin's images carry the arrow; none of them is drawn here.
      DrawDropArrow(canvas, TrackButtonRect(), canvas->Font()->Color());
    }
    return;
  }
  if (FIndex == -1) {
    TbsGraphicSkinCustomControl::Paint();
    return;
  }
  if (FTrackButtonMode && FMenuOpen) {
    // The active image, with the drop-down area taken from the down image.
    TBitmap B(Width(), Height()), down(Width(), Height());
    DrawButtonImage(B, FActiveSkinRect, true, false);
    DrawSkinRect(down, Picture(), FDownSkinRect);
    const TRect t = TrackButtonRect();
    B.Canvas()->CopyRect(t, &down, t);
    canvas->Draw(0, 0, &B);
    return;
  }
  TbsSkinSpeedButton::Paint();
}
