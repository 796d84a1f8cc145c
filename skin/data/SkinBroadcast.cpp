#include "skin/data/SkinBroadcast.h"

#include "framework/windows/Forms.h"
#include "skin/data/SkinMessageViews.h"

void SendSkinMessageToForms(TComponent* sender, UINT msg, LPARAM lParam) {
  const WPARAM wParam = SkinSenderToWParam(sender);
  TCustomForm* ownerForm = dynamic_cast<TCustomForm*>(sender->Owner());
  if (ownerForm) SendMessage(ownerForm->Handle(), msg, wParam, lParam);
  // The application's forms are the screen's list. Walking it never creates the
  // application object, which a program without forms (a tool loading a skin) lacks.
  // A receiver may create or free forms; the list is read afresh at every step.
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* form = Screen()->Forms(i);
    if (form && form != ownerForm) SendMessage(form->Handle(), msg, wParam, lParam);
  }
}
