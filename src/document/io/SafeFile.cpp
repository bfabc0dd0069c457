#include "document/io/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

namespace {

bool Fail(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

std::string Folder(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool WriteFileSafely(const std::string& requested, const std::function<bool(const std::string& tempPath)>& write,
                     std::string* why) {
  std::string path = requested;
  struct stat st{};
  bool existed = false;
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) path = resolved;
  }
  if (stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Fail(why, "it is a folder");
    existed = true;
  }

  // A short hidden name: path + suffix could pass the longest name a folder allows.
  std::string templ = Folder(path) + "/.rastrovia-save-XXXXXX";
  std::vector<char> name(templ.begin(), templ.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return Fail(why, std::strerror(errno));
  close(fd);
  const std::string temp(name.data());

  auto abandon = [&](const std::string& reason) {
    std::remove(temp.c_str());
    return Fail(why, reason);
  };
  bool ok = false;
  errno = 0;
  try {
    ok = write(temp);
  } catch (const std::exception& e) {
    return abandon(e.what());
  } catch (...) {
    return abandon("the writer failed");
  }
  if (!ok) return abandon(errno ? std::strerror(errno) : "the picture could not be encoded");

  const int f = open(temp.c_str(), O_RDONLY);
  if (f < 0 || fsync(f) != 0) {
    const std::string reason = std::strerror(errno);
    if (f >= 0) close(f);
    return abandon(reason);
  }
  close(f);
  // mkstemp creates the file for the owner only: give it the old file's
  // rights, or the usual ones for a new file.
  mode_t mode = st.st_mode & 07777;
  if (!existed) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  chmod(temp.c_str(), mode);
  if (std::rename(temp.c_str(), path.c_str()) != 0) return abandon(std::strerror(errno));
  // Make the rename itself durable.
  const int dir = open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

}  // namespace rv
