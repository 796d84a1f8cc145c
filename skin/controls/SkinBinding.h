#pragma once
// A skin-aware control's tie to its skin: the skin data component (let go when it is
// freed), the name of the record the control looks itself up by and the position of the
// record in use. A control keeps no record: it looks it up again through here, typed,
// and a record of another kind, or one the control cannot draw, counts as none.
//
// The skin control bases and the skinned framework controls (the label, the bevel) all
// bind through it, and so all answer the skin-change walk (TbsSkinChangeClient).
#include <string>

#include "framework/core/Component.h"
#include "framework/graphics/Font.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinControlRecords.h"

class TBitmap;
class TCanvas;

class TbsSkinBinding : public TbsSkinChangeClient {
 public:
  TbsSkinData* SkinData() const override { return FSD; }
  const std::string& SkinDataName() const { return FSkinDataName; }
  // Position of the record in use in ControlRecords; -1: the default look.
  int SkinIndex() const { return FIndex; }

 protected:
  // Self is the control: it asks for and gives up the skin data's free notification.
  TbsSkinBinding(TComponent* Self, std::string Name) : FSkinDataName(std::move(Name)), FSelf(Self) {}
  ~TbsSkinBinding() = default;

  // Ties the control to Value (nullptr: to none).
  void BindSkinData(TbsSkinData* Value);
  // For Notification: forgets the skin data and the record when the skin data is what
  // goes; true then.
  bool SkinDataRemoved(TComponent* AComponent, TOperation Operation);
  // The skin data holds a loaded skin.
  bool SkinLoaded() const;
  // Finds the record by name: SkinIndex becomes its position, or -1 when there is none
  // or AcceptsRecord refuses it.
  void LookUpRecord();
  // Whether a record found under the control's name can draw this control.
  virtual bool AcceptsRecord(const TbsDataSkinControl* Record) const;

  // The record in use as kind R; nullptr for the default look or another kind.
  template <class R = TbsDataSkinControl>
  const R* Record() const {
    const TbsDataSkinControl* r = RecordAt(FIndex);
    return r ? r->As<R>() : nullptr;
  }
  // The first record named Name in the loaded skin as kind R; Index (when given) gets
  // its position, -1 when there is none of that kind.
  template <class R>
  const R* FindRecord(const std::string& Name, int* Index = nullptr) const {
    const int i = FindRecordIndex(Name);
    const TbsDataSkinControl* r = RecordAt(i);
    const R* typed = r ? r->As<R>() : nullptr;
    if (Index) *Index = typed ? i : -1;
    return typed;
  }
  // A picture of the loaded skin; nullptr when the index is not valid.
  TBitmap* SkinPicture(int Index) const;
  // The character set of the skin's resource strings, else Fallback.
  TFontCharset SkinCharset(TFontCharset Fallback) const;
  // Gives Font the character set of the skin's resource strings, when there are any.
  void UseSkinCharset(TFont* Font) const;

  TbsSkinData* FSD = nullptr;
  std::string FSkinDataName;
  int FIndex = -1;

 private:
  const TbsDataSkinControl* RecordAt(int Index) const;
  int FindRecordIndex(const std::string& Name) const;
  TComponent* FSelf;
};

// What a control copies of a record's font.
struct TbsSkinFont {
  std::string Name = "Arial";
  int Height = 14;
  TFontStyles Style;

  template <class R>
  void Read(const R& Record) {
    Name = Record.fontname;
    Height = Record.fontheight;
    Style = Record.fontstyle;
  }
};
