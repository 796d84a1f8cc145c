// A small form with the standard controls, shown as a real window: the smoke test
// looks at it on the test X server. With CORVALE_READY_FILE set, the screen position
// of the form's client area is written there once the window shows. With
// CORVALE_DEMO_SKIN_FORM set the forms get skinned frames (SkinnedDemo.cpp).
#include <cstdlib>
#include <fstream>
#include <string>

#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/TrackBar.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Timers.h"
#include "tools/demoform/SkinnedDemo.h"

namespace {

void BuildDemo(TForm* form) {
  form->SetCaption("Controls demo");
  form->SetBorderStyle(bsSingle);
  form->SetBounds(100, 100, 330, 240);
  form->SetClientWidth(320);
  form->SetClientHeight(200);

  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(16, 16, 60, 13);
  label->SetCaption("Volume: 128");

  auto* bar = new TTrackBar(form);
  bar->SetParent(form);
  bar->SetBounds(8, 36, 150, 45);
  bar->SetMax(255);
  bar->SetFrequency(32);
  bar->SetPosition(128);
  bar->OnChange = [label, bar](TObject*) { label->SetCaption("Volume: " + std::to_string(bar->Position())); };

  auto* group = new TRadioGroup(form);
  group->SetParent(form);
  group->SetBounds(180, 10, 121, 81);
  group->SetCaption("Channels");
  group->Items()->Add("Mono");
  group->Items()->Add("Stereo");
  group->SetItemIndex(1);

  auto* record = new TButton(form);
  record->SetParent(form);
  record->SetBounds(16, 150, 75, 25);
  record->SetCaption("Record");
  record->OnClick = [label](TObject*) { label->SetCaption("Recording"); };

  auto* quit = new TButton(form);
  quit->SetParent(form);
  quit->SetBounds(100, 150, 75, 25);
  quit->SetCaption("Quit");
  quit->SetCancel(true);
  quit->OnClick = [form](TObject*) { form->Close(); };
}

}  // namespace

int main() {
  Application_Initialize();
  Application->SetTitle("Corvale controls demo");
  auto* form = Application->CreateForm<TForm>();
  BuildDemo(form);
  if (const char* skinned = std::getenv("CORVALE_DEMO_SKIN_FORM"); skinned && *skinned) AddSkinForms(form);

  if (const char* ready = std::getenv("CORVALE_READY_FILE"); ready && *ready) {
    auto* watch = new TTimer(form);
    watch->SetInterval(50);
    std::string path = ready;
    watch->OnTimer = [form, watch, path](TObject*) {
      if (!form->Showing()) return;
      watch->SetEnabled(false);
      TPoint o = form->ClientOrigin();
      std::ofstream(path) << "client " << o.X << ' ' << o.Y << ' ' << form->ClientWidth() << ' '
                          << form->ClientHeight() << '\n';
    };
  }
  Application->Run();
  return 0;
}
