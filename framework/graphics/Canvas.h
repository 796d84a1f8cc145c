#pragma once
// A drawing surface over a TBitmap with the classic device-context rules:
// 1-pixel pens, LineTo does not paint its end point, Rectangle/FillRect exclude the
// right and bottom edges, no anti-aliasing for shapes, CopyRect stretches by nearest
// neighbour, transparent drawing by a colour key. Coordinates are logical: the origin
// (SetOrigin) is added before clipping, so a control can paint into its parent's canvas.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Types.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Region.h"

class TBitmap;

// DrawText flags (the platform's DT_ values).
constexpr unsigned DT_TOP = 0x0000;
constexpr unsigned DT_LEFT = 0x0000;
constexpr unsigned DT_CENTER = 0x0001;
constexpr unsigned DT_RIGHT = 0x0002;
constexpr unsigned DT_VCENTER = 0x0004;
constexpr unsigned DT_BOTTOM = 0x0008;
constexpr unsigned DT_WORDBREAK = 0x0010;
constexpr unsigned DT_SINGLELINE = 0x0020;
constexpr unsigned DT_EXPANDTABS = 0x0040;
constexpr unsigned DT_NOCLIP = 0x0100;
constexpr unsigned DT_CALCRECT = 0x0400;
constexpr unsigned DT_NOPREFIX = 0x0800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

enum class TCopyMode { cmSrcCopy, cmSrcAnd, cmSrcPaint, cmSrcInvert, cmNotSrcCopy, cmDstInvert, cmBlackness, cmWhiteness };

struct TTextMetric {
  int Height = 0;    // ascent + descent
  int Ascent = 0;
  int Descent = 0;
  int AveCharWidth = 0;
  int MaxCharWidth = 0;
  int InternalLeading = 0;
  int ExternalLeading = 0;
};

class TCanvas : public TPersistent {
 public:
  explicit TCanvas(TBitmap* target);
  ~TCanvas() override;
  std::string ClassName() const override { return "TCanvas"; }

  TBitmap* Target() const { return FTarget; }
  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }
  TFont* Font() { return &FFont; }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode m) { FCopyMode = m; }

  // Shapes.
  TPoint PenPos() const { return FPenPos; }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);  // end point not painted
  void Rectangle(int x1, int y1, int x2, int y2);  // pen outline, brush inside; right/bottom excluded
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);   // brush only
  void FrameRect(const TRect& r);  // 1-pixel frame in the brush colour
  void Ellipse(int x1, int y1, int x2, int y2);
  void Polygon(const std::vector<TPoint>& points);
  void Polyline(const std::vector<TPoint>& points);
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor c);

  // Images. Source rectangles are in the source bitmap's pixels.
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
  void CopyRect(const TRect& dest, const TBitmap* source, const TRect& src);
  // Honours the bitmap's Transparent flag and colour key.
  void Draw(int x, int y, const TBitmap* bitmap);
  void StretchDraw(const TRect& dest, const TBitmap* bitmap);
  // Copies with a fixed colour key (pixels of that colour are skipped).
  void DrawTransparent(const TRect& dest, const TBitmap* bitmap, const TRect& src, TColor key);
  // Blends the bitmap at (x, y) with one opacity byte per pixel (Width*Height bytes,
  // rows top-down; 0 = transparent, 255 = opaque). A null alpha draws it opaque.
  void DrawAlpha(int x, int y, const TBitmap* bitmap, const std::uint8_t* alpha);

  // Text.
  void TextOut(int x, int y, const std::string& text);
  void TextRect(const TRect& r, int x, int y, const std::string& text);  // clipped to r
  // Returns the text height; with DT_CALCRECT only measures, adjusting r's right/bottom.
  int DrawText(const std::string& text, TRect& r, unsigned flags);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);
  TSize TextExtent(const std::string& text);
  TTextMetric GetTextMetrics();
  // Transparent text background (the classic SetBkMode TRANSPARENT) while Brush.Style is bsClear.

  // Clipping (device coordinates after the origin) and state.
  TRect ClipRect() const;  // logical coordinates
  void SetClipRect(const TRect& r);
  void IntersectClipRect(const TRect& r);
  void ExcludeClipRect(const TRect& r);
  void SelectClipRegion(const TRegion* region);  // nullptr: no clipping beyond the bitmap
  void ResetClip();
  TPoint Origin() const { return FOrigin; }
  void SetOrigin(TPoint p) { FOrigin = p; }
  void MoveOrigin(int dx, int dy) { FOrigin.X += dx; FOrigin.Y += dy; }
  int SaveState();
  void RestoreState(int index = -1);  // -1: the last saved

 private:
  struct State;
  // The clip as rectangles of the bitmap, in device coordinates (empty: nothing visible).
  std::vector<TRect> DeviceClipRects() const;
  TRegion DeviceClipRegion() const;
  void CopyPixels(const TRect& dest, const TBitmap* source, const TRect& src, bool keyed, TColor key);
  void PaintText(const TRect& clip, bool clipToRect, int x, int y, const std::string& text, int underlineIndex);
  TBitmap* FTarget;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TCopyMode FCopyMode = TCopyMode::cmSrcCopy;
  TPoint FPenPos;
  TPoint FOrigin;
  std::unique_ptr<TRegion> FClip;  // device coordinates; null: whole bitmap
  std::vector<std::unique_ptr<State>> FSaved;
};

// A 3-D frame of the classic Frame3D: top/left in TopColor, bottom/right in BottomColor,
// Width rings; Rect shrinks by Width on every side.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
