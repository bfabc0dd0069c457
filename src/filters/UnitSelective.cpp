#include "filters/UnitSelective.h"

namespace rv {

TFormSelective* FormSelective = nullptr;

}  // namespace rv
