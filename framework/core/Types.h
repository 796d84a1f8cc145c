#pragma once
// Basic value types shared by every layer: integer sizes, points, rectangles, colours.
#include <cstdint>
#include <string>

using Byte = std::uint8_t;
using Word = std::uint16_t;
using DWORD = std::uint32_t;
using Cardinal = std::uint32_t;
using Integer = std::int32_t;
using Int64 = std::int64_t;

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Edges in pixels; Right and Bottom are exclusive, as in every classic device context.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
inline TRect Bounds(int l, int t, int w, int h) { return {l, t, l + w, t + h}; }
// Half-open test: left/top inside, right/bottom outside.
inline bool PtInRect(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
bool IntersectRect(TRect& out, const TRect& a, const TRect& b);
bool UnionRect(TRect& out, const TRect& a, const TRect& b);
void OffsetRect(TRect& r, int dx, int dy);
void InflateRect(TRect& r, int dx, int dy);
bool IsRectEmpty(const TRect& r);

// 0x00BBGGRR, or a system colour (high byte 0xFF, low byte the COLOR_ index).
using TColor = std::int32_t;

constexpr TColor RGB(int r, int g, int b) {
  return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours: 0xFF000000 | COLOR_ index.
constexpr TColor clScrollBar = TColor(0xFF000000u | 0);
constexpr TColor clBackground = TColor(0xFF000000u | 1);
constexpr TColor clActiveCaption = TColor(0xFF000000u | 2);
constexpr TColor clInactiveCaption = TColor(0xFF000000u | 3);
constexpr TColor clMenu = TColor(0xFF000000u | 4);
constexpr TColor clWindow = TColor(0xFF000000u | 5);
constexpr TColor clWindowFrame = TColor(0xFF000000u | 6);
constexpr TColor clMenuText = TColor(0xFF000000u | 7);
constexpr TColor clWindowText = TColor(0xFF000000u | 8);
constexpr TColor clCaptionText = TColor(0xFF000000u | 9);
constexpr TColor clActiveBorder = TColor(0xFF000000u | 10);
constexpr TColor clInactiveBorder = TColor(0xFF000000u | 11);
constexpr TColor clAppWorkSpace = TColor(0xFF000000u | 12);
constexpr TColor clHighlight = TColor(0xFF000000u | 13);
constexpr TColor clHighlightText = TColor(0xFF000000u | 14);
constexpr TColor clBtnFace = TColor(0xFF000000u | 15);
constexpr TColor clBtnShadow = TColor(0xFF000000u | 16);
constexpr TColor clGrayText = TColor(0xFF000000u | 17);
constexpr TColor clBtnText = TColor(0xFF000000u | 18);
constexpr TColor clInactiveCaptionText = TColor(0xFF000000u | 19);
constexpr TColor clBtnHighlight = TColor(0xFF000000u | 20);
constexpr TColor cl3DDkShadow = TColor(0xFF000000u | 21);
constexpr TColor cl3DLight = TColor(0xFF000000u | 22);
constexpr TColor clInfoText = TColor(0xFF000000u | 23);
constexpr TColor clInfoBk = TColor(0xFF000000u | 24);

// Resolves a system colour through the classic table; plain colours pass through.
TColor ColorToRGB(TColor c);
