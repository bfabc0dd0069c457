#include "filters/UnitGamma.h"

namespace rv {

TFormGamma* FormGamma = nullptr;

}  // namespace rv
