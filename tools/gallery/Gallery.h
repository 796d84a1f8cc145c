#pragma once
// The gallery: every skin control in its default look (left column) beside the same
// controls bound to a loaded skin (right column), in their states. Each control kind
// adds its row with one function; a row function places its controls in the column
// from top and returns the height it used.
#include <functional>
#include <string>
#include <vector>

class TForm;
class TLabel;
class TWinControl;
class TbsSkinData;

struct TGalleryRow {
  std::string Title;
  // Puts the kind's controls into column (skin: nullptr for the default look) at
  // (x, top); returns the height taken.
  std::function<int(TWinControl* column, TbsSkinData* skin, int x, int top)> Build;
};

// The rows in the order shown (GalleryRows.cpp); add a kind there.
std::vector<TGalleryRow> GalleryRows();

// Fills form with the headings and every row in both looks, the right column bound to
// skin (named skinName in its heading, which is returned), and sizes its client area to
// fit. The skin may change while the form shows: its controls follow. The gallery
// program and skintool's preview share it.
TLabel* BuildGallery(TForm* form, TbsSkinData* skin, const std::string& skinName);

// Rows of the kinds.
int AddButtons(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddRadioGroups(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddPanels(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddCheckRadioBoxes(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddSpeedButtons(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddScrollBars(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddListViews(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddLabelsAndBevels(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddCombos(TWinControl* column, TbsSkinData* skin, int x, int top);
int AddOpenDialog(TWinControl* column, TbsSkinData* skin, int x, int top);
