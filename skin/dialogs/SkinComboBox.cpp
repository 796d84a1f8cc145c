#include "skin/dialogs/SkinComboBox.h"

TbsSkinComboBox::TbsSkinComboBox(TComponent* AOwner) : TbsSkinCustomComboBox(AOwner) {}
