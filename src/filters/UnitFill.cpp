#include "filters/UnitFill.h"

namespace rv {

TFormFill* FormFill = nullptr;

}  // namespace rv
