#pragma once
// TbsSkinFilterComboBox: the file type box. Its Filter text ("description|mask|...")
// becomes two parallel lists: the descriptions it shows and the masks behind them.
#include <string>
#include <vector>

#include "skin/dialogs/SkinCustomComboBox.h"

class TbsSkinFilterComboBox : public TbsSkinCustomComboBox {
 public:
  explicit TbsSkinFilterComboBox(TComponent* AOwner);
  std::string ClassName() const override { return "TbsSkinFilterComboBox"; }

  // Rebuilds the lists when the text differs without regard to case, selects the first
  // entry and reports a change.
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& Value);
  const std::vector<std::string>& Masks() const { return FMasks; }
  // The selected entry's mask; with nothing selected the last entry is selected first;
  // "*.*" when there are no entries.
  std::string Mask();

 protected:
  void Loaded() override;

 private:
  void BuildLists();
  std::string FFilter = "All files (*.*)|*.*";
  std::vector<std::string> FMasks;
};
