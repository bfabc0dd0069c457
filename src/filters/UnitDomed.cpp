#include "filters/UnitDomed.h"

namespace rv {

TFormDomed* FormDomed = nullptr;

}  // namespace rv
