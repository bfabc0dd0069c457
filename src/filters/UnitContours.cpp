#include "filters/UnitContours.h"

namespace rv {

TFormContours* FormContours = nullptr;

}  // namespace rv
