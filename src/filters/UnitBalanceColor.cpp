#include "filters/UnitBalanceColor.h"

namespace rv {

TFormBalanceColor* FormBalanceColor = nullptr;

}  // namespace rv
