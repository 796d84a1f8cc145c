#pragma once
// The Slate skin for tests: its folder drawn by the generator, and packed into a stored
// skin, each once per test process.
#include <string>

#include "skin/data/CompressedStoredSkin.h"

namespace testsupport {

// The Slate skin folder with a trailing slash, empty when the generator failed.
std::string SlateSkinFolder();
// Slate packed from that folder (empty when the generator failed).
TbsCompressedStoredSkin& SlateStoredSkin();

}  // namespace testsupport
