#include <gtest/gtest.h>

#include "tools/feed/listener.h"

namespace {

TEST(FeedListener, APortAnotherServerListensOnIsRefused) {
  httplib::Server first;
  feed::useExclusivePort(first);
  const int port = first.bind_to_any_port("127.0.0.1");
  ASSERT_GT(port, 0);
  httplib::Server second;
  std::string error;
  EXPECT_FALSE(feed::bindExclusive(second, "127.0.0.1", port, error));
  EXPECT_EQ(error, "address in use");
  EXPECT_FALSE(feed::bindExclusive(second, "192.0.2.1", port, error));  // not this machine's
  EXPECT_EQ(error, "no such address on this machine");
}

TEST(FeedListener, LoopbackAddresses) {
  const struct {
    const char* address;
    bool loopback;
  } cases[] = {{"127.0.0.1", true},    {"127.8.9.10", true}, {"::1", true},
               {"localhost", true},    {"0.0.0.0", false},   {"::", false},
               {"192.168.1.5", false}, {"host", false}};
  for (const auto& c : cases)
    EXPECT_EQ(feed::isLoopbackAddress(c.address), c.loopback) << c.address;
}

}  // namespace
