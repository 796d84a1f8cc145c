#pragma once
// TbsSkinCustomEdit: a native edit field inside a frame the skin control draws. Without a
// skin record the frame is a grey line outside a button-face line around the white field;
// with an "edit" record the record's image (its active image while the field has the
// focus) and the field in the record's client rectangle, in the record's font.
//
// A right click (or the context-menu key) opens the edit menu: Undo, Cut, Copy, Paste,
// Delete and Select All, with the skin's resource strings when it has them. The menu is a
// plain popup menu; the skin menu engine of the form shows it.
#include <string>

#include "skin/controls/SkinControl.h"

class TCustomEdit;
class TMenuItem;
class TPopupMenu;

class TbsSkinCustomEdit : public TbsSkinCustomControl {
 public:
  // Commands of the edit menu, in the order of its items (separators not counted).
  enum TEditCommand { ecUndo, ecCut, ecCopy, ecPaste, ecDelete, ecSelectAll };

  explicit TbsSkinCustomEdit(TComponent* AOwner);
  ~TbsSkinCustomEdit() override;
  std::string ClassName() const override { return "TbsSkinCustomEdit"; }

  // The native field; what it does (selection, clipboard, undo) is reached through it.
  TCustomEdit* Field() const { return FField; }
  std::string Text() const;
  void SetText(const std::string& Value);
  int MaxLength() const;
  void SetMaxLength(int Value);
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  char32_t PasswordChar() const;
  void SetPasswordChar(char32_t Value);

  // The edit menu as it is about to be shown: texts and enabled items for the field now.
  TPopupMenu* EditMenu();
  TMenuItem* EditMenuItem(TEditCommand Command);
  // The built-in text of a command and the resource-string key it is looked up by.
  static const char* CommandKey(TEditCommand Command);
  static const char* CommandText(TEditCommand Command);

  // Where the field lies for the current size and look.
  TRect FieldRect();

  void SetFocus() override;
  void ApplySkinChange() override;
  void BeginSkinChange() override;

  TNotifyEvent OnChange;

 protected:
  bool AcceptsRecord(const TbsDataSkinControl* Record) const override;
  void ReadSkinRecord() override;
  void DrawDefaultImage(TBitmap& B) override;
  void DrawSkinImage(TBitmap& B) override;
  void DefaultFontChanged() override;
  void WMContextMenu(TMessage& Message) override;
  void BoundsChanged(bool moved, bool sized) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

 private:
  void PlaceField();
  void BuildMenu();
  void Run(TEditCommand Command);

  TCustomEdit* FField = nullptr;
  TPopupMenu* FMenu = nullptr;
  TMenuItem* FMenuItems[6] = {};
  TRect FActiveSkinRect;
  std::string FFontName;
  int FFontHeight = 14;
  TFontStyles FFontStyle;
  TColor FFontColor = 0;
};
