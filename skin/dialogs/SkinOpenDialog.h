#pragma once
// TbsSkinOpenDialog: a non-visual component that shows a skinned open-file window of its
// own (TbsOpenDlgForm), built while Execute runs. SkinData skins the window's frame,
// CtrlSkinData the controls inside and gives their texts. FileName, FilterIndex, the
// window's client size and the list's view style carry over from one showing to the next.
//
// Tests answer the dialog without showing it: with a hook set, Execute asks the hook,
// which may set FileName and returns the answer.
#include <functional>
#include <string>

#include "framework/controls/ListView.h"
#include "framework/core/Component.h"
#include "framework/core/Strings.h"
#include "framework/graphics/Font.h"

class TbsOpenDlgForm;
class TbsSkinData;
class TbsSkinOpenDialog;

using TbsSkinOpenDialogHook = std::function<bool(TbsSkinOpenDialog* Dialog)>;
// Replaces every skinned open dialog's window by hook (an empty function restores it).
void SetSkinOpenDialogHook(TbsSkinOpenDialogHook hook);

class TbsSkinOpenDialog : public TComponent {
 public:
  explicit TbsSkinOpenDialog(TComponent* AOwner);
  ~TbsSkinOpenDialog() override;
  std::string ClassName() const override { return "TbsSkinOpenDialog"; }

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
  // "description|mask|..."; a mask may hold several patterns separated by ";".
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  // 1-based; updated whenever the window closes.
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  // In: the folder shown first and the name in the edit; out: the chosen file's path.
  // While the window shows, setting it also sets the edit's text.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& Value);
  bool CheckFileExists() const { return FCheckFileExists; }
  void SetCheckFileExists(bool Value) { FCheckFileExists = Value; }
  bool MultiSelection() const { return FMultiSelection; }
  void SetMultiSelection(bool Value) { FMultiSelection = Value; }
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* Value);
  TbsSkinData* CtrlSkinData() const { return FCtrlSkinData; }
  void SetCtrlSkinData(TbsSkinData* Value);
  TFont* DefaultFont() { return &FDefaultFont; }
  const TFont* DefaultFont() const { return &FDefaultFont; }
  const std::string& LVHeaderSkinDataName() const { return FLVHeaderSkinDataName; }
  void SetLVHeaderSkinDataName(const std::string& Value) { FLVHeaderSkinDataName = Value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
  Byte AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(Byte Value) { FAlphaBlendValue = Value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
  bool CtrlAlphaBlend() const { return FCtrlAlphaBlend; }
  void SetCtrlAlphaBlend(bool Value) { FCtrlAlphaBlend = Value; }
  Byte CtrlAlphaBlendValue() const { return FCtrlAlphaBlendValue; }
  void SetCtrlAlphaBlendValue(Byte Value) { FCtrlAlphaBlendValue = Value; }
  bool CtrlAlphaBlendAnimation() const { return FCtrlAlphaBlendAnimation; }
  void SetCtrlAlphaBlendAnimation(bool Value) { FCtrlAlphaBlendAnimation = Value; }

  // The files selected when the window last closed with a choice.
  TStrings* Files() { return &FFiles; }
  // The window's client size at its last closing (0 until the first showing) and the
  // list's view style then.
  int DialogWidth() const { return FDialogWidth; }
  int DialogHeight() const { return FDialogHeight; }
  TViewStyle ViewStyle() const { return FViewStyle; }
  // The window while Execute shows it, else nullptr.
  TbsOpenDlgForm* DialogForm() const { return FForm; }

  // Shows the window modally; true when the user chose a file.
  bool Execute();

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Each time the list shows another folder; the sender is the window.
  TNotifyEvent OnFolderChange;
  // After a choice, once FileName and Files hold it.
  TNotifyEvent OnChoose;

 private:
  bool ShowWindow();
  void Prepare(TbsOpenDlgForm* Form);
  void ShowFirstFolder(TbsOpenDlgForm* Form);
  void Collect(TbsOpenDlgForm* Form, bool Chosen);

  std::string FTitle = "Open file";
  std::string FInitialDir;
  std::string FFilter = "All files|*.*";
  int FFilterIndex = 1;
  std::string FFileName;
  bool FCheckFileExists = true;
  bool FMultiSelection = false;
  TbsSkinData* FSkinData = nullptr;
  TbsSkinData* FCtrlSkinData = nullptr;
  TFont FDefaultFont;
  std::string FLVHeaderSkinDataName = "resizebutton";
  bool FAlphaBlend = false;
  Byte FAlphaBlendValue = 225;
  bool FAlphaBlendAnimation = false;
  bool FCtrlAlphaBlend = false;
  Byte FCtrlAlphaBlendValue = 225;
  bool FCtrlAlphaBlendAnimation = false;

  TStringList FFiles;
  int FDialogWidth = 0;
  int FDialogHeight = 0;
  TViewStyle FViewStyle = vsList;
  TbsOpenDlgForm* FForm = nullptr;
};
