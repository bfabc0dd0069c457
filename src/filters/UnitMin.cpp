#include "filters/UnitMin.h"

namespace rv {

TFormMin* FormMin = nullptr;

}  // namespace rv
