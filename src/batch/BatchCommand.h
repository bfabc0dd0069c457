// rastrovia-batch: the editor's filters on files, from scripts.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "filters/registry/FilterRegistry.h"

namespace rv {

// Exit codes: 0 done, 1 a file could not be read or written, 2 bad usage.
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Controls of a command that live outside its filter's dialog: the picture
// overlay's choice dialog, the resize dialog's fields.
struct CommandControl {
  const char* Stem;
  const char* Dialog;
  ControlDecl Control;
};
const std::vector<CommandControl>& CommandControls();
const CommandControl* FindCommandControl(const std::string& stem, const std::string& name);
// The filters that lay a second picture (--overlay) over the first.
bool NeedsOverlay(const std::string& stem);

// --help-pages DIR --sample PICTURE [--overlay PICTURE]: the help pages of
// every filter, their pictures made through RunBatch.
int RunHelpPages(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rv
