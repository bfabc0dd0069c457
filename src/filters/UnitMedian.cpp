#include "filters/UnitMedian.h"

namespace rv {

TFormMedian* FormMedian = nullptr;

}  // namespace rv
