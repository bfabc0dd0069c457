#include "filters/UnitShadow.h"

namespace rv {

TFormShadow* FormShadow = nullptr;

}  // namespace rv
