#include "filters/UnitEdges.h"

namespace rv {

TFormEdges* FormEdges = nullptr;

}  // namespace rv
