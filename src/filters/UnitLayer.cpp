#include "filters/UnitLayer.h"

namespace rv {

TFormLayer* FormLayer = nullptr;

}  // namespace rv
