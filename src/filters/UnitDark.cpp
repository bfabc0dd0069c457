#include "filters/UnitDark.h"

namespace rv {

TFormDark* FormDark = nullptr;

}  // namespace rv
