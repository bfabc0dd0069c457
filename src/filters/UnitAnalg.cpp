#include "filters/UnitAnalg.h"

namespace rv {

TFormAnalg* FormAnalg = nullptr;

}  // namespace rv
