#include "filters/UnitNegativ.h"

namespace rv {

TFormNegativ* FormNegativ = nullptr;

}  // namespace rv
