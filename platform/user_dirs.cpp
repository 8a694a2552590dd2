#include "platform/user_dirs.h"

#include <cstdlib>

namespace platform {

namespace {

// The folder the variable names when it is an absolute path, else the one under the home
// folder (the current folder when HOME is unset too).
std::string baseFolder(const char* variable, const char* underHome) {
  const char* xdg = std::getenv(variable);
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home && home[0] ? home : ".") + "/" + underHome;
}

}  // namespace

std::string configFilePath(std::string_view name) {
  return baseFolder("XDG_CONFIG_HOME", ".config") + "/orbiquant/" + std::string(name);
}

std::string cacheFilePath(std::string_view name) {
  return baseFolder("XDG_CACHE_HOME", ".cache") + "/orbiquant/" + std::string(name);
}

}  // namespace platform
