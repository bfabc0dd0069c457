#include "filters/UnitHue.h"

namespace rv {

TFormHue* FormHue = nullptr;

}  // namespace rv
