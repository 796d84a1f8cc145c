#pragma once
// TbsActiveSkinObject: one active part of a skinned frame (caption button, plain button,
// caption text, animation, user area). It knows its place in the window, its images in
// the skin pictures and its state, draws itself for that state and calls back into its
// form for redrawing, morphing, events and window commands.
#include <string>

#include "framework/core/Types.h"
#include "framework/windows/Control.h"
#include "skin/data/SkinTypes.h"

class TBitmap;
class TCanvas;
class TbsDataSkinObject;
class TbsSkinData;
class TbsSkinForm;

class TbsActiveSkinObject {
 public:
  // record may be null (the default caption buttons).
  TbsActiveSkinObject(TbsSkinForm* form, const TbsDataSkinObject* record);
  virtual ~TbsActiveSkinObject() = default;
  TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
  TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

  virtual bool MorphPending() const;
  // direct: redrawing one object on its own (every state is drawn); otherwise frame
  // painting, where a normal image that is part of the frame picture is already there.
  virtual void Draw(TCanvas* canvas, bool direct);
  virtual void DblClick() {}
  virtual void MouseDown(int X, int Y, TMouseButton Button);
  virtual void MouseUp(int X, int Y, TMouseButton Button);
  virtual void MouseMove(int X, int Y);
  virtual void MouseEnter();
  virtual void MouseLeave();

  // The form draws the object on its window now.
  void RedrawNow();
  // Starts the form's morph timer when the object morphs, else redraws now.
  void RedrawOrMorph();
  // One morph step (+0.2 while active, -0.2 otherwise); false when nothing was pending.
  bool MorphStep();

  TbsSkinForm* Form() const { return FForm; }
  TbsSkinData* SkinData() const { return FSkinData; }
  const TBitmap* Picture() const { return FPicture; }
  const TBitmap* ActivePicture() const { return FActivePicture; }

  std::string IDName;
  std::string Hint;
  TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
  TRect ObjectRect;
  // True: the normal image lives in the active picture and the object draws it itself.
  bool SkinRectInAPicture = false;
  bool Morphing = false;
  TMorphKind MorphKind = mkDefault;
  bool Active = false;
  bool MouseIn = false;
  bool Enabled = true;
  bool Visible = true;
  double MorphKf = 0;

 protected:
  // The normal image: its picture (active or main) and rectangle.
  const TBitmap* NormalPicture() const;
  // Copies src of pic stretched into ObjectRect.
  void DrawImage(TCanvas* canvas, const TBitmap* pic, const TRect& src) const;
  // Blends the images a (normal) and b (active) by MorphKf into ObjectRect.
  void DrawMorph(TCanvas* canvas, const TBitmap* picA, const TRect& a, const TBitmap* picB, const TRect& b) const;
  bool MorphInProgress() const { return (Active && MorphKf < 1) || (!Active && MorphKf > 0); }
  bool FormActive() const;
  void DrawBase(TCanvas* canvas, bool direct);

  TbsSkinForm* FForm;
  TbsSkinData* FSkinData = nullptr;
  const TBitmap* FPicture = nullptr;
  const TBitmap* FActivePicture = nullptr;
};
