#include "tools/feed/options.h"

#include <charconv>

namespace feed {

bool parseOptions(const std::vector<std::string>& arguments, Options& options) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& flag = arguments[i];
    if (flag == "--check") {
      options.check = true;
      continue;
    }
    if (i + 1 == arguments.size()) return false;
    const std::string& value = arguments[++i];
    if (flag == "--port") {
      int port = 0;
      const char* end = value.data() + value.size();
      if (std::from_chars(value.data(), end, port).ptr != end || port < 1 || port > 65535) {
        return false;
      }
      options.port = port;
    } else if (flag == "--listen" && !value.empty()) {
      options.listen = value;
    } else if (flag == "--config" && !value.empty()) {
      options.config = value;
    } else if (flag == "--root") {
      options.root = value;
    } else if (flag == "--log") {
      options.log = value;
    } else if (flag == "--token-file" && !value.empty()) {
      options.tokenFile = value;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace feed
