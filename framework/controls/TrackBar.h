#pragma once
// The plain track bar: a sunken channel, tick marks and a thumb that the user drags,
// clicks a page towards, or moves with the arrow, page, Home and End keys. Position is
// kept within Min..Max; OnChange fires whenever it changes, by the user or by code
// (not while the layout is being read).
#include <memory>

#include "framework/windows/Controls.h"

enum class TTrackBarOrientation { trHorizontal, trVertical };
constexpr auto trHorizontal = TTrackBarOrientation::trHorizontal;
constexpr auto trVertical = TTrackBarOrientation::trVertical;

enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
constexpr auto tmBottomRight = TTickMark::tmBottomRight;
constexpr auto tmTopLeft = TTickMark::tmTopLeft;
constexpr auto tmBoth = TTickMark::tmBoth;

enum class TTickStyle { tsNone, tsAuto, tsManual };
constexpr auto tsNone = TTickStyle::tsNone;
constexpr auto tsAuto = TTickStyle::tsAuto;
constexpr auto tsManual = TTickStyle::tsManual;

class TTrackBar : public TCustomControl {
 public:
  explicit TTrackBar(TComponent* AOwner);
  std::string ClassName() const override { return "TTrackBar"; }

  // The range never inverts: a Min above Max raises Max with it, and the other way round.
  int Min() const { return FMin; }
  void SetMin(int v);
  int Max() const { return FMax; }
  void SetMax(int v);
  int Position() const { return FPosition; }
  void SetPosition(int v);
  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation v);
  // Distance between automatic ticks (1 or more).
  int Frequency() const { return FFrequency; }
  void SetFrequency(int v);
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle v);
  TTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark v);
  // Steps of the arrow keys and of the page keys / channel clicks (1 or more).
  int LineSize() const { return FLineSize; }
  void SetLineSize(int v) { FLineSize = v < 1 ? 1 : v; }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int v) { FPageSize = v < 1 ? 1 : v; }
  // Extent of the thumb across the channel.
  int ThumbLength() const { return FThumbLength; }
  void SetThumbLength(int v);
  bool SliderVisible() const { return FSliderVisible; }
  void SetSliderVisible(bool v);

  // Geometry in client coordinates, for painting, hit tests and tests.
  TRect ChannelRect() const;
  TRect ThumbRect() const;
  // The position whose thumb centre is nearest the coordinate along the channel.
  int PositionAt(int along) const;

  void Loaded() override;

  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void WndProc(TMessage& Message) override;
  virtual void Changed();

 private:
  bool Horizontal() const { return FOrientation == trHorizontal; }
  // Size of the thumb along the channel.
  int ThumbWidth() const;
  int ThumbOffsetFor(int position) const;
  int Along(int x, int y) const { return Horizontal() ? x : y; }
  // Start of the thumb across the channel.
  int ThumbAcross() const;
  int AcrossExtent() const { return Horizontal() ? FHeight : FWidth; }
  int AlongExtent() const { return Horizontal() ? FWidth : FHeight; }
  // A rectangle given along and across the channel, in client coordinates.
  TRect Oriented(int a0, int s0, int a1, int s1) const;
  void SetRange(int aMin, int aMax);
  // SetPosition for input handlers: false when the change handler freed the bar.
  bool StepTo(int v);
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  void PaintThumb(TCanvas* c, const TRect& r);
  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;
  TTrackBarOrientation FOrientation = trHorizontal;
  int FFrequency = 1;
  TTickStyle FTickStyle = tsAuto;
  TTickMark FTickMarks = tmBottomRight;
  int FLineSize = 1;
  int FPageSize = 2;
  int FThumbLength = 20;
  bool FSliderVisible = true;
  bool FDragging = false;
  int FDragOffset = 0;  // pointer minus thumb start, along the channel
};
