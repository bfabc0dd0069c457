// rastrovia-batch: the editor's filters on files, from scripts.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "filters/registry/FilterRegistry.h"

namespace rv {

// Exit codes: 0 done, 1 a file could not be read or written, 2 bad usage.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// --help-pages DIR --sample PICTURE [--overlay PICTURE]: the help pages of
// every filter, their pictures made through RunBatch.
int RunHelpPages(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rv
