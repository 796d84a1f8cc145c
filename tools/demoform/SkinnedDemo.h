#pragma once
class TForm;

// Skinned frames for the demo form and a second form (see SkinnedDemo.cpp).
void AddSkinForms(TForm* form);
