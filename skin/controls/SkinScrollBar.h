#pragma once
// The skin engine's scroll bar: two arrow buttons, a track and a thumb, with auto-repeat
// on the arrows and the track, thumb dragging and an optional page-proportional thumb.
// Without a skin record it draws flat framed buttons with arrows; with a "scrollbar"
// record the bar image shows the arrows and only their hot and pressed states, and the
// thumb, are drawn over it.
#include <cstdint>
#include <memory>

#include "skin/controls/SkinControl.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

class TbsSkinScrollBar : public TbsSkinCustomControl {
 public:
  explicit TbsSkinScrollBar(TComponent* AOwner);
  ~TbsSkinScrollBar() override;
  std::string ClassName() const override { return "TbsSkinScrollBar"; }

  // The single window timer (WM_TIMER with this id): 500 ms to the first repeat, then 50.
  static constexpr std::uintptr_t RepeatTimerId = 1;
  static constexpr unsigned FirstRepeatDelay = 500;
  static constexpr unsigned RepeatInterval = 50;
  // Indices of the parts.
  static constexpr int ThumbPart = 0;
  static constexpr int IncPart = 1;
  static constexpr int DecPart = 2;

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value);
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value);
  bool Both() const { return FBoth; }
  void SetBoth(bool Value);
  int BothMarkerWidth() const { return FBothMarkerWidth; }
  void SetBothMarkerWidth(int Value);
  const std::string& BothSkinDataName() const { return FBothSkinDataName; }
  void SetBothSkinDataName(const std::string& Value) { FBothSkinDataName = Value; }
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);
  // Range, page and a clamped position at once, without OnChange.
  void SetParams(int AMin, int AMax, int APageSize, int APosition);

  TNotifyEvent OnChange;
  TNotifyEvent OnLastChange;
  TNotifyEvent OnUpButtonClick;
  TNotifyEvent OnDownButtonClick;
  TNotifyEvent OnPageUp;
  TNotifyEvent OnPageDown;

  // Geometry and state for the current size, for the gallery and tests.
  TRect PartRect(int Part);
  TRect TrackRect();
  bool PartHot(int Part) const { return FParts[Part].MouseIn; }
  bool PartDown(int Part) const { return FParts[Part].Down; }
  bool Dragging() const { return FThumbDrag; }
  // 0 none, 1 decreasing arrow, 2 increasing arrow, 3 page up, 4 page down.
  int TimerMode() const { return FTimerMode; }
  // The interval the timer runs at, 0 when it is stopped.
  unsigned TimerInterval() const { return FTimerInterval; }

 protected:
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void CalcSkinSize(int& W, int& H) override;
  void DrawDefaultImage(TBitmap& B) override;
  void DrawSkinImage(TBitmap& B) override;

  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  struct Part {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
  };
  void CalcRects();
  int MaxPosition() const;
  int Along(int X, int Y) const { return FKind == sbHorizontal ? X : Y; }
  int TrackStart() const { return FKind == sbHorizontal ? FTrack.Left : FTrack.Top; }
  int TrackEnd() const { return FKind == sbHorizontal ? FTrack.Right : FTrack.Bottom; }
  int ThumbStart() const { return FKind == sbHorizontal ? FParts[0].R.Left : FParts[0].R.Top; }
  int ThumbEnd() const { return FKind == sbHorizontal ? FParts[0].R.Right : FParts[0].R.Bottom; }
  int PartAt(int X, int Y) const;
  void UpdateHover(int X, int Y);
  void StartTimer(unsigned ms);
  void StopTimer();
  void TimerTick();
  void ArrowStep(int Part);
  void PageStep(bool Up);
  bool ThumbFocused() const { return FCanFocused && Focused(); }
  bool Alive(const std::weak_ptr<bool>& w) const { return !w.expired(); }

  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
  int FSmallChange = 1, FLargeChange = 1;
  bool FBoth = false;
  int FBothMarkerWidth = 19;
  std::string FBothSkinDataName = "bothhscrollbar";
  std::string FNormalSkinDataName;
  bool FCanFocused = false;

  Part FParts[3];
  TRect FTrack;
  int FTravelStart = 0, FTravelEnd = 0, FThumbOffset = 0;
  int FHoverPart = -1, FCapturedPart = -1;
  bool FMouseDown = false;
  bool FThumbDrag = false;
  int FDragPointer = 0, FDragOffset = 0, FDragPosition = 0;
  TPoint FLastPoint{-1, -1};
  bool FWait = false;
  int FTimerMode = 0;
  unsigned FTimerInterval = 0;
  bool FFocusGrab = false;

  // Copies of the record's values.
  TRect FTrackArea, FUpButtonRect, FActiveUpButtonRect, FDownUpButtonRect;
  TRect FDownButtonRect, FActiveDownButtonRect, FDownDownButtonRect;
  TRect FThumbRect, FActiveThumbRect, FDownThumbRect;
  int FThumbOffset1 = 0, FThumbOffset2 = 0;
  TRect FGlyphRect, FActiveGlyphRect, FDownGlyphRect;

  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
