#include "filters/UnitVignette.h"

namespace rv {

TFormVignette* FormVignette = nullptr;

}  // namespace rv
