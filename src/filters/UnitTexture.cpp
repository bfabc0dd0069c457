#include "filters/UnitTexture.h"

namespace rv {

TFormTexture* FormTexture = nullptr;

}  // namespace rv
