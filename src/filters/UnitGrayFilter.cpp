#include "filters/UnitGrayFilter.h"

namespace rv {

TFormGrayFilter* FormGrayFilter = nullptr;

}  // namespace rv
