#include "filters/UnitDeleteNoise.h"

namespace rv {

TFormDeleteNoise* FormDeleteNoise = nullptr;

}  // namespace rv
