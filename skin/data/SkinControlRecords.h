#pragma once
// Records of the skinnable controls: one kind per type word of "SKINCONTROLS". Every
// field is named after its INI key; a kind reads its base's keys first, then its own.
#include <string>

#include "framework/core/Component.h"
#include "skin/data/SkinKeyIO.h"

class TSkinIniFile;

#define SKIN_FONT_FIELDS(p)         \
  std::string p##fontname = "Arial"; \
  int p##fontheight = 14;           \
  TFontStyles p##fontstyle;         \
  TColor p##fontcolor = 0;

#define SKIN_CONTROL_RECORD(Class, Base)                               \
 public:                                                               \
  using Base::Base;                                                    \
  using Inherited = Base;                                              \
  std::string ClassName() const override { return #Class; }            \
  SKIN_RECORD_IO(Base)

class TbsDataSkinControl : public TObject {
 public:
  explicit TbsDataSkinControl(std::string AIDName) : IDName(std::move(AIDName)) {}
  std::string ClassName() const override { return "TbsDataSkinControl"; }
  // Reads the keys of the section named IDName.
  virtual void ReadFromIni(const TSkinIniFile& ini);
  // Erases the section, then writes every key of the record in reading order.
  virtual void WriteToIni(TSkinIniFile& ini);
  // Every key the kind reads, its base's first: the one list that reading, writing and
  // the key reference walk.
  virtual void VisitKeys(TSkinKeyIO& io);
  // This record as kind R; nullptr when it is of another kind.
  template <class R>
  const R* As() const {
    return dynamic_cast<const R*>(this);
  }

  std::string IDName;
  int pictureindex = -1;
  int maskpictureindex = -1;
  TRect skinrect;
};

class TbsDataSkinCustomControl : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinCustomControl, TbsDataSkinControl)
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  TRect clientrect;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinPanelControl, TbsDataSkinCustomControl)
  int bgpictureindex = -1;
  TRect captionrect;
  TSkinAlignment alignment = saCenter;
  SKIN_FONT_FIELDS()
  TRect checkimagerect, uncheckimagerect;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinExPanelControl, TbsDataSkinCustomControl)
  TRect rollhskinrect, rollvskinrect;
  int rollleftoffset = 0, rollrightoffset = 0, rolltopoffset = 0, rollbottomoffset = 0;
  TRect rollvcaptionrect, rollhcaptionrect;
  TRect closebuttonrect, closebuttonactiverect, closebuttondownrect;
  TRect hrollbuttonrect, hrollbuttonactiverect, hrollbuttondownrect;
  TRect hrestorebuttonrect, hrestorebuttonactiverect, hrestorebuttondownrect;
  TRect vrollbuttonrect, vrollbuttonactiverect, vrollbuttondownrect;
  TRect vrestorebuttonrect, vrestorebuttonactiverect, vrestorebuttondownrect;
  TRect captionrect;
  SKIN_FONT_FIELDS()
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinButtonControl, TbsDataSkinCustomControl)
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0, downfontcolor = 0, disabledfontcolor = 0;
  TRect activeskinrect, downskinrect, disabledskinrect;
  bool morphing = false;
  TMorphKind morphkind = mkDefault;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
  SKIN_CONTROL_RECORD(TbsDataSkinMenuButtonControl, TbsDataSkinButtonControl)
  TRect trackbuttonrect;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinCheckRadioControl, TbsDataSkinCustomControl)
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0, unenabledfontcolor = 0, framefontcolor = 0;
  TRect activeskinrect;
  TRect checkimagearea, textarea;
  TRect checkimagerect, uncheckimagerect, activecheckimagerect, activeuncheckimagerect;
  TRect unenabledcheckimagerect, unenableduncheckimagerect;
  bool morphing = false;
  TMorphKind morphkind = mkDefault;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinGaugeControl, TbsDataSkinCustomControl)
  TRect progressarea, progressrect;
  int beginoffset = 0, endoffset = 0;
  bool vertical = false;
  SKIN_FONT_FIELDS()
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  using Inherited = TbsDataSkinCustomControl;
  std::string ClassName() const override { return "TbsDataSkinSplitterControl"; }
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinTrackBarControl, TbsDataSkinCustomControl)
  TRect trackarea, buttonrect, activebuttonrect;
  bool vertical = false;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinLabelControl, TbsDataSkinCustomControl)
  SKIN_FONT_FIELDS()
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinStdLabelControl, TbsDataSkinControl)
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0xFF0000;
};

class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinUpDownControl, TbsDataSkinCustomControl)
  // Up-down buttons are never stretched: corners and client area are dropped after reading.
  void ReadFromIni(const TSkinIniFile& ini) override;
  TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
  TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
};

class TbsDataSkinGridControl : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinGridControl, TbsDataSkinControl)
  TRect fixedcellrect, selectcellrect, focuscellrect;
  int fixedcellleftoffset = 0, fixedcellrightoffset = 0;
  TRect fixedcelltextrect;
  int cellleftoffset = 0, cellrightoffset = 0;
  TRect celltextrect;
  TColor linescolor = 0, bgcolor = 0;
  SKIN_FONT_FIELDS()
  TColor selectfontcolor = 0, focusfontcolor = 0;
  SKIN_FONT_FIELDS(fixed)
};

class TbsDataSkinTabControl : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinTabControl, TbsDataSkinControl)
  TRect tabrect, activetabrect, focustabrect, mouseintabrect;
  TRect clientrect;
  int bgpictureindex = -1;
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  int tableftoffset = 0, tabrightoffset = 0;
  TRect tabsbgrect;
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0, focusfontcolor = 0, mouseinfontcolor = 0;
  std::string updown;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinMainMenuBar, TbsDataSkinControl)
  TRect itemsrect;
  std::string menubaritem, closebutton, minbutton, maxbutton, sysmenubutton;
  TColor trackmarkcolor = 0, trackmarkactivecolor = 0;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinControlBar, TbsDataSkinCustomControl)
  TRect itemrect;
  int bgpictureindex = -1;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinEditControl, TbsDataSkinCustomControl)
  TRect activeskinrect;
  SKIN_FONT_FIELDS()
  TColor disabledfontcolor = 0, activefontcolor = 0;
  TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
  SKIN_CONTROL_RECORD(TbsDataSkinMemoControl, TbsDataSkinEditControl)
  TColor bgcolor = 0, activebgcolor = 0;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinListBox, TbsDataSkinCustomControl)
  TRect itemrect, activeitemrect, focusitemrect;
  int itemleftoffset = 0, itemrightoffset = 0;
  TRect itemtextrect;
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0, focusfontcolor = 0;
  TRect captionrect;
  SKIN_FONT_FIELDS(caption)
  TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
  TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
  TRect checkbuttonrect, activecheckbuttonrect, downcheckbuttonrect;
  std::string vscrollbarname = "vscrollbar";
  std::string hscrollbarname = "hscrollbar";
  std::string bothhscrollbarname = "bothhscrollbar";
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
  SKIN_CONTROL_RECORD(TbsDataSkinCheckListBox, TbsDataSkinListBox)
  TRect itemcheckrect, checkimagerect, uncheckimagerect;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinComboBox, TbsDataSkinCustomControl)
  TRect itemrect, focusitemrect;
  int itemleftoffset = 0, itemrightoffset = 0;
  TRect itemtextrect;
  SKIN_FONT_FIELDS()
  TColor focusfontcolor = 0;
  std::string listboxname;
  TRect buttonrect, activebuttonrect, downbuttonrect, unenabledbuttonrect;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinScrollBarControl, TbsDataSkinCustomControl)
  TRect trackarea;
  TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
  TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
  TRect thumbrect, activethumbrect, downthumbrect;
  int thumboffset1 = 0, thumboffset2 = 0;
  TRect glyphrect, activeglyphrect, downglyphrect;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinSpinEditControl, TbsDataSkinCustomControl)
  TRect activeskinrect;
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0, disabledfontcolor = 0;
  TRect upbuttonrect, activeupbuttonrect, downupbuttonrect;
  TRect downbuttonrect, activedownbuttonrect, downdownbuttonrect;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
  SKIN_CONTROL_RECORD(TbsDataSkinScrollBoxControl, TbsDataSkinCustomControl)
  int bgpictureindex = -1;
};

class TbsDataSkinTreeView : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinTreeView, TbsDataSkinControl)
  SKIN_FONT_FIELDS()
  TColor bgcolor = 0;
};

class TbsDataSkinListView : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinListView, TbsDataSkinControl)
  SKIN_FONT_FIELDS()
  TColor bgcolor = 0;
};

class TbsDataSkinRichEdit : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinRichEdit, TbsDataSkinControl)
  SKIN_FONT_FIELDS()
  TColor bgcolor = 0;
};

class TbsDataSkinBevel : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinBevel, TbsDataSkinControl)
  TColor lightcolor = 0, darkcolor = 0;
};

class TbsDataSkinSlider : public TbsDataSkinControl {
  SKIN_CONTROL_RECORD(TbsDataSkinSlider, TbsDataSkinControl)
  TColor bgcolor = 0;
  TRect hrulerrect, hthumbrect, vrulerrect, vthumbrect;
  int edgesize = 0;
  TColor pointscolor = 0;
};
