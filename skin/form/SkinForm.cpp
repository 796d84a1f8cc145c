#include "skin/form/SkinForm.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/menus/PopupMenu.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "framework/windows/Windows.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/SkinGeometry.h"
#include "skin/form/SkinAnimateObject.h"
#include "skin/form/SkinCaptionObject.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinPopupWindow.h"
#include "skin/form/SkinStdButtonObject.h"
#include "skin/form/UserObject.h"

namespace {
std::unique_ptr<TTimer> MakeTimer(unsigned ms, std::function<void()> tick) {
  auto t = std::make_unique<TTimer>(nullptr);
  t->SetEnabled(false);
  t->SetInterval(ms);
  t->OnTimer = [tick = std::move(tick)](TObject*) { tick(); };
  return t;
}

void SetFont(TFont& f, const char* name, int height, TFontStyles style, TColor color) {
  f.SetName(name);
  f.SetHeight(height);
  f.SetStyle(style);
  f.SetColor(color);
}

bool ClosesMenus(UINT msg) {
  switch (msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE:
    case WM_MOUSEACTIVATE: case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
      return true;
    default:
      return false;
  }
}
}  // namespace

TbsSkinForm* FindSkinForm(const TComponent* form) {
  if (!form) return nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* sf = dynamic_cast<TbsSkinForm*>(form->Components(i))) return sf;
  return nullptr;
}

TbsSkinForm::TbsSkinForm(TComponent* AOwner) : TComponent(AOwner) {
  FForm = dynamic_cast<TCustomForm*>(AOwner);
  SetFont(FDefCaptionFont, "Arial", 14, {fsBold}, clBtnText);
  SetFont(FDefInActiveCaptionFont, "Arial", 14, {fsBold}, clBtnShadow);
  {
    std::weak_ptr<bool> alive = FAlive;
    FDefCaptionFont.OnChange = FDefInActiveCaptionFont.OnChange = [this, alive](TObject*) {
      if (!alive.expired()) CaptionFontChanged();
    };
  }
  FMorphTimer = MakeTimer(20, [this] { MorphTimerTick(); });
  FAnimationTimer = MakeTimer(TbsSkinAnimateObject::TimerStep, [this] { AnimationTimerTick(); });
  FHoverTimer = MakeTimer(50, [this] { HoverTimerTick(); });
  if (FForm) {
    FForm->SetBorderIcons({});
    FForm->SetAutoSize(false);
    FForm->SetAutoScroll(false);
    std::weak_ptr<bool> alive = FAlive;
    FForm->OnShortCut = [this, alive](TMessage& m, bool& handled) {
      if (!alive.expired()) ShortCut(m, handled);
    };
  }
  FDefaultSystemMenu = new TPopupMenu(this);
  FSkinMenu = new TbsSkinMenu(this);
  FMagneticSize = 5;
  FBorderIcons = {biSystemMenu, biMinimize, biMaximize, biRollUp};
  InstallSkinPopupHandler();
  if (FForm && !ComponentState().Contains(csDesigning)) {
    FHook.Hook(FForm, [this](TMessage& m) { HookWndProc(m); });
    if (FForm->HandleAllocated()) {
      const HWND h = FForm->HandleValue();
      SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) & ~LONG(WS_CAPTION));
      SetWindowPos(h, 0, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
  }
}

TbsSkinForm::~TbsSkinForm() {
  *FAlive = false;
  for (TTimer* t : {FMorphTimer.get(), FAnimationTimer.get(), FHoverTimer.get()}) t->SetEnabled(false);
  if (FSkinMenu) FSkinMenu->CloseToLevel(0);
  if (FHandlerInstalled) {
    Application->OnMessage = FSavedOnMessage;
    FHandlerInstalled = false;
  }
  Unhook();
  FObjects.clear();
}

void TbsSkinForm::Unhook() { FHook.Unhook(); }

void TbsSkinForm::Destroying() {
  if (!IsDestroying()) {
    // The form goes: nothing of ours may run on its messages from here on.
    for (TTimer* t : {FMorphTimer.get(), FAnimationTimer.get(), FHoverTimer.get()}) t->SetEnabled(false);
    if (FSkinMenu) FSkinMenu->CloseToLevel(0);
    FMenuOpen = false;
    if (FHandlerInstalled) {
      Application->OnMessage = FSavedOnMessage;
      FHandlerInstalled = false;
    }
    Unhook();
  }
  TComponent::Destroying();
}

void TbsSkinForm::Loaded() {
  TComponent::Loaded();
  if (FSkinData) ApplySkin();
}

void TbsSkinForm::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FSkinData) {
    FSkinData = nullptr;
    FSkinActive = false;
    FFrame.Skinned = false;
    ClearObjects();
    // Freed under a living form: as a change to no skin, the old shape and margins go
    // and the default frame comes back. A form on its way out needs none of that.
    if (!IsDestroying() && FForm && !FForm->IsDestroying() && !ComponentState().Contains(csDesigning)) {
      std::weak_ptr<bool> alive = FAlive;
      if (!FMenusSkinData) CloseSkinMenus();  // the open menus draw from it
      if (!alive.expired()) ApplySkin();
    }
  }
  if (AComponent == FMenusSkinData) FMenusSkinData = nullptr;
  if (AComponent == FSystemMenu) FSystemMenu = nullptr;
  if (AComponent == FDefaultSystemMenu) FDefaultSystemMenu = nullptr;
  if (AComponent == FSkinMenu) FSkinMenu = nullptr;
  if (AComponent == FTrayMenu) FTrayMenu = nullptr;
  if (FSkinHint && AComponent == static_cast<void*>(FSkinHint)) FSkinHint = nullptr;
}

// ---- properties -----------------------------------------------------------------------

void TbsSkinForm::SetSkinData(TbsSkinData* v) {
  if (FSkinData == v) return;
  if (FSkinData) RemoveFreeNotification(FSkinData);
  FSkinData = v;
  if (v) FreeNotification(v);
  if (!ComponentState().Contains(csDesigning) && !IsLoading()) ApplySkin();
}

void TbsSkinForm::SetMenusSkinData(TbsSkinData* v) {
  if (FMenusSkinData) RemoveFreeNotification(FMenusSkinData);
  FMenusSkinData = v;
  if (v) FreeNotification(v);
}

TbsSkinData* TbsSkinForm::MenuSkinData() const { return FMenusSkinData ? FMenusSkinData : FSkinData; }

void TbsSkinForm::SetBorderIcons(TbsBorderIcons v) {
  FBorderIcons = v;
  if (!FSkinActive) CreateDefaultButtons();
  else ApplyButtonVisibility();
  if (FForm && FForm->HandleAllocated()) FForm->Perform(WM_NCPAINT, 0, 0);
}

void TbsSkinForm::SetHideCaptionButtons(bool v) {
  FHideCaptionButtons = v;
  ApplyButtonVisibility();
}

void TbsSkinForm::SetShowIcon(bool v) {
  FShowIcon = v;
  FSmallIcon.Clear();  // copied again from the icon of the moment
  if (FForm && FForm->HandleAllocated() && !IsLoading()) FForm->Perform(WM_NCPAINT, 0, 0);
}

TPoint TbsSkinForm::SmallIconSize() {
  TPoint size = Point(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  if (size.X <= 0 || size.Y <= 0) size = Point(GetSystemMetrics(SM_CXSIZE), GetSystemMetrics(SM_CYSIZE));
  return size;
}

const TIcon* TbsSkinForm::SmallIcon() {
  if (FSmallIcon.Empty()) {
    const TIcon* source = FForm ? FForm->Icon() : nullptr;
    if (!source || source->Empty()) source = Application->Icon();
    if (!source || source->Empty()) source = StandardApplicationIcon();
    const TPoint size = SmallIconSize();
    FSmallIcon.AssignScaled(source, size.X, size.Y);
  }
  return &FSmallIcon;
}

// The default frame draws its caption with these fonts; a skinned frame does not.
void TbsSkinForm::CaptionFontChanged() {
  if (!FForm || !FForm->HandleAllocated() || IsLoading() || ComponentState().Contains(csDesigning) || SkinFrame())
    return;
  FForm->Perform(WM_NCPAINT, 0, 0);
}

void TbsSkinForm::SetUseDefaultObjectHint(bool v) {
  FUseDefaultObjectHint = v;
  FillObjectHints();
}

bool TbsSkinForm::UseSkinFontInMenu() const { return FSkinMenu ? FSkinMenu->UseSkinFont() : true; }
void TbsSkinForm::SetUseSkinFontInMenu(bool v) {
  if (FSkinMenu) FSkinMenu->SetUseSkinFont(v);
}
int TbsSkinForm::DefMenuItemHeight() const { return FSkinMenu ? FSkinMenu->ItemHeight() : 20; }
void TbsSkinForm::SetDefMenuItemHeight(int v) {
  if (FSkinMenu) FSkinMenu->SetItemHeight(v);
}
TFont* TbsSkinForm::DefMenuItemFont() { return FSkinMenu ? FSkinMenu->ItemFont() : nullptr; }

void TbsSkinForm::SetMenusAlphaBlend(bool v) {
  FMenusAlphaBlend = v;
  if (FSkinMenu) FSkinMenu->SetAlphaBlend(v);
}
void TbsSkinForm::SetMenusAlphaBlendAnimation(bool v) {
  FMenusAlphaBlendAnimation = v;
  if (FSkinMenu) FSkinMenu->SetAlphaBlendAnimation(v);
}
void TbsSkinForm::SetMenusAlphaBlendValue(Byte v) {
  FMenusAlphaBlendValue = v;
  if (FSkinMenu) FSkinMenu->SetAlphaBlendValue(v);
}

void TbsSkinForm::SetSystemMenu(TPopupMenu* v) {
  if (FSystemMenu) RemoveFreeNotification(FSystemMenu);
  FSystemMenu = v;
  if (v) FreeNotification(v);
}

// ---- objects ----------------------------------------------------------------------------

TbsActiveSkinObject* TbsSkinForm::Objects(int index) const {
  return index >= 0 && index < ObjectCount() ? FObjects[size_t(index)].get() : nullptr;
}

int TbsSkinForm::IndexOfObject(const std::string& idName) const {
  for (int i = 0; i < ObjectCount(); ++i)
    if (FObjects[size_t(i)]->IDName == idName) return i;
  return -1;
}

bool TbsSkinForm::FormActive() const {
  return FAlwaysActive || FMouseActivating || (FForm && FForm->Active()) ||
         (FSkinMenu && FSkinMenu->IsMenuWindow(GetActiveWindow()));
}

bool TbsSkinForm::ToOwnMenu(const TMessage& m) const {
  if (!FSkinMenu || FSkinMenu->LevelCount() == 0) return false;
  // Activation or focus that went to one of our own menu windows is no reason to close.
  switch (m.Msg) {
    case WM_ACTIVATE:
      return !TActivateMessage(m).Active() && FSkinMenu->IsMenuWindow(GetActiveWindow());
    case WM_KILLFOCUS:
      return FSkinMenu->IsMenuWindow(HWND(m.WParam)) || FSkinMenu->IsMenuWindow(GetFocus()) ||
             FSkinMenu->IsMenuWindow(GetActiveWindow());
    case WM_MOUSEACTIVATE:
      return FSkinMenu->IsMenuWindow(HWND(m.WParam));
    default:
      return false;
  }
}

void TbsSkinForm::StartMorphTimer() { FMorphTimer->SetEnabled(true); }
void TbsSkinForm::StartAnimationTimer() { FAnimationTimer->SetEnabled(true); }

void TbsSkinForm::ClearObjects() {
  FHotIndex = FOldHotIndex = FPressedIndex = -1;
  FObjects.clear();
}

void TbsSkinForm::CreateSkinObjects() {
  ClearObjects();
  if (!FSkinData) return;
  for (const auto& rec : FSkinData->ObjectRecords) {
    const TbsDataSkinObject* r = rec.get();
    if (r->As<TbsDataSkinMainMenuBarButton>() || r->As<TbsDataSkinMainMenuItem>() || r->As<TbsDataSkinMenuItem>())
      continue;
    if (auto* sb = r->As<TbsDataSkinStdButton>())
      FObjects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, sb));
    else if (auto* b = r->As<TbsDataSkinButton>())
      FObjects.push_back(std::make_unique<TbsSkinButtonObject>(this, b));
    else if (auto* c = r->As<TbsDataSkinCaption>())
      FObjects.push_back(std::make_unique<TbsSkinCaptionObject>(this, c));
    else if (auto* a = r->As<TbsDataSkinAnimate>())
      FObjects.push_back(std::make_unique<TbsSkinAnimateObject>(this, a));
    else if (auto* u = r->As<TbsDataUserObject>())
      FObjects.push_back(std::make_unique<TbsUserObject>(this, u));
  }
}

void TbsSkinForm::CreateDefaultButtons() {
  ClearObjects();
  const std::pair<const char*, TStdCommand> buttons[] = {
      {"closebutton", cmClose},   {"maxbutton", cmMaximize},   {"minbutton", cmMinimize},
      {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
  for (const auto& [name, command] : buttons)
    FObjects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, name, command));
  ApplyButtonVisibility();
}

void TbsSkinForm::ApplyButtonVisibility() {
  for (auto& o : FObjects) {
    TStdCommand command = cmDefault;
    if (auto* sb = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) command = sb->Command;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()); a && a->Command != cmDefault) command = a->Command;
    else continue;
    bool visible = true;
    if (FHideCaptionButtons) {
      visible = false;
    } else if (command == cmDefault) {
      visible = false;
      if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, visible);
    } else {
      switch (command) {
        case cmMinimizeToTray: visible = FBorderIcons.Contains(biMinimizeToTray); break;
        case cmRollUp: visible = FBorderIcons.Contains(biRollUp); break;
        case cmMaximize: visible = FBorderIcons.Contains(biMaximize); break;
        case cmMinimize: visible = FBorderIcons.Contains(biMinimize); break;
        case cmSysMenu: visible = FBorderIcons.Contains(biSystemMenu); break;
        default: break;
      }
    }
    o->Enabled = visible;
    o->Visible = visible || !o->SkinRectInAPicture;
  }
  FillObjectHints();
}

void TbsSkinForm::FillObjectHints() {
  if (!FUseDefaultObjectHint || !FSkinData) return;
  const TbsResourceStrData* strings = FSkinData->ResourceStrData();
  for (auto& o : FObjects) {
    TStdCommand command = cmDefault;
    if (auto* sb = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) command = sb->Command;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) command = a->Command;
    else continue;
    const char* key = nullptr;
    const char* text = nullptr;
    switch (command) {
      case cmClose: key = "CLOSEBUTTON_HINT"; text = "Close"; break;
      case cmMaximize: key = "MAXBUTTON_HINT"; text = "Maximize"; break;
      case cmMinimize: key = "MINBUTTON_HINT"; text = "Minimize"; break;
      case cmSysMenu: key = "MENUBUTTON_HINT"; text = "System menu"; break;
      case cmRollUp: key = "ROLLUPBUTTON_HINT"; text = "Roll Up"; break;
      case cmMinimizeToTray: key = "TRAYBUTTON_HINT"; text = "Minimize to Tray"; break;
      case cmDefault: continue;
    }
    std::string hint = strings ? strings->GetResString(key) : std::string();
    o->Hint = hint.empty() ? text : hint;
  }
}

void TbsSkinForm::ResetObjectStates() {
  for (auto& o : FObjects) {
    // A held object keeps its state: on X the activation a press asks for can arrive
    // between the press and the release.
    if (o.get() == Objects(FPressedIndex)) continue;
    if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) {
      a->Active = a->MouseIn = false;
      a->CurrentFrame = 1;
    } else if (!dynamic_cast<TbsSkinCaptionObject*>(o.get())) {
      o->Active = o->MouseIn = false;
      o->MorphKf = 0;
    } else {
      continue;
    }
    // No longer hovered, so no longer hot: the next hover tracking enters it again.
    if (o.get() == Objects(FHotIndex)) FHotIndex = -1;
  }
}

void TbsSkinForm::UpdateActiveState(bool repaint) {
  const bool active = FormActive();
  for (auto& o : FObjects) {
    auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get());
    if (!c || c->Active == active) continue;
    c->Active = active;
    if (repaint) {
      if (FForm && FForm->HandleAllocated()) FForm->Perform(WM_NCPAINT, 0, 0);
      if (c->Morphing) StartMorphTimer();
    } else {
      c->MorphKf = active ? 1 : 0;
    }
    break;
  }
  if (active == FLastActive) return;
  FLastActive = active;
  if (active && OnActivate) OnActivate(this);
  if (!active && OnDeActivate) OnDeActivate(this);
}

void TbsSkinForm::DrawObject(TbsActiveSkinObject* object) {
  if (!object || !object->Visible || !FForm || !FForm->HandleAllocated() || FForm->BorderStyle() == bsNone) return;
  TCanvas* c = GetWindowCanvas(FForm->HandleValue());
  if (!c) return;
  c->SaveState();
  c->ExcludeClipRect(FrameClientRect());
  object->Draw(c, true);
  c->RestoreState();
}

void TbsSkinForm::TrackHover(TPoint p, bool activate) {
  if (FObjects.empty() || !FormActive()) return;
  FOldHotIndex = FHotIndex;
  int hot = -1;
  if (activate)
    for (int i = 0; i < ObjectCount(); ++i) {
      const TbsActiveSkinObject* o = FObjects[size_t(i)].get();
      if (o->Enabled && o->Visible && PtInRect(o->ObjectRect, p)) {
        hot = i;
        break;
      }
    }
  if (FPressedIndex >= 0 && hot != FPressedIndex) hot = -1;
  if (hot >= ObjectCount()) hot = -1;
  if (hot == FHotIndex) return;
  const int previous = FHotIndex;
  FHotIndex = hot;
  std::weak_ptr<bool> alive = FAlive;
  if (TbsActiveSkinObject* o = Objects(previous); o && o->Enabled && o->Visible) {
    o->MouseLeave();
    if (alive.expired()) return;
    ShowObjectHintOf(o->Hint, false);
  }
  if (alive.expired()) return;
  if (TbsActiveSkinObject* o = Objects(FHotIndex); o && o->Enabled && o->Visible) {
    o->MouseEnter();
    if (alive.expired()) return;
    ShowObjectHintOf(o->Hint, true);
  }
}

void TbsSkinForm::ObjectMouseDown(TMouseButton button, TPoint p) {
  TbsActiveSkinObject* o = Objects(FHotIndex);
  if (!o) return;
  if (!dynamic_cast<TbsSkinCaptionObject*>(o) && FForm) SetCapture(FForm->Handle());
  FPressedIndex = FHotIndex;
  o->MouseDown(p.X, p.Y, button);
}

void TbsSkinForm::ObjectMouseUp(TMouseButton button, TPoint p, TPoint releasePoint) {
  TbsActiveSkinObject* o = Objects(FPressedIndex);
  if (!o) return;
  if (!dynamic_cast<TbsSkinCaptionObject*>(o)) ReleaseCapture();
  // The hover poll may not have seen the pointer cross the object's edge since its last
  // tick: whether the release is over the object decides, not the last poll.
  const bool over = o->Enabled && o->Visible && PtInRect(o->ObjectRect, releasePoint);
  if (over != o->MouseIn) {
    std::weak_ptr<bool> alive = FAlive;
    if (over) {
      FHotIndex = FPressedIndex;
      o->MouseEnter();
    } else {
      if (FHotIndex == FPressedIndex) FHotIndex = -1;
      o->MouseLeave();
    }
    if (alive.expired() || Objects(FPressedIndex) != o) return;
  }
  FPressedIndex = -1;
  o->MouseUp(p.X, p.Y, button);
}

void TbsSkinForm::MorphTimerTick() {
  bool any = false;
  for (int i = 0; i < ObjectCount(); ++i) {
    std::weak_ptr<bool> alive = FAlive;
    if (FObjects[size_t(i)]->MorphStep()) any = true;
    if (alive.expired()) return;
  }
  if (!any) FMorphTimer->SetEnabled(false);
}

void TbsSkinForm::AnimationTimerTick() {
  bool any = false;
  for (auto& o : FObjects)
    if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()); a && a->Active) {
      a->Step();
      any = any || a->Active;
    }
  if (!any) FAnimationTimer->SetEnabled(false);
}

void TbsSkinForm::HoverTimerTick() {
  if (!FForm || !FormActive()) return;
  if (FInSizeMove || FForm->InSizeMove()) {
    FHoverTimer->SetEnabled(false);
    return;
  }
  TPoint sp;
  if (!GetCursorPos(sp)) return;
  const TPoint p = ScreenToWindow(sp);
  if (!PtInRect(FrameClientRect(), p)) TrackHover(p);
  else if (FHotIndex >= 0) TrackHover(Point(-1, -1));
  // Nothing under the pointer and nothing held: the next hit test starts polling again.
  if (FHotIndex < 0 && FPressedIndex < 0 && !PtInRect(Rect(0, 0, FForm->Width(), FForm->Height()), p))
    FHoverTimer->SetEnabled(false);
}

TPoint TbsSkinForm::WindowToScreen(TPoint p) const {
  return FForm ? Point(p.X + FForm->Left(), p.Y + FForm->Top()) : p;
}

TPoint TbsSkinForm::ScreenToWindow(TPoint p) const {
  return FForm ? Point(p.X - FForm->Left(), p.Y - FForm->Top()) : p;
}

TRect TbsSkinForm::ObjectScreenRect(const TbsActiveSkinObject* o) const {
  TRect r = o->ObjectRect;
  const TPoint tl = WindowToScreen(r.TopLeft());
  OffsetRect(r, tl.X - r.Left, tl.Y - r.Top);
  return r;
}

// ---- skin ---------------------------------------------------------------------------------

// ---- the message hook -------------------------------------------------------------------

void TbsSkinForm::Forward(TMessage& m) { FHook.CallSaved(m); }

void TbsSkinForm::CloseMenusOnInput() {
  HideObjectHint();
  CloseSkinMenus();
}

void TbsSkinForm::HookWndProc(TMessage& m) {
  std::weak_ptr<bool> alive = FAlive;
  if (ClosesMenus(m.Msg)) {
    const TWndMethod passOn = FHook.SavedCaller();  // closing a menu may free this component
    if (!ToOwnMenu(m)) CloseMenusOnInput();
    if (alive.expired()) return passOn(m);
  }
  if (!WindowCommandMessage(m)) return;
  if (FrameMessage(m)) return;
  switch (m.Msg) {
    case WM_CREATE: {
      Forward(m);
      if (alive.expired() || !FForm->HandleAllocated()) return;
      const HWND h = FForm->HandleValue();
      SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) & ~LONG(WS_CAPTION));
      return;
    }
    case WM_DESTROY:
      for (TTimer* t : {FMorphTimer.get(), FAnimationTimer.get(), FHoverTimer.get()}) t->SetEnabled(false);
      if (FSkinMenu && FSkinMenu->LevelCount() > 0) FSkinMenu->CloseToLevel(0);
      if (FMenuOpen) MenuClosed();
      if (alive.expired()) return;
      Forward(m);
      return;
    case WM_NCACTIVATE:
      m.Result = 1;
      FForm->Perform(WM_NCPAINT, 0, 0);
      UpdateActiveState(true);
      return;
    case WM_ACTIVATE:
      Forward(m);
      if (alive.expired()) return;
      FForm->Perform(WM_NCPAINT, 0, 0);
      ResetObjectStates();
      UpdateActiveState(true);
      return;
    case WM_ENTERSIZEMOVE:
      ResetObjectStates();
      FHoverTimer->SetEnabled(false);
      FHotIndex = FPressedIndex = -1;
      FInSizeMove = true;
      Forward(m);
      return;
    case WM_EXITSIZEMOVE:
      FHoverTimer->SetEnabled(false);
      FHotIndex = FOldHotIndex = FPressedIndex = -1;
      if (FSkinActive) FForm->Perform(WM_NCPAINT, 0, 0);
      Forward(m);
      return;
    case WM_SYSCOMMAND:
      if (m.WParam == SC_KEYMENU) {
        CloseSkinMenus();
        m.Result = 0;
        return;
      }
      Forward(m);
      return;
    case SKINMSG_MENUCLOSED:
      MenuClosed();
      if (alive.expired()) return;
      Forward(m);
      return;
    case WM_NCMOUSEMOVE: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK: {
      const int hit = TScreenPointMessage(m).HitTest;
      Forward(m);
      if (alive.expired()) return;
      NonClientMouse(m, hit);
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      const bool ours = FPressedIndex >= 0;
      if (ours) {
        // Under the capture the release comes in client coordinates.
        const TPoint origin = FForm->ClientRectInWindow().TopLeft();
        const TPoint up = TMouseMessage(m).Pos;
        const TPoint at = Point(up.X + origin.X, up.Y + origin.Y);
        ObjectMouseUp(m.Msg == WM_LBUTTONUP ? mbLeft : mbRight, Point(-1, -1), at);
      }
      if (alive.expired()) return;
      Forward(m);
      return;
    }
    default:
      Forward(m);
      return;
  }
}

void TbsSkinForm::NonClientMouse(TMessage& m, int hit) {
  const TPoint p = ScreenToWindow(TScreenPointMessage(m).Pos);
  std::weak_ptr<bool> alive = FAlive;
  switch (m.Msg) {
    case WM_NCMOUSEMOVE: {
      TbsActiveSkinObject* o = Objects(FPressedIndex >= 0 ? FPressedIndex : FHotIndex);
      if (o) o->MouseMove(p.X, p.Y);
      return;
    }
    case WM_NCLBUTTONDOWN:
      if (FInSizeMove) {
        FInSizeMove = false;
        return;
      }
      TrackHover(p);
      if (alive.expired()) return;
      ObjectMouseDown(mbLeft, p);
      if (!alive.expired() && hit == HTCAPTION) FPressedIndex = -1;
      return;
    case WM_NCLBUTTONDBLCLK: {
      TrackHover(p);
      if (alive.expired()) return;
      ObjectMouseDown(mbLeft, p);
      if (alive.expired()) return;
      if (TbsActiveSkinObject* o = Objects(FHotIndex)) o->DblClick();
      if (alive.expired()) return;
      if (hit == HTCAPTION) {
        const bool sizeable = FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin;
        if (sizeable && FWindowState == TbsWindowState::wsMinimized) RestoreForm();
        else if (sizeable && FWindowState != TbsWindowState::wsMaximized && !FRollUpState &&
                 FBorderIcons.Contains(biMaximize))
          MaximizeForm();
        else if (sizeable && FWindowState == TbsWindowState::wsMaximized && !FRollUpFromMaximized) RestoreForm();
        else SetRollUpState(!FRollUpState);
      }
      if (!alive.expired()) FPressedIndex = -1;
      return;
    }
    case WM_NCLBUTTONUP:
      ObjectMouseUp(mbLeft, p, p);
      return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
      TrackHover(p);
      if (alive.expired()) return;
      ObjectMouseDown(mbRight, p);
      if (alive.expired() || hit != HTCAPTION) return;
      FPressedIndex = -1;
      if (m.Msg == WM_NCRBUTTONDOWN) {
        ReleaseCapture();
        TPoint cursor;
        GetCursorPos(cursor);
        ShowSystemMenu(Rect(cursor.X, cursor.Y, cursor.X, cursor.Y));
      }
      return;
    case WM_NCRBUTTONUP:
      ObjectMouseUp(mbRight, p, p);
      return;
    default:
      return;
  }
}
