#include "filters/UnitGradientWidth.h"

namespace rv {

TFormGradientWidth* FormGradientWidth = nullptr;

}  // namespace rv
