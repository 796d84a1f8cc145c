#pragma once
// TbsSkinPopupWindow: one open level of a skin menu. A pop-up window that never takes
// the focus or the activation and never captures the mouse: it polls the cursor every
// 50 ms, morphs its items on a 20 ms timer and scrolls a menu taller than the work area
// one item per 100 ms while the cursor rests on a 10-pixel scroll zone.
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/windows/CustomControl.h"
#include "skin/form/SkinMenuItem.h"

class TImageList;
class TMenuItem;
class TbsDataSkinMenuItem;
class TbsDataSkinPopupWindow;
class TbsSkinData;
class TbsSkinMenu;

class TbsSkinPopupWindow : public TCustomControl {
 public:
  static constexpr UINT MouseTimerId = 1;
  static constexpr UINT MorphTimerId = 2;
  static constexpr UINT ScrollTimerId = 3;
  static constexpr int ScrollZone = 10;

  TbsSkinPopupWindow(TbsSkinMenu* menu, TbsSkinData* skinData);
  ~TbsSkinPopupWindow() override;
  std::string ClassName() const override { return "TbsSkinPopupWindow"; }
  void CreateParams(TCreateParams& Params) override;

  // Fills the window with the visible sub-items of the sources from firstIndex on
  // (counted over all sources) and sizes it; workArea limits its height.
  void Build(const std::vector<TMenuItem*>& sources, int firstIndex, const TRect& workArea);
  // Places the window at the anchor (screen coordinates) inside the work area and
  // shows it without activation.
  void ShowAt(const TRect& anchor, const TRect& workArea, bool subMenu, bool upward);

  TbsSkinMenu* Menu() const { return FMenu; }
  int ItemCount() const { return int(FItems.size()); }
  TbsSkinMenuItem* Items(int index) const;
  int IndexOfMenuItem(const TMenuItem* item) const;
  int ActiveIndex() const { return FActiveIndex; }
  TbsSkinMenuItem* ActiveItem() const { return Items(FActiveIndex); }
  bool Scrolling() const { return FScrolling; }
  int FirstVisible() const { return FFirstVisible; }
  int ScrollState() const { return FScrollState; }
  TRect ItemsRect() const { return FItemsRect; }
  bool Skinned() const { return FSkinned; }
  bool Displaced() const { return FDisplaced; }
  int GlyphWidth() const { return FGlyphWidth; }
  TImageList* Images() const { return FImages; }
  const TbsDataSkinMenuItem* ItemRecord() const { return FItemRecord; }
  TbsSkinData* SkinData() const { return FSkinData; }
  // The font items draw with.
  void PrepareFont(TCanvas* canvas, const TbsSkinMenuItem* item) const;

  // Selection and activation (mouse and keyboard share these).
  void SelectItem(int index, bool byMouse);
  void DeselectItem(int index);
  // Makes index the active item, deselecting the previous one.
  void SetActive(int index, bool byMouse, bool keyboardMark);
  void ClickItem(int index);
  // A navigation key for this window; true when it was used.
  bool ProcessKey(Word key);
  // A typed character: the item it is the accelerator of is chosen; true when one was.
  bool ProcessChar(char32_t ch);
  // One poll of the cursor (the mouse timer's tick).
  void MouseTimerTick();
  void MorphTimerTick();
  void ScrollTimerTick();
  void StartMorph();
  // Redraws one item now.
  void RedrawItem(int index);
  // The whole window image as shown.
  void PaintImage(TBitmap& out);
  // The item under a point in window coordinates (-1 when none).
  int ItemAtPos(TPoint p) const;
  // A shown menu item was freed.
  void ForgetMenuItem(const TMenuItem* item);
  // Stops the window's timers (it was closed and waits to be freed).
  void Shutdown();
  // Screen rectangle of an item.
  TRect ItemScreenRect(int index) const;

 protected:
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  void LayoutItems();
  void TrackPoint(TPoint p);
  void StartScroll(int state);
  void StopScroll();
  void ScrollTo(int index);
  void DrawBackground(TCanvas* c);
  void DrawScrollMarkers(TCanvas* c);
  void ApplyShape();

  TbsSkinMenu* FMenu;
  TbsSkinData* FSkinData;
  const TbsDataSkinPopupWindow* FRecord = nullptr;
  const TbsDataSkinMenuItem* FItemRecord = nullptr;
  const TBitmap* FWindowPicture = nullptr;
  const TBitmap* FMaskPicture = nullptr;
  bool FSkinned = false;
  std::vector<std::unique_ptr<TbsSkinMenuItem>> FItems;
  TImageList* FImages = nullptr;
  int FGlyphWidth = 19;
  int FActiveIndex = -1, FOldActiveIndex = -1;
  TPoint FLastMouse{-100000, -100000};
  bool FScrolling = false;
  int FFirstVisible = 0, FVisibleCount = 0, FScrollState = 0;
  TRect FItemsRect;
  bool FDisplaced = false;
  TBitmap FImage;
};
