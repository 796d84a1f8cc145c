#pragma once
// The two bases of every windowed skin control. TbsSkinControl binds a control to a
// skin data component and a record name, looks the record up again on every paint and
// paints through an off-screen bitmap with the default or the skinned painter.
// TbsSkinCustomControl adds the default font and size of the skin-less look and the
// resizable geometry of the record: fixed skin sizes, corner points for the current
// size and a window shape from the record's mask.
//
// A control never keeps a record: SkinRecord() and Picture() are looked up from the
// skin data each time and are only meaningful right after ReadSkinRecord().
#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/windows/Controls.h"
#include "skin/draw/SkinGeometry.h"

class TbsSkinData;
class TbsDataSkinControl;
class TRegion;

class TbsSkinControl : public TCustomControl {
 public:
  explicit TbsSkinControl(TComponent* AOwner);
  ~TbsSkinControl() override;
  std::string ClassName() const override { return "TbsSkinControl"; }

  TbsSkinData* SkinData() const { return FSD; }
  // Outside the designer a loaded (non-empty) skin is applied at once.
  virtual void SetSkinData(TbsSkinData* Value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  // Only stored; the next paint or ApplySkinChange uses it.
  virtual void SetSkinDataName(const std::string& Value);
  // Position of the record in use in ControlRecords; -1: the default look.
  int SkinIndex() const { return FIndex; }

  // The skin (or the skin data) changed: read the record again, resize, repaint.
  virtual void ApplySkinChange();
  // The skin is about to be replaced: forget the record before it is freed.
  virtual void BeginSkinChange();

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  // Finds the record by name (SkinIndex) and copies what the control draws with.
  virtual void ReadSkinRecord();
  // Whether a record found under the control's name can draw this control; a record
  // that cannot is treated as absent (default look).
  virtual bool AcceptsRecord(const TbsDataSkinControl* Record) const;
  // Paint the default / skinned look into a bitmap of the control's size.
  virtual void DrawDefaultImage(TBitmap& B);
  virtual void DrawSkinImage(TBitmap& B);
  // The record at SkinIndex, nullptr when none.
  TbsDataSkinControl* SkinRecord() const;
  bool Designing() const { return ComponentState().Contains(csDesigning); }

  void Paint() override;
  void WndProc(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

  TbsSkinData* FSD = nullptr;
  std::string FSkinDataName;
  int FIndex = -1;
};

class TbsSkinCustomControl : public TbsSkinControl {
 public:
  explicit TbsSkinCustomControl(TComponent* AOwner);
  ~TbsSkinCustomControl() override;
  std::string ClassName() const override { return "TbsSkinCustomControl"; }

  TFont* DefaultFont() { return &FDefaultFont; }
  const TFont* DefaultFont() const { return &FDefaultFont; }
  void SetDefaultFont(const TFont* Value);
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

  // Geometry copied from the record (relative to SkinRect) and the same for the
  // current size (the New... values).
  int ResizeMode() const { return FResizeMode; }
  const TRect& SkinRect() const { return FSkinRect; }
  const TbsSkinPoints& SkinPoints() const { return FPoints; }
  const TbsSkinPoints& NewPoints() const { return FNew; }
  TPoint NewLeftTopPoint() const { return FNew.LeftTop; }
  TPoint NewRightTopPoint() const { return FNew.RightTop; }
  TPoint NewLeftBottomPoint() const { return FNew.LeftBottom; }
  TPoint NewRightBottomPoint() const { return FNew.RightBottom; }
  TRect NewClientRect() const { return FNew.Client; }
  // The record's pictures, looked up in the skin data; nullptr when none.
  TBitmap* Picture() const;
  TBitmap* MaskPicture() const;

  // A rectangle of the skin image in control coordinates for the current size.
  TRect MapSkinRect(const TRect& R) const;

  // Keeps the skin's fixed dimensions while a record is in use.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void ApplySkinChange() override;
  void BeginSkinChange() override;

 protected:
  void ReadSkinRecord() override;
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void DrawSkinImage(TBitmap& B) override;
  // Hook after DefaultFont was assigned.
  virtual void DefaultFontChanged();
  // Replaces W and H by what the skin allows and computes the New... values for them.
  virtual void CalcSkinSize(int& W, int& H);
  // Shapes the window with the record's mask (or removes the shape).
  virtual void UpdateSkinRegion();
  // Paints skin rectangle R (the normal one or a state's of the same size) of picture
  // into B by ResizeMode.
  void DrawSkinRect(TBitmap& B, const TBitmap* APicture, const TRect& R);
  void CreateWnd() override;

  TFont FDefaultFont;
  int FDefaultWidth = 0;
  int FDefaultHeight = 0;
  bool FUseSkinFont = true;
  int FPictureIndex = -1;
  int FMaskPictureIndex = -1;
  TRect FSkinRect;
  TbsSkinPoints FPoints;
  TbsSkinPoints FNew;
  int FResizeMode = 0;
  // The shape set on the window; owned.
  std::unique_ptr<TRegion> FRgn;

 private:
  void SetWindowShape(std::unique_ptr<TRegion> region);
};

// Calls BeginSkinChange (before) or ApplySkinChange (otherwise) on every skin control
// (and every TbsSkinChangeClient, window-less ones included) inside parent, through all
// child windows, whose SkinData is data; on every one when
// data is nullptr. This is the walk a skinned form does on the skin messages.
void NotifySkinControls(TWinControl* parent, TbsSkinData* data, bool before);
