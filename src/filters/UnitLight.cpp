#include "filters/UnitLight.h"

namespace rv {

TFormLight* FormLight = nullptr;

}  // namespace rv
