#include "runtime/temporary_change.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace quardeln {
namespace {

TEST(TemporaryChange, PutsTheOldValueBackHoweverTheScopeEnds) {
  int flag = 3;
  {
    const TTemporaryChange busy(flag, 1);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(busy.Old(), 3);
    {
      const TTemporaryChange nested(flag, 2);
      EXPECT_EQ(nested.Old(), 1);
    }
    EXPECT_EQ(flag, 1);
  }
  EXPECT_EQ(flag, 3);
  std::string held = "before";
  EXPECT_THROW(
      {
        const TTemporaryChange change(held, std::string("during"));
        throw std::runtime_error("left early");
      },
      std::runtime_error);
  EXPECT_EQ(held, "before");
}

}  // namespace
}  // namespace quardeln
