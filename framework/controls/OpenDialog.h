#pragma once
// The open-file dialog component: a modal file window (the framework's own, not the
// desktop's) with a title, a filter list ("Text files|*.txt;*.log|All files|*.*"), a
// starting folder and options. Execute returns true when the user accepted a file;
// FileName (and Files, for multiple selection) then hold full paths.
//
// Tests answer the dialog without showing it: with a hook set, Execute asks the hook,
// which may set FileName and returns the answer.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Set.h"
#include "framework/core/Strings.h"

enum class TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing,
  ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;
constexpr auto ofReadOnly = TOpenOption::ofReadOnly;
constexpr auto ofOverwritePrompt = TOpenOption::ofOverwritePrompt;
constexpr auto ofHideReadOnly = TOpenOption::ofHideReadOnly;
constexpr auto ofNoChangeDir = TOpenOption::ofNoChangeDir;
constexpr auto ofAllowMultiSelect = TOpenOption::ofAllowMultiSelect;
constexpr auto ofExtensionDifferent = TOpenOption::ofExtensionDifferent;
constexpr auto ofPathMustExist = TOpenOption::ofPathMustExist;
constexpr auto ofFileMustExist = TOpenOption::ofFileMustExist;
constexpr auto ofEnableSizing = TOpenOption::ofEnableSizing;
constexpr auto ofForceShowHidden = TOpenOption::ofForceShowHidden;
// Names in declaration order, as stored layouts spell them.
const std::vector<std::string>& OpenOptionNames();

// One "description|patterns" pair of a filter.
struct TFileFilter {
  std::string Description;
  std::vector<std::string> Patterns;  // "*.txt", ... ("*.*" stands for every file)
};
// Splits a filter string; raises EConvertError for a description without patterns
// or an empty pattern list.
std::vector<TFileFilter> ParseFileFilter(const std::string& filter);

class TOpenDialog;
using TOpenDialogHook = std::function<bool(TOpenDialog* Dialog)>;
// Replaces every open dialog's window by hook (an empty function restores it).
void SetOpenDialogHook(TOpenDialogHook hook);

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  std::string ClassName() const override { return "TOpenDialog"; }

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& v) { FTitle = v; }
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& v) { FFilter = v; }
  // 1-based; the filter shown first and, after Execute, the one the user chose.
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int v) { FFilterIndex = v; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& v) { FFileName = v; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& v) { FInitialDir = v; }
  // Extension (without the dot) given to a typed name that has none.
  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& v);
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions v) { FOptions = v; }
  // Every chosen file (one unless ofAllowMultiSelect).
  TStrings* Files() { return &FFiles; }

  // Shows the dialog modally; true when the user accepted.
  virtual bool Execute();
  // What Execute does with the user's answer: fills FileName and Files, applies
  // DefaultExt and checks the options; false (with LastError set) when they refuse it.
  bool Accept(const std::vector<std::string>& chosen, int filterIndex);
  // Why the last answer was refused ("" when it was not).
  const std::string& LastError() const { return FLastError; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 private:
  bool ShowWindow();
  std::string FTitle;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FFileName;
  std::string FInitialDir;
  std::string FDefaultExt;
  TOpenOptions FOptions = {TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
  TStringList FFiles;
  std::string FLastError;
};
