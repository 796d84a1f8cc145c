#include "skin/data/SkinControlRecords.h"

#include "skin/data/SkinIniFile.h"

void TbsDataSkinControl::ReadFromIni(const TSkinIniFile& ini) {
  ReadSkinKeys(ini, IDName, [this](TSkinKeyIO& io) { VisitKeys(io); });
}

void TbsDataSkinControl::WriteToIni(TSkinIniFile& ini) {
  WriteSkinKeys(ini, IDName, [this](TSkinKeyIO& io) { VisitKeys(io); }, true);
}

void TbsDataSkinControl::VisitKeys(TSkinKeyIO& io) {
  io.Int("pictureindex", pictureindex, -1);
  io.Int("maskpictureindex", maskpictureindex, -1);
  io.Rect("skinrect", skinrect);
}

void TbsDataSkinCustomControl::Keys(TSkinKeyIO& io) {
  io.Point("lefttoppoint", lefttoppoint);
  io.Point("righttoppoint", righttoppoint);
  io.Point("leftbottompoint", leftbottompoint);
  io.Point("rightbottompoint", rightbottompoint);
  io.Rect("clientrect", clientrect);
}

void TbsDataSkinPanelControl::Keys(TSkinKeyIO& io) {
  io.Int("bgpictureindex", bgpictureindex, -1);
  io.Rect("captionrect", captionrect);
  io.Alignment("alignment", alignment);
  SKIN_FONT_KEYS();
  io.Rect("checkimagerect", checkimagerect);
  io.Rect("uncheckimagerect", uncheckimagerect);
}

void TbsDataSkinExPanelControl::Keys(TSkinKeyIO& io) {
  io.Rect("rollhskinrect", rollhskinrect);
  io.Rect("rollvskinrect", rollvskinrect);
  io.Int("rollleftoffset", rollleftoffset);
  io.Int("rollrightoffset", rollrightoffset);
  io.Int("rolltopoffset", rolltopoffset);
  io.Int("rollbottomoffset", rollbottomoffset);
  io.Rect("rollvcaptionrect", rollvcaptionrect);
  io.Rect("rollhcaptionrect", rollhcaptionrect);
  io.Rect("closebuttonrect", closebuttonrect);
  io.Rect("closebuttonactiverect", closebuttonactiverect);
  io.Rect("closebuttondownrect", closebuttondownrect);
  io.Rect("hrollbuttonrect", hrollbuttonrect);
  io.Rect("hrollbuttonactiverect", hrollbuttonactiverect);
  io.Rect("hrollbuttondownrect", hrollbuttondownrect);
  io.Rect("hrestorebuttonrect", hrestorebuttonrect);
  io.Rect("hrestorebuttonactiverect", hrestorebuttonactiverect);
  io.Rect("hrestorebuttondownrect", hrestorebuttondownrect);
  io.Rect("vrollbuttonrect", vrollbuttonrect);
  io.Rect("vrollbuttonactiverect", vrollbuttonactiverect);
  io.Rect("vrollbuttondownrect", vrollbuttondownrect);
  io.Rect("vrestorebuttonrect", vrestorebuttonrect);
  io.Rect("vrestorebuttonactiverect", vrestorebuttonactiverect);
  io.Rect("vrestorebuttondownrect", vrestorebuttondownrect);
  io.Rect("captionrect", captionrect);
  SKIN_FONT_KEYS();
}

void TbsDataSkinButtonControl::Keys(TSkinKeyIO& io) {
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor);
  io.Color("downfontcolor", downfontcolor);
  io.Color("disabledfontcolor", disabledfontcolor);
  io.Rect("activeskinrect", activeskinrect);
  io.Rect("downskinrect", downskinrect);
  io.Rect("disabledskinrect", disabledskinrect);
  io.Bool("morphing", morphing);
  io.Morph("morphkind", morphkind);
}

void TbsDataSkinMenuButtonControl::Keys(TSkinKeyIO& io) { io.Rect("trackbuttonrect", trackbuttonrect); }

void TbsDataSkinCheckRadioControl::Keys(TSkinKeyIO& io) {
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor);
  io.Color("unenabledfontcolor", unenabledfontcolor);
  io.Color("framefontcolor", framefontcolor);
  io.Rect("activeskinrect", activeskinrect);
  io.Rect("checkimagearea", checkimagearea);
  io.Rect("textarea", textarea);
  io.Rect("checkimagerect", checkimagerect);
  io.Rect("uncheckimagerect", uncheckimagerect);
  io.Rect("activecheckimagerect", activecheckimagerect);
  io.Rect("activeuncheckimagerect", activeuncheckimagerect);
  io.Rect("unenabledcheckimagerect", unenabledcheckimagerect);
  io.Rect("unenableduncheckimagerect", unenableduncheckimagerect);
  io.Bool("morphing", morphing);
  io.Morph("morphkind", morphkind);
}

void TbsDataSkinGaugeControl::Keys(TSkinKeyIO& io) {
  io.Rect("progressarea", progressarea);
  io.Rect("progressrect", progressrect);
  io.Int("beginoffset", beginoffset);
  io.Int("endoffset", endoffset);
  io.Bool("vertical", vertical);
  SKIN_FONT_KEYS();
}

void TbsDataSkinTrackBarControl::Keys(TSkinKeyIO& io) {
  io.Rect("trackarea", trackarea);
  io.Rect("buttonrect", buttonrect);
  io.Rect("activebuttonrect", activebuttonrect);
  io.Bool("vertical", vertical);
}

void TbsDataSkinLabelControl::Keys(TSkinKeyIO& io) { SKIN_FONT_KEYS(); }

void TbsDataSkinStdLabelControl::Keys(TSkinKeyIO& io) {
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor, 0xFF0000);
}

void TbsDataSkinUpDownControl::ReadFromIni(const TSkinIniFile& ini) {
  TbsDataSkinCustomControl::ReadFromIni(ini);
  lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
  clientrect = TRect{};
}

void TbsDataSkinUpDownControl::Keys(TSkinKeyIO& io) {
  io.Rect("upbuttonrect", upbuttonrect);
  io.Rect("activeupbuttonrect", activeupbuttonrect);
  io.Rect("downupbuttonrect", downupbuttonrect);
  io.Rect("downbuttonrect", downbuttonrect);
  io.Rect("activedownbuttonrect", activedownbuttonrect);
  io.Rect("downdownbuttonrect", downdownbuttonrect);
}

void TbsDataSkinGridControl::Keys(TSkinKeyIO& io) {
  io.Rect("fixedcellrect", fixedcellrect);
  io.Rect("selectcellrect", selectcellrect);
  io.Rect("focuscellrect", focuscellrect);
  io.Int("fixedcellleftoffset", fixedcellleftoffset);
  io.Int("fixedcellrightoffset", fixedcellrightoffset);
  io.Rect("fixedcelltextrect", fixedcelltextrect);
  io.Int("cellleftoffset", cellleftoffset);
  io.Int("cellrightoffset", cellrightoffset);
  io.Rect("celltextrect", celltextrect);
  io.Color("linescolor", linescolor);
  io.Color("bgcolor", bgcolor);
  SKIN_FONT_KEYS();
  io.Color("selectfontcolor", selectfontcolor);
  io.Color("focusfontcolor", focusfontcolor);
  SKIN_FONT_KEYS(fixed);
}

void TbsDataSkinTabControl::Keys(TSkinKeyIO& io) {
  io.Rect("tabrect", tabrect);
  io.Rect("activetabrect", activetabrect);
  io.Rect("focustabrect", focustabrect);
  io.Rect("mouseintabrect", mouseintabrect);
  io.Rect("clientrect", clientrect);
  io.Int("bgpictureindex", bgpictureindex, -1);
  io.Point("lefttoppoint", lefttoppoint);
  io.Point("righttoppoint", righttoppoint);
  io.Point("leftbottompoint", leftbottompoint);
  io.Point("rightbottompoint", rightbottompoint);
  io.Int("tableftoffset", tableftoffset);
  io.Int("tabrightoffset", tabrightoffset);
  io.Rect("tabsbgrect", tabsbgrect);
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor);
  io.Color("focusfontcolor", focusfontcolor);
  io.Color("mouseinfontcolor", mouseinfontcolor);
  io.Str("updown", updown);
}

void TbsDataSkinMainMenuBar::Keys(TSkinKeyIO& io) {
  io.Rect("itemsrect", itemsrect);
  io.Str("menubaritem", menubaritem);
  io.Str("closebutton", closebutton);
  io.Str("minbutton", minbutton);
  io.Str("maxbutton", maxbutton);
  io.Str("sysmenubutton", sysmenubutton);
  io.Color("trackmarkcolor", trackmarkcolor);
  io.Color("trackmarkactivecolor", trackmarkactivecolor);
}

void TbsDataSkinControlBar::Keys(TSkinKeyIO& io) {
  io.Rect("itemrect", itemrect);
  io.Int("bgpictureindex", bgpictureindex, -1);
}

void TbsDataSkinEditControl::Keys(TSkinKeyIO& io) {
  io.Rect("activeskinrect", activeskinrect);
  SKIN_FONT_KEYS();
  io.Color("disabledfontcolor", disabledfontcolor);
  io.Color("activefontcolor", activefontcolor);
  io.Rect("buttonrect", buttonrect);
  io.Rect("activebuttonrect", activebuttonrect);
  io.Rect("downbuttonrect", downbuttonrect);
  io.Rect("unenabledbuttonrect", unenabledbuttonrect);
}

void TbsDataSkinMemoControl::Keys(TSkinKeyIO& io) {
  io.Color("bgcolor", bgcolor);
  io.Color("activebgcolor", activebgcolor);
}

void TbsDataSkinListBox::Keys(TSkinKeyIO& io) {
  io.Rect("itemrect", itemrect);
  io.Rect("activeitemrect", activeitemrect);
  io.Rect("focusitemrect", focusitemrect);
  io.Int("itemleftoffset", itemleftoffset);
  io.Int("itemrightoffset", itemrightoffset);
  io.Rect("itemtextrect", itemtextrect);
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor);
  io.Color("focusfontcolor", focusfontcolor);
  io.Rect("captionrect", captionrect);
  SKIN_FONT_KEYS(caption);
  io.Rect("upbuttonrect", upbuttonrect);
  io.Rect("activeupbuttonrect", activeupbuttonrect);
  io.Rect("downupbuttonrect", downupbuttonrect);
  io.Rect("downbuttonrect", downbuttonrect);
  io.Rect("activedownbuttonrect", activedownbuttonrect);
  io.Rect("downdownbuttonrect", downdownbuttonrect);
  io.Rect("checkbuttonrect", checkbuttonrect);
  io.Rect("activecheckbuttonrect", activecheckbuttonrect);
  io.Rect("downcheckbuttonrect", downcheckbuttonrect);
  io.Str("vscrollbarname", vscrollbarname, "vscrollbar");
  io.Str("hscrollbarname", hscrollbarname, "hscrollbar");
  io.Str("bothhscrollbarname", bothhscrollbarname, "bothhscrollbar");
}

void TbsDataSkinCheckListBox::Keys(TSkinKeyIO& io) {
  io.Rect("itemcheckrect", itemcheckrect);
  io.Rect("checkimagerect", checkimagerect);
  io.Rect("uncheckimagerect", uncheckimagerect);
}

void TbsDataSkinComboBox::Keys(TSkinKeyIO& io) {
  io.Rect("itemrect", itemrect);
  io.Rect("focusitemrect", focusitemrect);
  io.Int("itemleftoffset", itemleftoffset);
  io.Int("itemrightoffset", itemrightoffset);
  io.Rect("itemtextrect", itemtextrect);
  SKIN_FONT_KEYS();
  io.Color("focusfontcolor", focusfontcolor);
  io.Str("listboxname", listboxname);
  io.Rect("buttonrect", buttonrect);
  io.Rect("activebuttonrect", activebuttonrect);
  io.Rect("downbuttonrect", downbuttonrect);
  io.Rect("unenabledbuttonrect", unenabledbuttonrect);
}

void TbsDataSkinScrollBarControl::Keys(TSkinKeyIO& io) {
  io.Rect("trackarea", trackarea);
  io.Rect("upbuttonrect", upbuttonrect);
  io.Rect("activeupbuttonrect", activeupbuttonrect);
  io.Rect("downupbuttonrect", downupbuttonrect);
  io.Rect("downbuttonrect", downbuttonrect);
  io.Rect("activedownbuttonrect", activedownbuttonrect);
  io.Rect("downdownbuttonrect", downdownbuttonrect);
  io.Rect("thumbrect", thumbrect);
  io.Rect("activethumbrect", activethumbrect);
  io.Rect("downthumbrect", downthumbrect);
  io.Int("thumboffset1", thumboffset1);
  io.Int("thumboffset2", thumboffset2);
  io.Rect("glyphrect", glyphrect);
  io.Rect("activeglyphrect", activeglyphrect);
  io.Rect("downglyphrect", downglyphrect);
}

void TbsDataSkinSpinEditControl::Keys(TSkinKeyIO& io) {
  io.Rect("activeskinrect", activeskinrect);
  SKIN_FONT_KEYS();
  io.Color("activefontcolor", activefontcolor);
  io.Color("disabledfontcolor", disabledfontcolor);
  io.Rect("upbuttonrect", upbuttonrect);
  io.Rect("activeupbuttonrect", activeupbuttonrect);
  io.Rect("downupbuttonrect", downupbuttonrect);
  io.Rect("downbuttonrect", downbuttonrect);
  io.Rect("activedownbuttonrect", activedownbuttonrect);
  io.Rect("downdownbuttonrect", downdownbuttonrect);
}

void TbsDataSkinScrollBoxControl::Keys(TSkinKeyIO& io) { io.Int("bgpictureindex", bgpictureindex, -1); }

void TbsDataSkinTreeView::Keys(TSkinKeyIO& io) {
  SKIN_FONT_KEYS();
  io.Color("bgcolor", bgcolor);
}

void TbsDataSkinListView::Keys(TSkinKeyIO& io) {
  SKIN_FONT_KEYS();
  io.Color("bgcolor", bgcolor);
}

void TbsDataSkinRichEdit::Keys(TSkinKeyIO& io) {
  SKIN_FONT_KEYS();
  io.Color("bgcolor", bgcolor);
}

void TbsDataSkinBevel::Keys(TSkinKeyIO& io) {
  io.Color("lightcolor", lightcolor);
  io.Color("darkcolor", darkcolor);
}

void TbsDataSkinSlider::Keys(TSkinKeyIO& io) {
  io.Color("bgcolor", bgcolor);
  io.Rect("hrulerrect", hrulerrect);
  io.Rect("hthumbrect", hthumbrect);
  io.Rect("vrulerrect", vrulerrect);
  io.Rect("vthumbrect", vthumbrect);
  io.Int("edgesize", edgesize);
  io.Color("pointscolor", pointscolor);
}
