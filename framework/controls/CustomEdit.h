#pragma once
// The single-line edit: a native text field inside the control's window. Key and
// character messages reach the control first (OnKeyDown, OnKeyPress, ...); what no
// handler used goes on to the field, as a window's default handling would.
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
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  std::string ClassName() const override { return "TEdit"; }
};
