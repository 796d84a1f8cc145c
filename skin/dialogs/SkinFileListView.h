#pragma once
// TbsSkinFileListView: the shell list view as the open dialog places it.
#include "skin/dialogs/CustomShellListView.h"

class TbsSkinFileListView : public TbsCustomShellListView {
 public:
  explicit TbsSkinFileListView(TComponent* AOwner) : TbsCustomShellListView(AOwner) {}
  std::string ClassName() const override { return "TbsSkinFileListView"; }
};
