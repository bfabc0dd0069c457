#include "filters/UnitGradientPoint.h"

namespace rv {

TFormGradientPoint* FormGradientPoint = nullptr;

}  // namespace rv
