#include "skin/data/SkinWindowRecords.h"

#include "skin/data/SkinIniFile.h"

namespace {
const char* const PopupSection = "POPUPWINDOW";
const char* const HintSection = "HINTWINDOW";
}  // namespace

void TbsDataSkinPopupWindow::ReadFromIni(const TSkinIniFile& ini) {
  ReadSkinKeys(ini, PopupSection, [this](TSkinKeyIO& io) { VisitKeys(io); });
}

void TbsDataSkinPopupWindow::WriteToIni(TSkinIniFile& ini) {
  WriteSkinKeys(ini, PopupSection, [this](TSkinKeyIO& io) { VisitKeys(io); }, true);
}

void TbsDataSkinPopupWindow::VisitKeys(TSkinKeyIO& io) {
  io.Int("windowpictureindex", windowpictureindex, -1);
  io.Int("maskpictureindex", maskpictureindex, -1);
  io.Point("lefttoppoint", lefttoppoint);
  io.Point("righttoppoint", righttoppoint);
  io.Point("leftbottompoint", leftbottompoint);
  io.Point("rightbottompoint", rightbottompoint);
  io.Rect("itemsrect", itemsrect);
  io.Color("scrollmarkercolor", scrollmarkercolor);
  io.Color("scrollmarkeractivecolor", scrollmarkeractivecolor);
  io.Bool("leftstretch", leftstretch);
  io.Bool("rightstretch", rightstretch);
  io.Bool("topstretch", topstretch);
  io.Bool("bottomstretch", bottomstretch);
}

void TbsDataSkinHintWindow::ReadFromIni(const TSkinIniFile& ini) {
  ReadSkinKeys(ini, HintSection, [this](TSkinKeyIO& io) { VisitKeys(io); });
}

void TbsDataSkinHintWindow::WriteToIni(TSkinIniFile& ini) {
  WriteSkinKeys(ini, HintSection, [this](TSkinKeyIO& io) { VisitKeys(io); }, true);
}

void TbsDataSkinHintWindow::VisitKeys(TSkinKeyIO& io) {
  io.Int("windowpictureindex", windowpictureindex, -1);
  io.Int("maskpictureindex", maskpictureindex, -1);
  io.Point("lefttoppoint", lefttoppoint);
  io.Point("righttoppoint", righttoppoint);
  io.Point("leftbottompoint", leftbottompoint);
  io.Point("rightbottompoint", rightbottompoint);
  io.Rect("clientrect", clientrect);
  io.FontGroup("", fontname, fontheight, fontstyle, fontcolor);
  io.Bool("leftstretch", leftstretch);
  io.Bool("rightstretch", rightstretch);
  io.Bool("topstretch", topstretch);
  io.Bool("bottomstretch", bottomstretch);
}
