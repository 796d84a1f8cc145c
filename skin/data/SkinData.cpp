#include "skin/data/SkinData.h"

#include <algorithm>

#include "framework/core/SysUtils.h"

#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinBroadcast.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinIniValues.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinRecordFactory.h"
#include "skin/data/SkinStreamReader.h"

namespace {
const char* const FormInfo = "FORMINFO";

// Values of the entries "0" .. "count-1" that the section holds, in index order. Absent
// entries would create no record, so only the present ones are visited: a huge count
// costs nothing.
std::vector<std::string> ListEntries(const TSkinIniFile& ini, const std::string& section) {
  const int count = ReadSkinInteger(ini, section, "count", 0);
  std::vector<std::pair<int, std::string>> found;
  TStringList keys;
  ini.ReadSection(section, keys);
  for (int k = 0; k < keys.Count(); ++k) {
    int index = 0;
    if (TryStrToInt(keys[k], index) && index >= 0 && index < count && IntToStr(index) == keys[k])
      found.emplace_back(index, ReadSkinString(ini, section, keys[k]));
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (auto& f : found) out.push_back(std::move(f.second));
  return out;
}

template <typename List>
int FindByName(const List& list, const std::string& name) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i]->IDName == name) return static_cast<int>(i);
  return -1;
}
}  // namespace

TbsSkinData::TbsSkinData(TComponent* AOwner)
    : TComponent(AOwner),
      SkinPicture(std::make_unique<TBitmap>()),
      SkinInactivePicture(std::make_unique<TBitmap>()),
      SkinMask(std::make_unique<TBitmap>()),
      PictureFileNames(std::make_unique<TStringList>()),
      PopupRecord(std::make_unique<TbsDataSkinPopupWindow>()),
      HintRecord(std::make_unique<TbsDataSkinHintWindow>()) {}

TbsSkinData::~TbsSkinData() {
  // Forms and controls let go of the skin while it is still whole and already empty:
  // whatever they redraw or resize meanwhile takes the default look.
  SkinEmpty = true;
  SendFreeNotifications();
  ClearRecords();
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* value) {
  if (FCompressedStoredSkin && FCompressedStoredSkin != value) FCompressedStoredSkin->RemoveFreeNotification(this);
  FCompressedStoredSkin = value;
  if (value) value->FreeNotification(this);
  if (!ComponentState().Contains(csDesigning) && value) LoadFromStoredSkin(value);
}

void TbsSkinData::SetResourceStrData(TbsResourceStrData* value) {
  if (FResourceStrData && FResourceStrData != value) FResourceStrData->RemoveFreeNotification(this);
  FResourceStrData = value;
  if (value) value->FreeNotification(this);
  if (!ComponentState().Contains(csDesigning)) BroadcastSkinMessage(SKINMSG_STRINGSCHANGE);
}

void TbsSkinData::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FCompressedStoredSkin) FCompressedStoredSkin = nullptr;
  if (AComponent == FResourceStrData) FResourceStrData = nullptr;
}

int TbsSkinData::FindControlIndex(const std::string& name) const { return FindByName(ControlRecords, name); }
int TbsSkinData::FindObjectIndex(const std::string& name) const { return FindByName(ObjectRecords, name); }

bool TbsSkinData::IsValidPictureIndex(int index) const {
  return index >= 0 && index < static_cast<int>(PictureList.size());
}

void TbsSkinData::BroadcastSkinMessage(UINT msg) { SendSkinMessageToForms(this, msg, SkinMessageLParam); }

void TbsSkinData::ClearRecords() {
  ObjectRecords.clear();
  ControlRecords.clear();
  PictureList.clear();
  PictureFileNames->Clear();
  PopupRecord->windowpictureindex = -1;
  HintRecord->windowpictureindex = -1;
}

void TbsSkinData::ClearSkin() {
  ClearRecords();
  SkinPicture->SetSize(0, 0);
  SkinInactivePicture->SetSize(0, 0);
  SkinMask->SetSize(0, 0);
  picture.clear();
  mask.clear();
  SkinEmpty = true;
}

void TbsSkinData::LoadFromStoredSkin(TbsCompressedStoredSkin* stored) {
  if (!stored || stored->IsDataEmpty()) return;
  SkinEmpty = true;
  BroadcastSkinMessage(SKINMSG_BEFORECHANGE);
  ClearSkin();
  try {
    ReadStoredSkin(stored);
  } catch (...) {
    // Whatever was read before the failure is dropped, so no half skin stays behind.
    ClearSkin();
    throw;
  }
  if (SkinEmpty) return;
  BroadcastSkinMessage(SKINMSG_CHANGE);
  BroadcastSkinMessage(SKINMSG_AFTERCHANGE);
}

void TbsSkinData::ReadStoredSkin(TbsCompressedStoredSkin* stored) {
  TMemoryStream unpacked;
  stored->UnpackTo(unpacked);
  unpacked.SetPosition(0);
  TSkinStreamReader reader(unpacked);
  const Integer version = reader.ReadInteger();
  if (version > SkinStreamVersion) return;

  reader.ReadFlaggedBitmap(*SkinPicture);
  reader.ReadFlaggedBitmap(*SkinInactivePicture);
  reader.ReadFlaggedBitmap(*SkinMask);
  if (version == 2) {
    TBitmap dropped;
    reader.ReadFlaggedBitmap(dropped);
    reader.ReadFlaggedBitmap(dropped);
  }
  const Integer count = reader.ReadInteger();
  for (Integer i = 0; i < count; ++i) {
    PictureList.push_back(std::make_unique<TBitmap>());
    reader.ReadBitmap(*PictureList.back());
  }

  TSkinIniFile ini;
  ini.SetText(reader.ReadRest());

  skinname = ReadSkinString(ini, "VERSION", "skinname");
  skinauthor = ReadSkinString(ini, "VERSION", "skinauthor");
  authoremail = ReadSkinString(ini, "VERSION", "authoremail");
  authorurl = ReadSkinString(ini, "VERSION", "authorurl");
  skincomments = ReadSkinString(ini, "VERSION", "skincomments");
  picture = ReadSkinString(ini, "PICTURES", "picture");
  inactivepicture = ReadSkinString(ini, "PICTURES", "inactivepicture");
  mask = ReadSkinString(ini, "PICTURES", "mask");
  // Names beyond the pictures the stream carried would name nothing.
  ReadNameList(ini, "PICTURES", "activepictures", *PictureFileNames, static_cast<int>(PictureList.size()));

  ReadFormInfo(ini);
  PopupRecord->ReadFromIni(ini);
  HintRecord->ReadFromIni(ini);
  ReadObjectList(ini);
  ReadControlList(ini);
  SkinEmpty = false;
}

void TbsSkinData::ReadFormInfo(const TSkinIniFile& ini) {
  lefttoppoint = ReadSkinPoint(ini, FormInfo, "lefttoppoint");
  righttoppoint = ReadSkinPoint(ini, FormInfo, "righttoppoint");
  leftbottompoint = ReadSkinPoint(ini, FormInfo, "leftbottompoint");
  rightbottompoint = ReadSkinPoint(ini, FormInfo, "rightbottompoint");
  clientrect = ReadSkinRect(ini, FormInfo, "clientrect");
  bgpictureindex = ReadSkinInteger(ini, FormInfo, "bgpictureindex", -1);
  mdibgpictureindex = ReadSkinInteger(ini, FormInfo, "mdibgpictureindex", -1);
  leftstretch = ReadSkinBool(ini, FormInfo, "leftstretch");
  rightstretch = ReadSkinBool(ini, FormInfo, "rightstretch");
  topstretch = ReadSkinBool(ini, FormInfo, "topstretch");
  bottomstretch = ReadSkinBool(ini, FormInfo, "bottomstretch");
  maskrectarea = ReadSkinRect(ini, FormInfo, "maskrectarea");
  hittestlefttoppoint = ReadSkinPoint(ini, FormInfo, "hittestlefttoppoint");
  hittestrighttoppoint = ReadSkinPoint(ini, FormInfo, "hittestrighttoppoint");
  hittestleftbottompoint = ReadSkinPoint(ini, FormInfo, "hittestleftbottompoint");
  hittestrightbottompoint = ReadSkinPoint(ini, FormInfo, "hittestrightbottompoint");
  buttonsrect = ReadSkinRect(ini, FormInfo, "buttonsrect");
  captionrect = ReadSkinRect(ini, FormInfo, "captionrect");
  buttonsoffset = ReadSkinInteger(ini, FormInfo, "buttonsoffset", 0);
  buttonsinleft = ReadSkinBool(ini, FormInfo, "buttonsinleft");
  mainmenupopupup = ReadSkinBool(ini, FormInfo, "mainmenupopupup");
  borderwidth = ReadSkinInteger(ini, FormInfo, "borderwidth", 0);
  autorenderinginactiveimage = ReadSkinBool(ini, FormInfo, "autorenderinginactiveimage");
  inactiveeffect = ReadInactiveEffect(ini, FormInfo, "inactiveeffect");

  if (!mask.empty()) {
    if (IsSkinRectEmpty(maskrectarea)) {
      maskrectarea = clientrect;
    } else {
      maskrectarea.Left = std::min(maskrectarea.Left, clientrect.Left);
      maskrectarea.Top = std::min(maskrectarea.Top, clientrect.Top);
      maskrectarea.Right = std::max(maskrectarea.Right, clientrect.Right);
      maskrectarea.Bottom = std::max(maskrectarea.Bottom, clientrect.Bottom);
    }
    if (IsSkinPointUnset(hittestlefttoppoint)) hittestlefttoppoint = lefttoppoint;
    if (IsSkinPointUnset(hittestrighttoppoint)) hittestrighttoppoint = righttoppoint;
    if (IsSkinPointUnset(hittestleftbottompoint)) hittestleftbottompoint = leftbottompoint;
    if (IsSkinPointUnset(hittestrightbottompoint)) hittestrightbottompoint = rightbottompoint;
  }

  if (rightbottompoint.X == lefttoppoint.X || rightbottompoint.Y == lefttoppoint.Y) return;
  const TRect& c = clientrect;
  lefttoppoint.X = std::max(lefttoppoint.X, c.Left);
  lefttoppoint.Y = std::max(lefttoppoint.Y, c.Top);
  righttoppoint.X = std::min(righttoppoint.X, c.Right);
  righttoppoint.Y = std::max(righttoppoint.Y, c.Top);
  leftbottompoint.X = std::max(leftbottompoint.X, c.Left);
  leftbottompoint.Y = std::min(leftbottompoint.Y, c.Bottom);
  rightbottompoint.X = std::min(rightbottompoint.X, c.Right);
  rightbottompoint.Y = std::min(rightbottompoint.Y, c.Bottom);
}

void TbsSkinData::ReadObjectList(const TSkinIniFile& ini) {
  std::string name, word;
  for (const std::string& entry : ListEntries(ini, "SKINOBJECTS")) {
    if (!SplitListEntry(entry, name, word)) continue;
    if (auto record = CreateObjectRecord(word, name)) {
      ObjectRecords.push_back(std::move(record));
      ObjectRecords.back()->ReadFromIni(ini);
    }
  }
}

void TbsSkinData::ReadControlList(const TSkinIniFile& ini) {
  std::string name, word;
  for (const std::string& entry : ListEntries(ini, "SKINCONTROLS")) {
    if (!SplitListEntry(entry, name, word)) continue;
    if (auto record = CreateControlRecord(word, name)) {
      ControlRecords.push_back(std::move(record));
      ControlRecords.back()->ReadFromIni(ini);
    }
  }
}
