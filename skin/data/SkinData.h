#pragma once
// One loaded skin: its bitmaps, the form frame values, the popup and hint window skins
// and the records every skinned control and form object looks itself up in by name.
// It starts empty; a skin enters only through LoadFromStoredSkin, and every change is
// announced to the forms by synchronous skin messages.
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Strings.h"
#include "framework/core/Types.h"
#include "framework/graphics/Bitmap.h"
#include "framework/messages/Messages.h"
#include "skin/data/SkinControlRecords.h"
#include "skin/data/SkinObjectRecords.h"
#include "skin/data/SkinTypes.h"
#include "skin/data/SkinWindowRecords.h"

class TbsCompressedStoredSkin;
class TbsResourceStrData;
class TSkinIniFile;

// Long parameter of every skin message.
constexpr long SkinMessageLParam = 1000;

class TbsSkinData : public TComponent {
 public:
  explicit TbsSkinData(TComponent* AOwner);
  ~TbsSkinData() override;
  std::string ClassName() const override { return "TbsSkinData"; }

  TbsCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
  // Outside the designer a non-none value loads the skin stored there.
  void SetCompressedStoredSkin(TbsCompressedStoredSkin* value);
  TbsResourceStrData* ResourceStrData() const { return FResourceStrData; }
  // Outside the designer tells every form that the texts changed (also for none).
  void SetResourceStrData(TbsResourceStrData* value);

  // First record whose IDName equals name byte for byte; -1 when none.
  int FindControlIndex(const std::string& name) const;
  int FindObjectIndex(const std::string& name) const;
  // The record at index as kind R; nullptr when there is none there or it is of another kind.
  template <class R>
  const R* ControlRecord(int index) const {
    return index >= 0 && size_t(index) < ControlRecords.size() ? ControlRecords[size_t(index)]->As<R>() : nullptr;
  }
  template <class R>
  const R* ObjectRecord(int index) const {
    return index >= 0 && size_t(index) < ObjectRecords.size() ? ObjectRecords[size_t(index)]->As<R>() : nullptr;
  }
  // A picture index is valid when it is not -1 and below the size of PictureList.
  bool IsValidPictureIndex(int index) const;
  // The picture at a valid index; nullptr at any other.
  TBitmap* PictureAt(int index) const { return IsValidPictureIndex(index) ? PictureList[size_t(index)].get() : nullptr; }

  // Sends msg to the owner form first, then to every other form of the application.
  void BroadcastSkinMessage(UINT msg);
  void ClearRecords();
  void ClearSkin();
  // Replaces the skin by the one stored there; an empty store changes nothing.
  void LoadFromStoredSkin(TbsCompressedStoredSkin* stored);

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Reading steps of a load, usable on their own for tools and tests.
  void ReadFormInfo(const TSkinIniFile& ini);
  void ReadObjectList(const TSkinIniFile& ini);
  void ReadControlList(const TSkinIniFile& ini);

  // The keys of the sections read into the skin data itself, in reading order: the
  // loader walks them, and so does the key reference. List sections hand their
  // "name:type" entries to entries.
  void VersionKeys(TSkinKeyIO& io);
  void PictureKeys(TSkinKeyIO& io);
  void FormInfoKeys(TSkinKeyIO& io);
  static void ListKeys(TSkinKeyIO& io, std::vector<std::string>& entries);

  bool SkinEmpty = true;
  std::vector<std::unique_ptr<TbsDataSkinObject>> ObjectRecords;
  std::vector<std::unique_ptr<TbsDataSkinControl>> ControlRecords;
  std::unique_ptr<TBitmap> SkinPicture;
  std::unique_ptr<TBitmap> SkinInactivePicture;
  std::unique_ptr<TBitmap> SkinMask;
  std::vector<std::unique_ptr<TBitmap>> PictureList;
  std::unique_ptr<TStringList> PictureFileNames;
  std::unique_ptr<TbsDataSkinPopupWindow> PopupRecord;
  std::unique_ptr<TbsDataSkinHintWindow> HintRecord;

  // Section "PICTURES": file names of the three main bitmaps.
  std::string picture, inactivepicture, mask;
  // Section "VERSION".
  std::string skinname, skinauthor, authoremail, authorurl, skincomments;
  // Section "FORMINFO", each value under its key's name.
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  TRect clientrect;
  int bgpictureindex = -1;
  int mdibgpictureindex = -1;
  bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
  TRect maskrectarea;
  TPoint hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint, hittestrightbottompoint;
  TRect buttonsrect, captionrect;
  int buttonsoffset = 0;
  bool buttonsinleft = false;
  bool mainmenupopupup = false;
  int borderwidth = 0;
  bool autorenderinginactiveimage = false;
  TInactiveEffect inactiveeffect = ieBrightness;

 private:
  void ReadStoredSkin(TbsCompressedStoredSkin* stored);
  TbsCompressedStoredSkin* FCompressedStoredSkin = nullptr;
  TbsResourceStrData* FResourceStrData = nullptr;
};
