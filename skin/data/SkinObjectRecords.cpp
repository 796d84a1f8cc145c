#include "skin/data/SkinObjectRecords.h"

#include "skin/data/SkinIniFile.h"

void TbsDataSkinObject::ReadFromIni(const TSkinIniFile& ini) {
  ReadSkinKeys(ini, IDName, [this](TSkinKeyIO& io) { VisitKeys(io); });
}

void TbsDataSkinObject::WriteToIni(TSkinIniFile& ini) {
  WriteSkinKeys(ini, IDName, [this](TSkinKeyIO& io) { VisitKeys(io); }, true);
}

void TbsDataSkinObject::VisitKeys(TSkinKeyIO& io) {
  io.Str("hint", hint);
  io.Int("activepictureindex", activepictureindex, -1);
  io.Bool("skinrectinapicture", skinrectinapicture);
  io.Rect("skinrect", skinrect);
  io.Rect("activeskinrect", activeskinrect);
  io.Rect("inactiveskinrect", inactiveskinrect);
  io.Bool("morphing", morphing);
  io.Morph("morphkind", morphkind);
}

void TbsDataUserObject::VisitKeys(TSkinKeyIO& io) { io.Rect("skinrect", skinrect); }

void TbsDataSkinButton::Keys(TSkinKeyIO& io) {
  io.Rect("downrect", downrect);
  io.Rect("disableskinrsect", disableskinrsect);
}

void TbsDataSkinStdButton::Keys(TSkinKeyIO& io) {
  io.Command("command", command);
  io.Rect("restorerect", restorerect);
  io.Rect("restoreactiverect", restoreactiverect);
  io.Rect("restoredownrect", restoredownrect);
  io.Rect("restoreinactiverect", restoreinactiverect);
}

void TbsDataSkinAnimate::ReadFromIni(const TSkinIniFile& ini) {
  TbsDataSkinObject::ReadFromIni(ini);
  morphing = false;
}

void TbsDataSkinAnimate::Keys(TSkinKeyIO& io) {
  io.Int("countframes", countframes, 1);
  io.Bool("cycle", cycle);
  io.Bool("buttonstyle", buttonstyle);
  io.Int("timerinterval", timerinterval, 50);
  io.Command("command", command);
}

void TbsDataSkinMenuItem::Keys(TSkinKeyIO& io) {
  io.Int("itemleftoffset", itemleftoffset);
  io.Int("itemrightoffset", itemrightoffset);
  io.Rect("dividerrect", dividerrect);
  io.Int("dividerleftoffset", dividerleftoffset);
  io.Int("dividerrightoffset", dividerrightoffset);
  io.Rect("textrect", textrect);
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor);
  io.Color("unenabledfontcolor", unenabledfontcolor);
}

void TbsDataSkinMainMenuItem::Keys(TSkinKeyIO& io) {
  io.Int("itemleftoffset", itemleftoffset);
  io.Int("itemrightoffset", itemrightoffset);
  io.Rect("downrect", downrect);
  io.Rect("textrect", textrect);
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor);
  io.Color("downfontcolor", downfontcolor);
  io.Color("unenabledfontColor", unenabledfontcolor);
}

void TbsDataSkinCaption::Keys(TSkinKeyIO& io) {
  io.Rect("textrect", textrect);
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor);
  io.Alignment("alignment", alignment);
  io.Bool("shadow", shadow);
  io.Color("shadowcolor", shadowcolor);
  io.Color("activeshadowcolor", activeshadowcolor);
  io.Rect("framerect", framerect);
  io.Rect("activeframerect", activeframerect);
  io.Rect("frametextrect", frametextrect);
  io.Int("frameleftoffset", frameleftoffset);
  io.Int("framerightoffset", framerightoffset);
}
