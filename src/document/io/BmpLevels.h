// Qt's bitmap reader widens the 5- and 6-bit channels of 16-bit bitmaps by a
// shift alone, so 31 opens as 248 and white as grey (248, 248, 248).
#pragma once

#include <string>

#include "engine/Bitmap.h"

namespace rv {

// When the file at path is a 16-bit bitmap (5-5-5, or 5-6-5 bit fields),
// widens every channel of the decoded picture by bit replication instead
// ((v5 << 3) | (v5 >> 2)), so full levels are 255 again. Anything else is left
// as it is; values widened already stay the same.
void RestoreSixteenBitLevels(const std::string& path, Bitmap& decoded);

}  // namespace rv
