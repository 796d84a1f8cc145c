#pragma once
// Registers the skin combo box and the skin edit with the stored-layout reader. Needs the
// skin control bases registered first (RegisterSkinControlClasses).
class TClassRegistry;

void RegisterSkinDialogClasses();
void RegisterSkinDialogClasses(TClassRegistry& registry);
