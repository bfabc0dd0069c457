#include "filters/UnitHold.h"

namespace rv {

TFormHold* FormHold = nullptr;

}  // namespace rv
