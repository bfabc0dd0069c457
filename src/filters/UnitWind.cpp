#include "filters/UnitWind.h"

namespace rv {

TFormWind* FormWind = nullptr;

}  // namespace rv
