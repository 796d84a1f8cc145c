#pragma once
// A borderless skin panel carrying speed buttons, bevels and other controls in a row. It
// hands its skin data to its speed buttons and bevels, its flat mode and captions to its
// speed buttons, and lends them its image lists. When it is too narrow for its content
// it can scroll it: two 12-pixel scroll areas appear outside its client area, in the
// non-client area of its window.
#include <cstdint>

#include "skin/controls/SkinPanel.h"

class TImageList;

class TbsSkinToolBar : public TbsSkinPanel {
 public:
  explicit TbsSkinToolBar(TComponent* AOwner);
  ~TbsSkinToolBar() override;
  std::string ClassName() const override { return "TbsSkinToolBar"; }

  static constexpr int ScrollAreaWidth = 12;
  static constexpr std::uintptr_t ScrollTimerId = 1;
  // Hit codes of the two scroll areas (WM_NCHITTEST).
  static constexpr int HTSCROLLLEFT = 0x0400;
  static constexpr int HTSCROLLRIGHT = 0x0401;

  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TImageList* HotImages() const { return FHotImages; }
  void SetHotImages(TImageList* Value);
  TImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TImageList* Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  bool AutoShowHideCaptions() const { return FAutoShowHideCaptions; }
  void SetAutoShowHideCaptions(bool Value) { FAutoShowHideCaptions = Value; }
  int WidthWithCaptions() const { return FWidthWithCaptions; }
  void SetWidthWithCaptions(int Value) { FWidthWithCaptions = Value; }
  int WidthWithoutCaptions() const { return FWidthWithoutCaptions; }
  void SetWidthWithoutCaptions(int Value) { FWidthWithoutCaptions = Value; }
  bool CanScroll() const { return FCanScroll; }
  void SetCanScroll(bool Value);
  bool HotScroll() const { return FHotScroll; }
  void SetHotScroll(bool Value);
  // Pixels per scroll step; 0: the client width.
  int ScrollOffset() const { return FScrollOffset; }
  void SetScrollOffset(int Value) { FScrollOffset = Value < 0 ? 0 : Value; }
  int ScrollTimerInterval() const { return FScrollTimerInterval; }
  void SetScrollTimerInterval(int Value) { FScrollTimerInterval = Value < 1 ? 1 : Value; }

  void SetSkinData(TbsSkinData* Value) override;
  void SetSkinDataName(const std::string& Value) override;

  // State of the scrolling, for the gallery and tests.
  bool ScrollAreasShown() const { return FScrollAreas; }
  // How far the content is scrolled to the left, in pixels.
  int ScrollPosition() const { return FPosition; }
  bool ScrollTimerRunning() const { return FTimerDir != 0; }
  // The largest right edge of the visible children, unscrolled.
  int ContentExtent() const;
  // Compares the content with the room there is and shows or hides the scroll areas.
  void UpdateScrollAreas();
  // One scroll step to the left (-1) or the right (1).
  void ScrollStep(int Direction);

  void AdjustClientRect(TRect& Rect) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void ScrollTo(int Position);
  void StartScrollTimer(int Direction);
  void StopScrollTimer();
  int AreaAt(TPoint ScreenPoint) const;
  void SetHotArea(int Area);
  void RedrawScrollAreas();
  void PaintScrollAreas();
  void PaintScrollArea(TCanvas* C, const TRect& R, int Direction);

  TImageList* FImages = nullptr;
  TImageList* FHotImages = nullptr;
  TImageList* FDisabledImages = nullptr;
  bool FFlat = false;
  bool FShowCaptions = false;
  bool FAutoShowHideCaptions = false;
  int FWidthWithCaptions = 0;
  int FWidthWithoutCaptions = 0;
  bool FCanScroll = false;
  bool FHotScroll = false;
  int FScrollOffset = 0;
  int FScrollTimerInterval = 50;

  bool FScrollAreas = false;
  int FPosition = 0;
  int FTimerDir = 0;      // -1 / 1 while the scroll timer runs
  int FPressedArea = 0;   // -1 / 1 while a scroll area is held
  int FHotArea = 0;       // -1 / 1 while the pointer is over a scroll area
  bool FUpdatingAreas = false;
};
