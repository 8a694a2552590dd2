// The host value and path of a transfer, as the settings file and the script give them. An
// accepted pair must give an address that names the server it was read from: scheme, an
// authority of host characters only, a path without blanks or control characters, and the
// same address again when read back as a host value.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "market/http_transfer.h"

namespace {

bool isAuthorityChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_' || c == ':' || c == '[' || c == ']';
}

void checkAddress(std::string_view url) {
  size_t start = 0;
  if (url.substr(0, 7) == "http://") {
    start = 7;
  } else if (url.substr(0, 8) == "https://") {
    start = 8;
  } else {
    std::abort();
  }
  const size_t slash = url.find('/', start);
  if (slash == std::string_view::npos || slash == start) std::abort();
  for (size_t i = start; i < slash; ++i) {
    if (!isAuthorityChar(url[i])) std::abort();
  }
  for (const char c : url) {
    if (c <= ' ' || c >= 127) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string host = input.ConsumeRandomLengthString(128);
  const std::string path = input.ConsumeRemainingBytesAsString();
  TransferAddress address;
  if (!transferAddress(host, path, address)) return 0;
  checkAddress(address.url);
  TransferAddress again;
  if (!transferAddress(address.url, path, again)) std::abort();
  if (again.url != address.url || again.loopback != address.loopback) std::abort();
  return 0;
}
