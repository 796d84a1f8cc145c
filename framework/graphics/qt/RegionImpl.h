#pragma once
// Private: the Qt region behind a TRegion (only for framework .cpp files).
#include <QRegion>

#include "framework/graphics/Region.h"

struct TRegion::Impl {
  QRegion r;
};
