#pragma once
// TbsPopupListBox: the drop-down list of a skin combo box. A borderless pop-up window that
// is shown without activation and never takes the focus; its box keeps the focus and the
// mouse and tells it what to highlight and scroll. Without a skin record it draws white
// rows with a highlighted selection inside a grey line; with a list box record the
// record's frame, item images and fonts. A vertical skin scroll bar appears on the right
// when there are more items than rows.
#include <functional>
#include <memory>
#include <string>

#include "framework/core/Strings.h"
#include "skin/controls/SkinControl.h"

class TbsSkinScrollBar;
class TImageList;

// Owner drawing of a row: canvas of the row's bitmap, item index, rectangle in it, selected.
using TbsDrawListItemEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int Index, const TRect& Rect, bool Selected)>;

class TbsPopupListBox : public TbsSkinCustomControl {
 public:
  explicit TbsPopupListBox(TComponent* AOwner);
  ~TbsPopupListBox() override;
  std::string ClassName() const override { return "TbsPopupListBox"; }

  TStringList* Items() { return &FItems; }
  const TStringList* Items() const { return &FItems; }
  // The selected (highlighted) row; -1 for none. Out-of-range values select none. The
  // selection is scrolled into view.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  // The first row shown, kept within 0 .. Count - Rows.
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int Value);
  // Rows shown at once (at least 1); the box sets it before showing the list.
  int Rows() const { return FRows; }
  void SetRows(int Value);
  int RowHeight() const;
  // Height of a list of Rows rows with the frame of the current look.
  int HeightForRows(int Rows);
  // The rectangle the rows occupy (client coordinates).
  TRect RowsRect();
  // The item at a client point, -1 when none is there.
  int ItemAtPos(TPoint P);
  void MakeVisible(int Index);
  // Shows the list at its bounds without activating it; hides it.
  void Popup();
  void ClosePopup();
  // The scroll bar (hidden while every item fits).
  TbsSkinScrollBar* ScrollBar() const { return FScrollBar; }
  bool ScrollBarShown() const;

  // Row look: font and resource character set, optional images.
  TFont* ItemFont() { return &FItemFont; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  // -1: each item shows the image at its own index.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }

  void ApplySkinChange() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TbsDrawListItemEvent OnDrawItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void DrawDefaultImage(TBitmap& B) override;
  void DrawSkinImage(TBitmap& B) override;
  void BoundsChanged(bool moved, bool sized) override;
  void CMVisibleChanged(TMessage& Message) override;

 private:
  void DrawRows(TCanvas* C, const TRect& Area, bool Skinned);
  void DrawRow(TBitmap& Row, int Index, bool Selected, bool Skinned);
  void UpdateScrollBar();
  TRect InnerRect();

  TStringList FItems;
  int FItemIndex = -1;
  int FTopIndex = 0;
  int FRows = 1;
  TFont FItemFont;
  TImageList* FImages = nullptr;
  int FImageIndex = -1;
  TbsSkinScrollBar* FScrollBar = nullptr;
  bool FSyncing = false;
  // Copies of the list box record's values.
  TRect FItemRect, FActiveItemRect, FFocusItemRect, FItemTextRect;
  int FItemLeftOffset = 0, FItemRightOffset = 0;
  std::string FFontName;
  int FFontHeight = 14;
  TFontStyles FFontStyle;
  TColor FFontColor = 0, FActiveFontColor = 0, FFocusFontColor = 0;
  std::string FVScrollBarName = "vscrollbar";
};
