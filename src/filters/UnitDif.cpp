#include "filters/UnitDif.h"

namespace rv {

TFormDif* FormDif = nullptr;

}  // namespace rv
