#pragma once
// Skins of the popup-menu window ("POPUPWINDOW") and of the hint window ("HINTWINDOW"):
// plain records created once with the skin data and re-read by every load.
#include <string>

#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinKeyIO.h"

class TSkinIniFile;

class TbsDataSkinPopupWindow {
 public:
  void ReadFromIni(const TSkinIniFile& ini);
  void WriteToIni(TSkinIniFile& ini);
  // The keys of the window's section, in reading order.
  void VisitKeys(TSkinKeyIO& io);

  int windowpictureindex = -1;
  int maskpictureindex = -1;
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  TRect itemsrect;
  TColor scrollmarkercolor = 0, scrollmarkeractivecolor = 0;
  bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
};

class TbsDataSkinHintWindow {
 public:
  void ReadFromIni(const TSkinIniFile& ini);
  void WriteToIni(TSkinIniFile& ini);
  // The keys of the window's section, in reading order.
  void VisitKeys(TSkinKeyIO& io);

  int windowpictureindex = -1;
  int maskpictureindex = -1;
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  TRect clientrect;
  std::string fontname = "Arial";
  int fontheight = 12;
  TFontStyles fontstyle;
  TColor fontcolor = 0;
  bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
};
