#pragma once
// Records of the form objects (caption buttons, captions, animations, menu items):
// one kind per type word of "SKINOBJECTS". Fields are named after their INI keys.
#include <string>

#include "framework/core/Component.h"
#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinKeyIO.h"

class TSkinIniFile;

class TbsDataSkinObject : public TObject {
 public:
  explicit TbsDataSkinObject(std::string AIDName) : IDName(std::move(AIDName)) {}
  std::string ClassName() const override { return "TbsDataSkinObject"; }
  virtual void ReadFromIni(const TSkinIniFile& ini);
  // Erases the section, then writes every key of the record in reading order.
  virtual void WriteToIni(TSkinIniFile& ini);
  // Every key the kind reads, its base's first (see TbsDataSkinControl).
  virtual void VisitKeys(TSkinKeyIO& io);
  // This record as kind R; nullptr when it is of another kind.
  template <class R>
  const R* As() const {
    return dynamic_cast<const R*>(this);
  }

  std::string IDName;
  std::string hint;
  int activepictureindex = -1;
  bool skinrectinapicture = false;
  TRect skinrect, activeskinrect, inactiveskinrect;
  bool morphing = false;
  TMorphKind morphkind = mkDefault;
};

// A user object reads "skinrect" only, none of the keys of its base.
class TbsDataUserObject : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  using Inherited = TbsDataSkinObject;
  std::string ClassName() const override { return "TbsDataUserObject"; }
  void VisitKeys(TSkinKeyIO& io) override;
};

class TbsDataSkinButton : public TbsDataSkinObject {
  SKIN_CONTROL_RECORD(TbsDataSkinButton, TbsDataSkinObject)
  TRect downrect;
  TRect disableskinrsect;  // the key is spelled so
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
  SKIN_CONTROL_RECORD(TbsDataSkinStdButton, TbsDataSkinButton)
  TStdCommand command = cmDefault;
  TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
 public:
  using TbsDataSkinStdButton::TbsDataSkinStdButton;
  using Inherited = TbsDataSkinStdButton;
  std::string ClassName() const override { return "TbsDataSkinMainMenuBarButton"; }
};

class TbsDataSkinAnimate : public TbsDataSkinObject {
  SKIN_CONTROL_RECORD(TbsDataSkinAnimate, TbsDataSkinObject)
  // Animations never morph: "morphing" is forced off after reading.
  void ReadFromIni(const TSkinIniFile& ini) override;
  int countframes = 1;
  bool cycle = false;
  bool buttonstyle = false;
  int timerinterval = 50;
  TStdCommand command = cmDefault;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject {
  SKIN_CONTROL_RECORD(TbsDataSkinMenuItem, TbsDataSkinObject)
  int itemleftoffset = 0, itemrightoffset = 0;
  TRect dividerrect;
  int dividerleftoffset = 0, dividerrightoffset = 0;
  TRect textrect;
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0, unenabledfontcolor = 0;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
  SKIN_CONTROL_RECORD(TbsDataSkinMainMenuItem, TbsDataSkinObject)
  int itemleftoffset = 0, itemrightoffset = 0;
  TRect downrect, textrect;
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0, downfontcolor = 0;
  TColor unenabledfontcolor = 0;  // key "unenabledfontColor"
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
 public:
  using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
  using Inherited = TbsDataSkinMainMenuItem;
  std::string ClassName() const override { return "TbsDataSkinMainMenuBarItem"; }
};

class TbsDataSkinCaption : public TbsDataSkinObject {
  SKIN_CONTROL_RECORD(TbsDataSkinCaption, TbsDataSkinObject)
  TRect textrect;
  SKIN_FONT_FIELDS()
  TColor activefontcolor = 0;
  TSkinAlignment alignment = saCenter;
  bool shadow = false;
  TColor shadowcolor = 0, activeshadowcolor = 0;
  TRect framerect, activeframerect, frametextrect;
  int frameleftoffset = 0, framerightoffset = 0;
};
