#pragma once
// The two bases of every windowed skin control, built from the shared skin control
// pieces (SkinControlBase.h). TbsSkinControl binds a control to a skin data component
// and a record name and paints it through an off-screen bitmap; TbsSkinCustomControl adds
// the default font and size, the resizable geometry of the record and a window shape
// from the record's mask.
#include <memory>
#include <string>

#include "framework/windows/Controls.h"
#include "skin/controls/SkinControlBase.h"

class TRegion;

extern template class TbsSkinControlOf<TCustomControl>;

class TbsSkinControl : public TbsSkinControlOf<TCustomControl> {
 public:
  using TbsSkinControlOf::TbsSkinControlOf;
  std::string ClassName() const override { return "TbsSkinControl"; }

 protected:
  // Freed under a living control: as a change to no skin, so that nothing of the old
  // skin (its shape, its sizes) stays.
  void SkinDataFreed() override;
  void WndProc(TMessage& Message) override;
};

extern template class TbsSkinCustomControlOf<TbsSkinControl>;

class TbsSkinCustomControl : public TbsSkinCustomControlOf<TbsSkinControl> {
 public:
  using TbsSkinCustomControlOf::TbsSkinCustomControlOf;
  ~TbsSkinCustomControl() override;
  std::string ClassName() const override { return "TbsSkinCustomControl"; }

  // A rectangle of the skin image in control coordinates for the current size.
  TRect MapSkinRect(const TRect& R) const;

 protected:
  void UpdateSkinRegion() override;
  void CreateWnd() override;

  // The shape set on the window; owned.
  std::unique_ptr<TRegion> FRgn;

 private:
  void SetWindowShape(std::unique_ptr<TRegion> region);
};

// Calls BeginSkinChange (before) or ApplySkinChange (otherwise) on every skin-aware
// control (every TbsSkinChangeClient, window-less ones included) inside parent, through
// all child windows, whose SkinData is data; on every one when data is nullptr. This is
// the walk a skinned form does on the skin messages.
void NotifySkinControls(TWinControl* parent, TbsSkinData* data, bool before);
