#include "render/gl_context.h"

#include <gtest/gtest.h>

namespace {

TEST(FontTable, ListRangesDoNotOverlap) {
  for (const auto& a : kFontTable) {
    for (const auto& b : kFontTable) {
      if (&a == &b) continue;
      const bool apart =
          a.listBase + a.glyphCount <= b.listBase || b.listBase + b.glyphCount <= a.listBase;
      EXPECT_TRUE(apart) << a.listBase << " and " << b.listBase;
    }
  }
}

}  // namespace
