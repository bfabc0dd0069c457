#include "filters/UnitScreening.h"

namespace rv {

TFormScreening* FormScreening = nullptr;

}  // namespace rv
