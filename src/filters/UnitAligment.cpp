#include "filters/UnitAligment.h"

namespace rv {

TFormAligment* FormAligment = nullptr;

}  // namespace rv
