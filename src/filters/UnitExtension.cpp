#include "filters/UnitExtension.h"

namespace rv {

TFormExtension* FormExtension = nullptr;

}  // namespace rv
