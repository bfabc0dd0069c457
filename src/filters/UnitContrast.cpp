#include "filters/UnitContrast.h"

namespace rv {

TFormContrast* FormContrast = nullptr;

}  // namespace rv
