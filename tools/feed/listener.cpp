#include "tools/feed/listener.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace feed {

namespace {

void reuseAddressOnly(socket_t sock) {
  int yes = 1;
  setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

// Why `address`:`port` cannot be bound, found by trying it with the server's own options:
// 0 when it can (the failure was elsewhere), else the errno of the first address that fails.
int bindError(const std::string& address, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* list = nullptr;
  const std::string service = std::to_string(port);
  if (getaddrinfo(address.c_str(), service.c_str(), &hints, &list) != 0) return EADDRNOTAVAIL;
  int error = 0;
  for (addrinfo* entry = list; entry && error == 0; entry = entry->ai_next) {
    const int sock = socket(entry->ai_family, entry->ai_socktype, entry->ai_protocol);
    if (sock < 0) {
      error = errno;
      break;
    }
    reuseAddressOnly(sock);
    if (bind(sock, entry->ai_addr, entry->ai_addrlen) != 0) error = errno;
    close(sock);
  }
  freeaddrinfo(list);
  return error;
}

}  // namespace

void useExclusivePort(httplib::Server& server) { server.set_socket_options(reuseAddressOnly); }

bool bindExclusive(httplib::Server& server, const std::string& address, int port,
                   std::string& error) {
  useExclusivePort(server);
  if (server.bind_to_port(address.c_str(), port)) return true;
  const int code = bindError(address, port);
  if (code == EADDRINUSE) {
    error = "address in use";
  } else if (code == EADDRNOTAVAIL) {
    error = "no such address on this machine";
  } else {
    error = code ? std::strerror(code) : "the socket could not be set up";
  }
  return false;
}

bool isLoopbackAddress(const std::string& address) {
  if (address == "localhost") return true;
  in_addr v4{};
  if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  return inet_pton(AF_INET6, address.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

}  // namespace feed
