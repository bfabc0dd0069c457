#include "filters/UnitExposure.h"

namespace rv {

TFormExposure* FormExposure = nullptr;

}  // namespace rv
