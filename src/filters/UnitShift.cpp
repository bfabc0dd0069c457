#include "filters/UnitShift.h"

namespace rv {

TFormShift* FormShift = nullptr;

}  // namespace rv
