#include "link/port_name.h"

#include <gtest/gtest.h>

namespace vexal {
namespace {

TEST(PortName, CommitRewritesTheDigitAndIgnoresPortsOutsideOneToEight) {
  EXPECT_EQ(PortNumber(), 2);
  EXPECT_EQ(PortName(), "COM2");
  CommitPortNumber(7);
  EXPECT_EQ(PortNumber(), 7);
  EXPECT_EQ(PortName(), "COM7");
  for (int outside : {0, 9, -1, 10}) {
    CommitPortNumber(outside);
    EXPECT_EQ(PortName(), "COM7") << outside;
  }
  CommitPortNumber(8);
  EXPECT_EQ(PortName(), "COM8");
  CommitPortNumber(2);
}

}  // namespace
}  // namespace vexal
