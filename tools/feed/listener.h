#pragma once
// Binding the feed server's listening socket. A port another process already listens on is
// refused: the socket gets SO_REUSEADDR only (so a restart is not held up by connections of
// the previous run in TIME_WAIT), never SO_REUSEPORT, which would let a second server share
// the port and answer half of the requests.
#include <httplib.h>

#include <string>

namespace feed {

// Sets the socket options above on every socket `server` makes from now on.
void useExclusivePort(httplib::Server& server);

// Binds `server` to `address`:`port`. On failure returns false and puts the reason in
// `error`: "address in use" when another socket holds the port, else what the system said.
bool bindExclusive(httplib::Server& server, const std::string& address, int port,
                   std::string& error);

// True for 127.0.0.0/8, ::1 and "localhost".
bool isLoopbackAddress(const std::string& address);

}  // namespace feed
