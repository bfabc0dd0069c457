#include "filters/registry/FilterList.h"

namespace rv {

FilterGroup NeighbourFilters() { return {}; }

}  // namespace rv
