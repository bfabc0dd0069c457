#include "filters/UnitEdgesGradient.h"

namespace rv {

TFormEdgesGradient* FormEdgesGradient = nullptr;

}  // namespace rv
