#include "framework/actions/ActionLink.h"

#include "framework/actions/Action.h"

TAction* TActionLink::LinkedAction() const { return dynamic_cast<TAction*>(FAction); }
