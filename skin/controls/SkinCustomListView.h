#pragma once
// The skinned list view base. It shows no bars of its own: two outside skin scroll bars
// (HScrollBar, VScrollBar, placed by whoever owns the list) are kept in step with the
// list's range and position in every view style, and moving them scrolls the list. The
// column header is painted here, from a "button" record (HeaderSkinDataName) or in the
// default look, and the list takes its font and colours from a "listview" record.
//
// Descendants (the file list) publish what they need; the state the bars follow is
// re-read by CheckBars, which runs after every size change, paint, scroll, key and click.
#include <functional>
#include <string>

#include "framework/controls/ListView.h"
#include "framework/graphics/Font.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/draw/SkinGeometry.h"

class TbsSkinData;
class TbsSkinScrollBar;
class TBitmap;

// Draws a header section's caption instead of the list: canvas of the section's image,
// the column, the section rectangle in that image, and whether it is pressed.
using TbsDrawHeaderSectionEvent =
    std::function<void(TCanvas* Canvas, int Column, const TRect& Rect, bool Pressed)>;

class TbsSkinCustomListView : public TListView, public TbsSkinChangeClient {
 public:
  explicit TbsSkinCustomListView(TComponent* AOwner);
  ~TbsSkinCustomListView() override;
  std::string ClassName() const override { return "TbsSkinCustomListView"; }

  TbsSkinData* SkinData() const override { return FSD; }
  void SetSkinData(TbsSkinData* Value);
  // Name of the "listview" record.
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& Value) { FSkinDataName = Value; }
  // Name of the "button" record the header sections are drawn from.
  const std::string& HeaderSkinDataName() const { return FHeaderSkinDataName; }
  void SetHeaderSkinDataName(const std::string& Value);
  TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  void SetHScrollBar(TbsSkinScrollBar* Value);
  TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  void SetVScrollBar(TbsSkinScrollBar* Value);

  // Font and colour of the look without a record.
  const TFont* DefaultFont() const { return &FDefaultFont; }
  // Changes made through this pointer show at the next skin change or Loaded.
  TFont* DefaultFont() { return &FDefaultFont; }
  void SetDefaultFont(const TFont* Value);
  TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor Value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  // Position of the "listview" record in use (-1: the default look) and whether the
  // header has a usable "button" record.
  int SkinIndex() const { return FIndex; }
  bool HeaderSkinned() const { return FHeaderIndex != -1; }

  void ApplySkinChange() override;
  void BeginSkinChange() override;
  // Shows, hides and sets up the bars for the list's current state.
  void CheckBars();

  void SetViewStyle(TViewStyle Value) override;
  void PaintHeader(TCanvas* Canvas) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TbsDrawHeaderSectionEvent OnDrawHeaderSection;

 protected:
  void Paint() override;
  void BoundsChanged(bool moved, bool sized) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMVisibleChanged(TMessage& Message) override;
  void Scrolled() override;
  // The list's look from the record (or the defaults), then the bars.
  virtual void ApplyRecord();

 private:
  struct HeaderRecord {
    int PictureIndex = -1;
    TRect SkinRect, ActiveSkinRect, DownSkinRect;
    TbsSkinPoints Points;
    TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
  };
  void ReadHeaderRecord();
  const TBitmap* HeaderPicture() const;
  void DrawSection(TBitmap& B, int Column, bool Pressed);
  void DrawHeaderPiece(TBitmap& B, const TRect& R, int W, int H, bool OpenRight);
  void DrawSectionCaption(TCanvas* C, int Column, const TRect& R, bool Pressed);
  void VScrollChanged();
  void HScrollChanged();
  void SetBarVisible(TbsSkinScrollBar* Bar, bool Value, bool& Changed);

  TbsSkinData* FSD = nullptr;
  std::string FSkinDataName = "listview";
  std::string FHeaderSkinDataName = "resizebutton";
  TbsSkinScrollBar* FHScrollBar = nullptr;
  TbsSkinScrollBar* FVScrollBar = nullptr;
  TFont FDefaultFont;
  TColor FDefaultColor = clWindow;
  bool FUseSkinFont = true;
  int FIndex = -1;
  int FHeaderIndex = -1;
  HeaderRecord FHeaderRec;
  int FOldHPos = 0, FOldVPos = 0;
  bool FInCheck = false;
  bool FFromBar = false;
};
