// Program bitmaps compiled into the executable.
#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"

void TBitmap::LoadFromResourceName(const std::string& name) {
  throw EInvalidGraphic("Bitmap resource not found: " + name);
}
