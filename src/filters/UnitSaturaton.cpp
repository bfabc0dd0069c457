#include "filters/UnitSaturaton.h"

namespace rv {

TFormSaturaton* FormSaturaton = nullptr;

}  // namespace rv
