// Text: Qt shapes the glyphs (no anti-aliasing) into an ink mask, which is then written
// through the canvas clip in the font colour. Backgrounds follow the brush: a solid
// brush paints the text cell first, bsClear leaves it transparent.
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasRaster.h"
#include "framework/graphics/qt/QtBridge.h"

namespace {

void NeedGui() {
  if (!QGuiApplication::instance())
    throw EInvalidOperation("Text drawing needs the application object to be created first");
}

struct TextLine {
  QString text;
  int underline = -1;  // index of the character marked with '&'
};

// '&' marks the next character (underlined); "&&" is a literal '&'.
TextLine StripPrefix(const QString& s) {
  TextLine out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'&' && i + 1 < s.size()) {
      ++i;
      if (s[i] != u'&' && out.underline < 0) out.underline = int(out.text.size());
    } else if (s[i] == u'&') {
      continue;  // a lone trailing '&' shows nothing
    }
    out.text += s[i];
  }
  return out;
}

QString ExpandTabs(const QString& s) {
  QString out;
  for (QChar c : s) {
    if (c == u'\t') {
      do out += u' ';
      while (out.size() % 8);
    } else {
      out += c;
    }
  }
  return out;
}

bool BreakableAfter(QChar c) { return c == u' ' || c.unicode() >= 0x2E80; }

// Greedy word wrap; a word wider than the line stays whole on its own line.
std::vector<TextLine> Wrap(const TextLine& line, const QFontMetrics& m, int maxWidth) {
  std::vector<TextLine> out;
  const QString& s = line.text;
  qsizetype start = 0;
  const qsizetype n = s.size();
  if (n == 0) return {line};
  while (start < n) {
    qsizetype best = -1;
    for (qsizetype end = start + 1; end <= n; ++end) {
      const bool canBreak = end == n || BreakableAfter(s[end - 1]) || s[end] == u' ' || s[end].unicode() >= 0x2E80;
      if (!canBreak) continue;
      QString piece = s.mid(start, end - start);
      while (!piece.isEmpty() && piece.back() == u' ') piece.chop(1);
      if (m.horizontalAdvance(piece) <= maxWidth) {
        best = end;
      } else {
        if (best < 0) best = end;
        break;
      }
    }
    if (best < 0) best = n;
    TextLine part;
    part.text = s.mid(start, best - start);
    while (!part.text.isEmpty() && part.text.back() == u' ') part.text.chop(1);
    if (line.underline >= start && line.underline < start + part.text.size())
      part.underline = int(line.underline - start);
    out.push_back(part);
    start = best;
    while (start < n && s[start] == u' ') ++start;
  }
  return out;
}

void Ellipsize(TextLine& line, const QFontMetrics& m, int maxWidth) {
  if (m.horizontalAdvance(line.text) <= maxWidth) return;
  const QString dots = QStringLiteral("...");
  QString head = line.text;
  while (!head.isEmpty() && m.horizontalAdvance(head + dots) > maxWidth) head.chop(1);
  if (line.underline >= head.size()) line.underline = -1;
  line.text = head + dots;
}

}  // namespace

void TCanvas::PaintText(const TRect& clip, bool clipToRect, int x, int y, const std::string& text,
                        int underlineIndex) {
  if (!FTarget || FTarget->Empty() || text.empty()) return;
  TPixel colour;
  if (!raster::Resolve(FFont.Color(), colour)) return;
  const QFont f = ToQFont(FFont);
  const QFontMetrics m(f);
  const QString s = QString::fromStdString(text);
  const int width = m.horizontalAdvance(s), height = m.ascent() + m.descent();
  const int margin = height;  // room for overhangs (italics, bearings)
  QImage ink(width + 2 * margin, height, QImage::Format_ARGB32_Premultiplied);
  if (ink.isNull()) return;
  ink.fill(Qt::transparent);
  {
    QPainter p(&ink);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(margin, m.ascent(), s);
    if (underlineIndex >= 0 && underlineIndex < s.size()) {
      const int x0 = m.horizontalAdvance(s.left(underlineIndex));
      const int x1 = m.horizontalAdvance(s.left(underlineIndex + 1));
      p.fillRect(margin + x0, m.ascent() + m.underlinePos(), std::max(1, x1 - x0), std::max(1, int(m.lineWidth())),
                 Qt::black);
    }
  }
  std::vector<TRect> rects = DeviceClipRects();
  if (clipToRect) {
    const TRect c = raster::ToDevice(clip, FOrigin);
    std::vector<TRect> cut;
    for (const TRect& r : rects) {
      TRect i;
      if (IntersectRect(i, r, c)) cut.push_back(i);
    }
    rects.swap(cut);
  }
  raster::Writer w(FTarget, std::move(rects));
  const int dx = raster::ToDevice(x, FOrigin.X) - margin, dy = raster::ToDevice(y, FOrigin.Y);
  for (int j = 0; j < ink.height(); ++j) {
    const auto* row = reinterpret_cast<const quint32*>(ink.constScanLine(j));
    for (int i = 0; i < ink.width(); ++i)
      if ((row[i] >> 24) >= 0x80) w.Plot(dx + i, dy + j, raster::Op::Copy, colour);
  }
}

TSize TCanvas::TextExtent(const std::string& text) {
  NeedGui();
  const QFontMetrics m(ToQFont(FFont));
  return {m.horizontalAdvance(QString::fromStdString(text)), m.ascent() + m.descent()};
}

int TCanvas::TextWidth(const std::string& text) { return TextExtent(text).cx; }

int TCanvas::TextHeight(const std::string& text) { return TextExtent(text).cy; }

TTextMetric TCanvas::GetTextMetrics() {
  NeedGui();
  const QFont f = ToQFont(FFont);
  const QFontMetrics m(f);
  TTextMetric tm;
  tm.Ascent = m.ascent();
  tm.Descent = m.descent();
  tm.Height = tm.Ascent + tm.Descent;
  tm.AveCharWidth = m.averageCharWidth();
  tm.MaxCharWidth = m.maxWidth();
  tm.InternalLeading = std::max(0, tm.Height - f.pixelSize());
  tm.ExternalLeading = std::max(0, m.leading());
  return tm;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  NeedGui();
  const TSize ext = TextExtent(text);
  if (FBrush.Style != TBrushStyle::bsClear) {
    TBrush saved;
    saved.Assign(&FBrush);
    FBrush.Style = TBrushStyle::bsSolid;
    FBrush.Bitmap = nullptr;
    FillRect(Bounds(x, y, ext.cx, ext.cy));
    FBrush.Assign(&saved);
  }
  PaintText(TRect{}, false, x, y, text, -1);
  FPenPos = {x + ext.cx, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  NeedGui();
  if (FBrush.Style != TBrushStyle::bsClear) FillRect(r);
  PaintText(r, true, x, y, text, -1);
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
  NeedGui();
  const QFontMetrics m(ToQFont(FFont));
  const int lineHeight = m.ascent() + m.descent();
  QString all = QString::fromStdString(text);
  if (flags & DT_EXPANDTABS) all = ExpandTabs(all);
  std::vector<TextLine> lines;
  if (flags & DT_SINGLELINE) {
    all.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    all.replace(u'\r', u' ');
    all.replace(u'\n', u' ');
    lines.push_back((flags & DT_NOPREFIX) ? TextLine{all, -1} : StripPrefix(all));
  } else {
    all.remove(u'\r');
    for (const QString& part : all.split(u'\n')) {
      const TextLine line = (flags & DT_NOPREFIX) ? TextLine{part, -1} : StripPrefix(part);
      if (flags & DT_WORDBREAK) {
        for (TextLine& l : Wrap(line, m, std::max(0, r.Width()))) lines.push_back(std::move(l));
      } else {
        lines.push_back(line);
      }
    }
  }
  if (flags & DT_END_ELLIPSIS)
    for (TextLine& l : lines) Ellipsize(l, m, std::max(0, r.Width()));

  int textWidth = 0;
  std::vector<int> widths;
  for (const TextLine& l : lines) {
    widths.push_back(m.horizontalAdvance(l.text));
    textWidth = std::max(textWidth, widths.back());
  }
  const int textHeight = lineHeight * int(lines.size());
  if (flags & DT_CALCRECT) {
    r.Right = r.Left + textWidth;
    r.Bottom = r.Top + textHeight;
    return textHeight;
  }

  int top = r.Top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER)
      top = r.Top + (r.Height() - lineHeight) / 2;
    else if (flags & DT_BOTTOM)
      top = r.Bottom - lineHeight;
  }
  const bool opaque = FBrush.Style != TBrushStyle::bsClear;
  for (size_t i = 0; i < lines.size(); ++i) {
    int left = r.Left;
    if (flags & DT_CENTER)
      left = r.Left + (r.Width() - widths[i]) / 2;
    else if (flags & DT_RIGHT)
      left = r.Right - widths[i];
    const int y = top + int(i) * lineHeight;
    if (opaque) {
      TRect cell = Bounds(left, y, widths[i], lineHeight);
      if (!(flags & DT_NOCLIP)) IntersectRect(cell, cell, r);
      FillRect(cell);
    }
    PaintText(r, !(flags & DT_NOCLIP), left, y, lines[i].text.toStdString(), lines[i].underline);
  }
  return (flags & (DT_VCENTER | DT_BOTTOM)) && (flags & DT_SINGLELINE) ? top - r.Top + textHeight : textHeight;
}
