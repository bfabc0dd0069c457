#include "filters/UnitHP.h"

namespace rv {

TFormHP* FormHP = nullptr;

}  // namespace rv
