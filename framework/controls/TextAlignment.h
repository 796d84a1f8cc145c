#pragma once
// Horizontal alignment and vertical layout of a control's text.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
constexpr auto taLeftJustify = TAlignment::taLeftJustify;
constexpr auto taRightJustify = TAlignment::taRightJustify;
constexpr auto taCenter = TAlignment::taCenter;

enum class TTextLayout { tlTop, tlCenter, tlBottom };
constexpr auto tlTop = TTextLayout::tlTop;
constexpr auto tlCenter = TTextLayout::tlCenter;
constexpr auto tlBottom = TTextLayout::tlBottom;
