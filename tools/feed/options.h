#pragma once
// orbiquant-feed's command line. Options given there override the settings file.
#include <optional>
#include <string>
#include <vector>

namespace feed {

struct Options {
  std::string config;  // empty: the default path, which may be missing
  std::optional<std::string> listen;
  std::optional<int> port;
  std::string root;  // empty: the installed share folder, else "server"
  std::string log;
  std::string tokenFile;
  bool check = false;
};

constexpr const char* kUsage =
    "usage: orbiquant-feed [--config FILE] [--listen ADDRESS] [--port N] [--root DIR]\n"
    "                      [--log FILE] [--token-file FILE] [--check]\n";

// Parses the arguments after the program's name; false for a wrong command line.
bool parseOptions(const std::vector<std::string>& arguments, Options& options);

}  // namespace feed
