#include "filters/UnitBlurFilter.h"

namespace rv {

TFormBlurFilter* FormBlurFilter = nullptr;

}  // namespace rv
