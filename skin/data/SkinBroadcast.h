#pragma once
// Delivery of a skin message to the forms: the owner form of sender first (when the
// owner is a form), then every other form of the application in its form order, each
// send synchronous. The word parameter is sender.
#include "framework/core/Component.h"
#include "framework/messages/Messages.h"

void SendSkinMessageToForms(TComponent* sender, UINT msg, LPARAM lParam);
