#include "filters/UnitFilterImPos.h"

namespace rv {

TFormFilterImPos* FormFilterImPos = nullptr;

}  // namespace rv
