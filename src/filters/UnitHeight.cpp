#include "filters/UnitHeight.h"

namespace rv {

TFormHeight* FormHeight = nullptr;

}  // namespace rv
