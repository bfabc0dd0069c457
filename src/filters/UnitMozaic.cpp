#include "filters/UnitMozaic.h"

namespace rv {

TFormMozaic* FormMozaic = nullptr;

}  // namespace rv
