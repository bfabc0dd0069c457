#include "filters/UnitHeave.h"

namespace rv {

TFormHeave* FormHeave = nullptr;

}  // namespace rv
