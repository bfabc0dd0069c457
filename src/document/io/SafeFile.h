// Writing a file without ever leaving a partial one behind: the content goes
// to a temporary file in the target's folder, which replaces the target only
// once it is complete and flushed.
#pragma once

#include <functional>
#include <string>

namespace rv {

// Calls write with a temporary path; when it returns true and the file is on
// disk, renames it over path. On any failure the temporary file is removed,
// the target is left as it was, and false is returned.
bool WriteFileSafely(const std::string& path, const std::function<bool(const std::string& tempPath)>& write);

// Lower-case extension of a file name, dot included (".jpg"), or "".
std::string LowerExtension(const std::string& path);

}  // namespace rv
