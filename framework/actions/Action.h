#pragma once
// A standard action: caption, enabled and checked state, hint, image, shortcut and
// visibility that every linked client (menu item, button) follows.
#include <string>

#include "framework/actions/BasicAction.h"
#include "framework/messages/ShortCuts.h"

class TAction : public TBasicAction {
 public:
  explicit TAction(TComponent* AOwner);
  std::string ClassName() const override { return "TAction"; }

  // Updates first; a disabled action does nothing and returns false. With AutoCheck
  // Checked toggles before OnExecute runs.
  bool Execute() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);

 private:
  // Calls f(link) for every registered TActionLink; tolerant of links leaving meanwhile.
  template <class F>
  void ForEachLink(F f);
  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  std::string FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  bool FVisible = true;
  int FGroupIndex = 0;
  bool FAutoCheck = false;
};
