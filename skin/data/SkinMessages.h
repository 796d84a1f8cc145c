#pragma once
// Messages of the skin engine, sent to every form and skin control it notifies.
#include "framework/messages/Messages.h"

constexpr UINT SKINMSG_BEFORECHANGE = 1225;
constexpr UINT SKINMSG_CHANGE = 1226;
constexpr UINT SKINMSG_AFTERCHANGE = 1227;
constexpr UINT SKINMSG_MENUCLOSED = 1228;
constexpr UINT SKINMSG_MENUCOMMAND = 1229;
constexpr UINT SKINMSG_MDIRELAYOUT = 1230;
constexpr UINT SKINMSG_MDICHILDMAXIMIZED = 1231;
constexpr UINT SKINMSG_MDICHILDRESTORED = 1232;
constexpr UINT SKINMSG_STRINGSCHANGE = 1274;
