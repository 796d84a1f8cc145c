#pragma once
// What the skin-change walk (NotifySkinControls) asks of a skin-aware control that is
// not a TbsSkinControl: window-less skin controls, and skinned descendants of framework
// controls (list view, label, bevel).
class TbsSkinData;

class TbsSkinChangeClient {
 public:
  // The skin data the control draws from (nullptr when none).
  virtual TbsSkinData* SkinData() const = 0;
  // The skin is about to be replaced: forget the record before it is freed.
  virtual void BeginSkinChange() = 0;
  // The skin changed: read the record again and repaint.
  virtual void ApplySkinChange() = 0;

 protected:
  ~TbsSkinChangeClient() = default;
};
