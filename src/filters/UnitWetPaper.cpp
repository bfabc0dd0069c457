#include "filters/UnitWetPaper.h"

namespace rv {

TFormWetPaper* FormWetPaper = nullptr;

}  // namespace rv
