#include "spooler/spooler_result.h"

#include <gtest/gtest.h>

#include <string>

namespace varnok {
namespace {

const SpoolerFailure kRefused{1031, "Destination \"VARNOKX\" is not accepting jobs."};

// A result holds one side; reading the other must fail loudly rather than give an empty value or
// an empty failure that a caller would take for an answer.
TEST(SpoolerResult, HoldsOneSideAndRefusesToReadTheOther) {
  const SpoolerResult<std::string> named("VARNOK K540");
  const SpoolerResult<std::string> unnamed(kRefused);
  const SpoolerResult<void> done;
  const SpoolerResult<void> undone(kRefused);

  EXPECT_TRUE(named);
  EXPECT_EQ(*named, "VARNOK K540");
  EXPECT_ANY_THROW(named.failure());
  EXPECT_FALSE(unnamed);
  EXPECT_EQ(unnamed.failure(), kRefused);
  EXPECT_ANY_THROW(unnamed.value());
  EXPECT_TRUE(done);
  EXPECT_ANY_THROW(done.failure());
  EXPECT_FALSE(undone);
  EXPECT_EQ(undone.failure(), kRefused);
}

}  // namespace
}  // namespace varnok
