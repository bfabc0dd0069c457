#include "filters/UnitNoise.h"

namespace rv {

TFormNoise* FormNoise = nullptr;

}  // namespace rv
