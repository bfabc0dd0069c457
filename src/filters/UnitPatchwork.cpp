#include "filters/UnitPatchwork.h"

namespace rv {

TFormPatchwork* FormPatchwork = nullptr;

}  // namespace rv
