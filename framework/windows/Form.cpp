#include "framework/windows/Form.h"

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
