#include "filters/UnitSepia.h"

namespace rv {

TFormSepia* FormSepia = nullptr;

}  // namespace rv
