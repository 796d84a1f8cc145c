#pragma once
// Small components with one property of every kind, registered in a private registry,
// and a log that records the order of Loaded() calls and what each component saw.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/layout/ClassRegistry.h"

namespace layouttest {

extern std::vector<std::string> gLog;

class TTestData : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TTestData"; }
  void Loaded() override;
  std::vector<std::uint8_t> Data;
  std::string FileName;
};

class TTestWidget : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TTestWidget"; }
  void Loaded() override;
  void Notification(TComponent* c, TOperation op) override;
  void SetBuddy(TTestWidget* w);

  int Left = 0;
  int Color = 0;
  double Ratio = 0;
  std::string Caption;
  bool Visible = true;
  int Align = 0;
  std::uint64_t Anchors = 0;
  std::string FontName;
  std::uint64_t FontStyle = 0;
  std::vector<std::string> Items;
  std::vector<std::uint8_t> Data;
  TTestWidget* Buddy = nullptr;
  TComponent* Source = nullptr;
  bool BuddyWasLoadingWhenSet = false;
  TNotifyEvent OnClick;
  std::string OnClickName;
  TComponent* ParentComponent = nullptr;
  TComponentState StateAtFirstProperty;
  bool SawFirstProperty = false;
};

class TTestForm : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TTestForm"; }
  void Loaded() override;
  void ButtonClick(TObject* sender) { Clicks.push_back(sender); }
  void FormCreate(TObject*) { ++Creates; }

  int Left = 0;
  std::string Caption;
  TNotifyEvent OnCreate;
  std::string OnCreateName;
  std::vector<TObject*> Clicks;
  int Creates = 0;
};

// Fills registry with TTestForm (root only), TTestWidget and TTestData.
void RegisterTestClasses(TClassRegistry& registry);

}  // namespace layouttest
