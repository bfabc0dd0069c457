#include "filters/UnitFeather.h"

namespace rv {

TFormFeather* FormFeather = nullptr;

}  // namespace rv
