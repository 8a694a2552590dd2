#pragma once
// The feed server's request log. The server answers on several worker threads at once, so
// each line is built first and written whole under a lock: lines never interleave, and
// every line is flushed so that a reader following the file sees it at once.
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

namespace feed {

// "<method> <target> <status>"; bytes of the method and target that could break the line
// (control characters, blanks, bytes above 126) are written as %XX.
std::string requestLine(std::string_view method, std::string_view target, int status);

class RequestLog {
 public:
  explicit RequestLog(std::ostream& out) : out_(out) {}

  void request(std::string_view method, std::string_view target, int status);
  // A line of the server's own, such as the address it listens on.
  void note(std::string_view text);

 private:
  void writeLine(const std::string& line);

  std::mutex mutex_;
  std::ostream& out_;
};

}  // namespace feed
