#pragma once
// The skinned list view as a form places it: the list view base with nothing added,
// registered with the stored-layout reader under its own name.
#include "skin/controls/SkinCustomListView.h"

class TbsSkinListView : public TbsSkinCustomListView {
 public:
  explicit TbsSkinListView(TComponent* AOwner) : TbsSkinCustomListView(AOwner) {}
  std::string ClassName() const override { return "TbsSkinListView"; }
};
