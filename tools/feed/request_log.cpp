#include "tools/feed/request_log.h"

namespace feed {

namespace {

void appendEscaped(std::string& line, std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte > 126) {
      line += '%';
      line += kHex[byte >> 4];
      line += kHex[byte & 15];
    } else {
      line += c;
    }
  }
}

}  // namespace

std::string requestLine(std::string_view method, std::string_view target, int status) {
  std::string line;
  appendEscaped(line, method);
  line += ' ';
  appendEscaped(line, target);
  line += ' ';
  line += std::to_string(status);
  return line;
}

void RequestLog::request(std::string_view method, std::string_view target, int status) {
  writeLine(requestLine(method, target, status));
}

void RequestLog::note(std::string_view text) { writeLine(std::string(text)); }

void RequestLog::writeLine(const std::string& line) {
  std::lock_guard lock(mutex_);
  out_ << line << '\n';
  out_.flush();
}

}  // namespace feed
