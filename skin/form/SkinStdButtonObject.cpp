#include "skin/draw/DefaultLook.h"
#include "skin/form/SkinStdButtonObject.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/menus/PopupMenu.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/draw/SkinGlyphs.h"
#include "skin/form/SkinForm.h"

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinForm* form, const TbsDataSkinStdButton* record)
    : TbsSkinButtonObject(form, record) {
  Skinned = record != nullptr;
  if (!record) return;
  Command = record->command;
  if (FActivePicture) {
    RestoreRect = record->restorerect;
    RestoreActiveRect = record->restoreactiverect;
    RestoreDownRect = record->restoredownrect;
    RestoreInActiveRect = record->restoreinactiverect;
  }
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinForm* form, const std::string& name, TStdCommand command)
    : TbsSkinButtonObject(form, nullptr) {
  IDName = name;
  Command = command;
  SkinRectInAPicture = true;
  SkinRect = ActiveSkinRect = InActiveSkinRect = Rect(0, 0, 1, 1);
  ObjectRect = SkinRect;
  FPicture = FActivePicture = nullptr;
}

bool TbsSkinStdButtonObject::InRestoreRole() const {
  if (!FForm) return false;
  switch (Command) {
    case cmMaximize: return FForm->WindowState() == TbsWindowState::wsMaximized;
    case cmMinimize: return FForm->WindowState() == TbsWindowState::wsMinimized;
    case cmRollUp: return FForm->RollUpState();
    default: return false;
  }
}

bool TbsSkinStdButtonObject::ShowsIcon() const {
  return Command == cmSysMenu && SkinRectInAPicture && FForm && FForm->ShowIcon();
}

bool TbsSkinStdButtonObject::MorphPending() const {
  return !ShowsIcon() && TbsSkinButtonObject::MorphPending();
}

void TbsSkinStdButtonObject::DrawDefault(TCanvas* canvas) {
  const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
  if (!canvas || w <= 0 || h <= 0) return;
  TBitmap b(w, h);
  TCanvas* c = b.Canvas();
  const bool pressed = Down && MouseIn;
  c->Pen()->Color = DefaultNavy;
  c->Brush()->Style = TBrushStyle::bsSolid;
  if (pressed || MouseIn) {
    c->Brush()->Color = pressed ? DefaultPressedFill : DefaultHotFill;
    c->Rectangle(0, 0, w, h);
  } else {
    c->Brush()->Color = ColorToRGB(clBtnFace);
    c->FillRect(Rect(0, 0, w, h));
  }
  int x = w / 2 - 5, y = h / 2 - 4;
  if (pressed) ++x, ++y;
  const TColor color = ColorToRGB(Enabled ? clBtnText : clBtnShadow);
  switch (Command) {
    case cmClose: DrawCloseGlyph(c, x, y, color); break;
    case cmMaximize:
      if (InRestoreRole()) DrawRestoreGlyph(c, x, y, color);
      else DrawMaximizeGlyph(c, x, y, color);
      break;
    case cmMinimize:
      if (InRestoreRole()) DrawRestoreGlyph(c, x, y, color);
      else DrawMinimizeGlyph(c, x, y, color);
      break;
    case cmSysMenu:
      if (ShowsIcon()) {
        const TIcon* icon = FForm->SmallIcon();
        icon->Draw(c, (w - icon->Width()) / 2, (h - icon->Height()) / 2);
      } else {
        DrawSysMenuGlyph(c, x, y, color);
      }
      break;
    case cmRollUp:
      if (InRestoreRole()) DrawRollDownGlyph(c, x, y, color);
      else DrawRollUpGlyph(c, x, y, color);
      break;
    case cmMinimizeToTray: DrawTrayGlyph(c, x, y, color); break;
    case cmDefault: break;
  }
  canvas->CopyRect(ObjectRect, &b, Rect(0, 0, w, h));
}

void TbsSkinStdButtonObject::DrawRestore(TCanvas* canvas) {
  if (!FormActive() && !IsNullRect(RestoreInActiveRect)) {
    DrawImage(canvas, FActivePicture, RestoreInActiveRect);
  } else if (Down && MouseIn && !IsNullRect(RestoreDownRect)) {
    DrawImage(canvas, FActivePicture, RestoreDownRect);
  } else if (Morphing && MorphInProgress() && !IsNullRect(RestoreActiveRect)) {
    DrawMorph(canvas, FActivePicture, RestoreRect, FActivePicture, RestoreActiveRect);
  } else if (Active && !IsNullRect(RestoreActiveRect)) {
    DrawImage(canvas, FActivePicture, RestoreActiveRect);
  } else {
    DrawImage(canvas, FActivePicture, RestoreRect);
  }
}

void TbsSkinStdButtonObject::Draw(TCanvas* canvas, bool direct) {
  if (!Skinned) {
    DrawDefault(canvas);
    return;
  }
  if (Enabled && (FormActive() || IsNullRect(InActiveSkinRect)) && ShowsIcon()) {
    MorphKf = 0;
    FForm->SmallIcon()->Draw(canvas, ObjectRect.Left, ObjectRect.Top);
    return;
  }
  if (Enabled && (FormActive() || IsNullRect(InActiveSkinRect)) && InRestoreRole() && !IsNullRect(RestoreRect)) {
    DrawRestore(canvas);
    return;
  }
  DrawButton(canvas, direct);
}

void TbsSkinStdButtonObject::MouseDown(int, int, TMouseButton Button) {
  if (!Enabled || Button != mbLeft || Down) return;
  SetDown(true);
  if (Command == cmSysMenu && FForm) {
    if (TPopupMenu* menu = FForm->BuildSystemMenu()) MenuItem = menu->Items();
  }
  PopupMenuItem();
}

void TbsSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button) {
  if (!Enabled) return;
  const bool wasDown = Down;
  if (Command == cmClose) {
    TbsSkinButtonObject::MouseUp(X, Y, Button);
    if (wasDown && MouseIn && Button == mbLeft && FForm) FForm->ObjectCommand(Command, this);
    return;
  }
  if (wasDown && MouseIn && Button == mbLeft && !MenuItem && FForm && Command != cmSysMenu)
    FForm->ObjectCommand(Command, this);
  TbsSkinButtonObject::MouseUp(X, Y, Button);
}

void TbsSkinStdButtonObject::DblClick() {
  if (Command == cmSysMenu && FForm) FForm->CloseForm();
}
