#include "filters/UnitPosterize.h"

namespace rv {

TFormPosterize* FormPosterize = nullptr;

}  // namespace rv
