#include "filters/UnitLaplace.h"

namespace rv {

TFormLaplace* FormLaplace = nullptr;

}  // namespace rv
