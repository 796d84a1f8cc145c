// With CORVALE_DEMO_SKIN_FORM set, the demo form and a second, smaller form get skinned
// frames with every window command (close, maximise, minimise, roll-up, system menu),
// so that the window commands can be tried on a real X server.
#include "tools/demoform/SkinnedDemo.h"

#include "framework/controls/Label.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "skin/form/SkinForm.h"

void AddSkinForms(TForm* form) {
  form->SetBorderStyle(bsSizeable);
  auto* skin = new TbsSkinForm(form);
  skin->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp});

  auto* second = Application->CreateForm<TForm>();
  second->SetCaption("Second demo form");
  second->SetBorderStyle(bsSingle);
  second->SetBounds(520, 120, 260, 140);
  auto* label = new TLabel(second);
  label->SetParent(second);
  label->SetBounds(16, 16, 200, 13);
  label->SetCaption("Not the main form");
  auto* secondSkin = new TbsSkinForm(second);
  secondSkin->SetBorderIcons({biSystemMenu, biMinimize, biMaximize, biRollUp});
  second->Show();
}
