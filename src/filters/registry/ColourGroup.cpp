#include "filters/registry/FilterList.h"

namespace rv {

FilterGroup ColourFilters() { return {}; }

}  // namespace rv
