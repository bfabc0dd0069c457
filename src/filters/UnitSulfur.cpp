#include "filters/UnitSulfur.h"

namespace rv {

TFormSulfur* FormSulfur = nullptr;

}  // namespace rv
