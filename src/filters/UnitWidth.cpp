#include "filters/UnitWidth.h"

namespace rv {

TFormWidth* FormWidth = nullptr;

}  // namespace rv
