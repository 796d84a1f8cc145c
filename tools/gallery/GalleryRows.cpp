#include "tools/gallery/Gallery.h"

std::vector<TGalleryRow> GalleryRows() {
  return {
      {"Buttons", AddButtons},
      // Early, so that the boxes and their lists stay on a small screen.
      {"Combo boxes and edits", AddCombos},
      {"Radio groups", AddRadioGroups},
      {"Panels and group boxes", AddPanels},
      {"Check and radio boxes", AddCheckRadioBoxes},
      {"Scroll bars", AddScrollBars},
      {"Speed buttons and tool bars", AddSpeedButtons},
      {"List views", AddListViews},
      {"Labels and bevels", AddLabelsAndBevels},
      {"Open dialog", AddOpenDialog},
  };
}
