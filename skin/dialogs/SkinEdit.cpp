#include "skin/dialogs/SkinEdit.h"

TbsSkinEdit::TbsSkinEdit(TComponent* AOwner) : TbsSkinCustomEdit(AOwner) {}
