#include "filters/UnitBreak.h"

namespace rv {

TFormBreak* FormBreak = nullptr;

}  // namespace rv
