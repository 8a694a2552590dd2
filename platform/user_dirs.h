#pragma once
// Where the program keeps its files in the user's home, by the XDG base directory rules:
// each folder from the environment at each call, so that tests and the user can move it.
#include <string>
#include <string_view>

namespace platform {

// $XDG_CONFIG_HOME/orbiquant/<name>, or ~/.config/orbiquant/<name> when XDG_CONFIG_HOME is
// unset or not an absolute path.
std::string configFilePath(std::string_view name);

// $XDG_CACHE_HOME/orbiquant/<name>, or ~/.cache/orbiquant/<name> when XDG_CACHE_HOME is
// unset or not an absolute path.
std::string cacheFilePath(std::string_view name);

}  // namespace platform
