#include "filters/registry/FilterList.h"

namespace rv {

FilterGroup EffectFilters() { return {}; }

}  // namespace rv
