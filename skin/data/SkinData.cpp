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

  ReadSkinKeys(ini, "VERSION", [this](TSkinKeyIO& io) { VersionKeys(io); });
  ReadSkinKeys(ini, "PICTURES", [this](TSkinKeyIO& io) { PictureKeys(io); });

  ReadFormInfo(ini);
  PopupRecord->ReadFromIni(ini);
  HintRecord->ReadFromIni(ini);
  ReadObjectList(ini);
  ReadControlList(ini);
  SkinEmpty = false;
}

void TbsSkinData::VersionKeys(TSkinKeyIO& io) {
  io.Str("skinname", skinname);
  io.Str("skinauthor", skinauthor);
  io.Str("authoremail", authoremail);
  io.Str("authorurl", authorurl);
  io.Str("skincomments", skincomments);
}

void TbsSkinData::PictureKeys(TSkinKeyIO& io) {
  io.Str("picture", picture);
  io.Str("inactivepicture", inactivepicture);
  io.Str("mask", mask);
  // Names beyond the pictures the stream carried would name nothing.
  io.NameList("activepictures", *PictureFileNames, static_cast<int>(PictureList.size()));
}

void TbsSkinData::FormInfoKeys(TSkinKeyIO& io) {
  io.Point("lefttoppoint", lefttoppoint);
  io.Point("righttoppoint", righttoppoint);
  io.Point("leftbottompoint", leftbottompoint);
  io.Point("rightbottompoint", rightbottompoint);
  io.Rect("clientrect", clientrect);
  io.Int("bgpictureindex", bgpictureindex, -1);
  io.Int("mdibgpictureindex", mdibgpictureindex, -1);
  io.Bool("leftstretch", leftstretch);
  io.Bool("rightstretch", rightstretch);
  io.Bool("topstretch", topstretch);
  io.Bool("bottomstretch", bottomstretch);
  io.Rect("maskrectarea", maskrectarea);
  io.Point("hittestlefttoppoint", hittestlefttoppoint);
  io.Point("hittestrighttoppoint", hittestrighttoppoint);
  io.Point("hittestleftbottompoint", hittestleftbottompoint);
  io.Point("hittestrightbottompoint", hittestrightbottompoint);
  io.Rect("buttonsrect", buttonsrect);
  io.Rect("captionrect", captionrect);
  io.Int("buttonsoffset", buttonsoffset, 0);
  io.Bool("buttonsinleft", buttonsinleft);
  io.Bool("mainmenupopupup", mainmenupopupup);
  io.Int("borderwidth", borderwidth, 0);
  io.Bool("autorenderinginactiveimage", autorenderinginactiveimage);
  io.Effect("inactiveeffect", inactiveeffect);
}

void TbsSkinData::ListKeys(TSkinKeyIO& io, std::vector<std::string>& entries) { io.Entries("count", entries); }

void TbsSkinData::ReadFormInfo(const TSkinIniFile& ini) {
  ReadSkinKeys(ini, "FORMINFO", [this](TSkinKeyIO& io) { FormInfoKeys(io); });

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
  std::vector<std::string> entries;
  ReadSkinKeys(ini, "SKINOBJECTS", [&entries](TSkinKeyIO& io) { ListKeys(io, entries); });
  for (const std::string& entry : entries) {
    if (!SplitListEntry(entry, name, word)) continue;
    if (auto record = CreateObjectRecord(word, name)) {
      ObjectRecords.push_back(std::move(record));
      ObjectRecords.back()->ReadFromIni(ini);
    }
  }
}

void TbsSkinData::ReadControlList(const TSkinIniFile& ini) {
  std::string name, word;
  std::vector<std::string> entries;
  ReadSkinKeys(ini, "SKINCONTROLS", [&entries](TSkinKeyIO& io) { ListKeys(io, entries); });
  for (const std::string& entry : entries) {
    if (!SplitListEntry(entry, name, word)) continue;
    if (auto record = CreateControlRecord(word, name)) {
      ControlRecords.push_back(std::move(record));
      ControlRecords.back()->ReadFromIni(ini);
    }
  }
}
