#include "filters/UnitFrag.h"

namespace rv {

TFormFrag* FormFrag = nullptr;

}  // namespace rv
