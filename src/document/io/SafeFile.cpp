#include "document/io/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace rv {

std::string LowerExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

bool WriteFileSafely(const std::string& path, const std::function<bool(const std::string& tempPath)>& write) {
  struct stat st{};
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;

  std::string templ = path + ".XXXXXX";
  std::vector<char> name(templ.begin(), templ.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return false;
  close(fd);
  const std::string temp(name.data());

  bool ok = false;
  try {
    ok = write(temp);
  } catch (...) {
    ok = false;
  }
  if (ok) {
    const int f = open(temp.c_str(), O_RDONLY);
    ok = f >= 0 && fsync(f) == 0;
    if (f >= 0) close(f);
  }
  if (ok) {
    // mkstemp creates the file for the owner only; give it the usual rights.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(temp.c_str(), 0666 & ~mask);
    ok = std::rename(temp.c_str(), path.c_str()) == 0;
  }
  if (!ok) std::remove(temp.c_str());
  return ok;
}

}  // namespace rv
