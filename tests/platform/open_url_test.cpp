#include "platform/open_url.h"

#include <gtest/gtest.h>

namespace {

TEST(OpenUrl, OnlyWebAddressesReachTheOpener) {
  const struct {
    const char* url;
    bool openable;
  } cases[] = {
      {"http://127.0.0.1:8404/q?s=IBM", true},
      {"https://example.org/", true},
      {"http://", false},
      {"file:///etc/passwd", false},
      {"HTTP://example.org", false},
      {"javascript:alert(1)", false},
      {"http://a\nb", false},
      {"", false},
      {" http://example.org", false},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::isOpenableUrl(c.url), c.openable) << c.url;
}

TEST(OpenUrl, RefusedAddressesStartNothing) {
  EXPECT_FALSE(platform::openUrl("file:///etc/passwd"));
}

}  // namespace
