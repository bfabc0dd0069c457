// Writing a file without ever leaving a partial one behind: the content goes
// to a temporary file in the target's folder (".rastrovia-save-" and six
// random characters), which replaces the target only once it is complete and
// flushed.
#pragma once

#include <functional>
#include <string>

namespace rv {

// Calls write with a temporary path; when it returns true and the file is on
// disk, renames it over path. On any failure the temporary file is removed,
// the target is left as it was, false is returned and, when why is given, it
// receives a short English reason ("No space left on device"). An existing
// target keeps its permissions; a symbolic link is followed, so the file it
// points to is replaced and the link stays.
bool WriteFileSafely(const std::string& path, const std::function<bool(const std::string& tempPath)>& write,
                     std::string* why = nullptr);

// Lower-case extension of a file name, dot included (".jpg"), or "".
std::string LowerExtension(const std::string& path);

}  // namespace rv
