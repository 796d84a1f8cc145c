#pragma once
// The single-line edit: a native text field inside the control's window. The field holds
// the keyboard focus while the control is focused (so it shows the caret and takes input
// methods), yet every key, character and mouse message reaches the control first
// (OnKeyDown, OnKeyPress, OnMouseDown, ...); what no handler used goes on to the field,
// as a window's default handling would.
#include <memory>
#include <string>

#include "framework/windows/Controls.h"

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;
  std::string ClassName() const override { return "TCustomEdit"; }

  // The text, UTF-8. Setting it clears Modified and the undo history.
  std::string Text() const;
  void SetText(const std::string& Value);
  // 0: no limit beyond the field's own. Text already longer is cut.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // U+0000: the text is shown; any other character is shown once per character instead.
  char32_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char32_t Value);
  // The text as the field shows it (the password characters when one is set).
  std::string DisplayText() const;
  // False: the field draws no frame of its own (a frame drawn around it by its owner).
  bool BorderVisible() const { return FBorderVisible; }
  void SetBorderVisible(bool Value);

  // Selection in characters (UTF-16 units) from the start of the text.
  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  std::string SelText() const;
  // Replaces the selection (inserts at the caret when there is none).
  void SetSelText(const std::string& Value);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool CanUndo() const;
  // Pasting would insert something: writable, with text on the clipboard.
  bool CanPaste() const;
  // The user changed the text since it was last set (or since Modified was cleared).
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  TNotifyEvent OnChange;

 protected:
  virtual void Change();
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Hands a mouse message the control's handlers saw on to the field.
  void FeedMouse(const TMessage& Message);
  // Hands a key message (WM_KEYDOWN, WM_CHAR) to the field; false when there is none.
  bool FeedKey(const TMessage& Message);
  void BoundsChanged(bool moved, bool sized) override;
  void CMFontChanged(TMessage& Message) override;
  // The window's own image shows the field too, for copies of the window.
  void PaintWindow(TCanvas* canvas) override;

 private:
  struct Field;
  std::unique_ptr<Field> FField;
  // Kept while there is no window.
  std::string FText;
  int FMaxLength = 0;
  bool FReadOnly = false;
  char32_t FPasswordChar = 0;
  bool FModified = false;
  bool FBorderVisible = true;
};

// The password character as a stored layout gives it: one character, or none for
// U+0000. Throws EConvertError for more than one character or malformed text.
char32_t PasswordCharFromText(const std::string& Text);
std::string PasswordCharToText(char32_t Value);

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  std::string ClassName() const override { return "TEdit"; }
};
