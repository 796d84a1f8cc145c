#pragma once
// Typed view of the skin change messages' parameters, and the matching packing, so that
// the sender and the receivers agree on the word parameter in one place.
#include "framework/messages/Messages.h"

class TComponent;
class TbsSkinData;

// SKINMSG_BEFORECHANGE, SKINMSG_CHANGE, SKINMSG_AFTERCHANGE, SKINMSG_STRINGSCHANGE: the
// skin data that announces the change rides in the word parameter (null when a test or
// a tool sends the message without one).
struct TSkinChangeMessage {
  explicit TSkinChangeMessage(const TMessage& m) : Data(reinterpret_cast<TbsSkinData*>(m.WParam)) {}
  TbsSkinData* Data;
};

inline WPARAM SkinSenderToWParam(TComponent* sender) { return reinterpret_cast<WPARAM>(sender); }
