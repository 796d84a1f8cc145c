#pragma once
// TbsSkinHint: makes the application show its hints in a skinned window
// (TbsSkinHintWindow) and shows the hints of a skin form's caption objects.
#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/graphics/Font.h"
#include "framework/windows/Application.h"

class TTimer;
class TbsSkinData;
class TbsSkinHintWindow;

class TbsSkinHint : public TComponent {
 public:
  // Outside design mode: the application's hint window class becomes the skinned one,
  // this component answers the application's OnShowHint and the short pause is 100 ms.
  explicit TbsSkinHint(TComponent* AOwner);
  ~TbsSkinHint() override;
  std::string ClassName() const override { return "TbsSkinHint"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* v);
  // True makes every other hint component of the application's main form inactive.
  bool Active() const { return FActive; }
  void SetActive(bool v);
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool v) { FAlphaBlend = v; }
  Byte AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte v) { FAlphaBlendValue = v; }
  TFont* DefaultFont() { return &FDefaultFont; }
  const TFont* DefaultFont() const { return &FDefaultFont; }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool v) { FUseSkinFont = v; }
  TShowHintEvent OnShowHint;

  // Object hints: shows text at the pointer after the application's hint pause and
  // hides it after the hide pause; HideHint hides it at once.
  void ActivateHint(const std::string& AHint);
  void HideHint();
  TbsSkinHintWindow* HintWindow() const { return FHintWindow; }
  const std::string& HintText() const { return FHintText; }
  TTimer* HintTimer() const { return FHintTimer.get(); }
  // The hint timer's tick (tests tick it by hand).
  void HintTimerTick();

  std::weak_ptr<const bool> Lifetime() const { return FAlive; }

 private:
  void InstallShowHint();
  void StartTimer(unsigned ms);

  TbsSkinData* FSkinData = nullptr;
  bool FActive = true;
  bool FAlphaBlend = false;
  Byte FAlphaBlendValue = 0;
  TFont FDefaultFont;
  bool FUseSkinFont = true;
  TbsSkinHintWindow* FHintWindow = nullptr;  // owned
  std::string FHintText;
  std::unique_ptr<TTimer> FHintTimer;
  bool FHintShown = false;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
