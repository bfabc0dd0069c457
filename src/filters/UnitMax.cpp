#include "filters/UnitMax.h"

namespace rv {

TFormMax* FormMax = nullptr;

}  // namespace rv
