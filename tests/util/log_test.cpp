// The log without a stream (the application keeps it in its console window): a fatal error must
// still reach a terminal before the process ends.
#include <gtest/gtest.h>

#include "util/log.h"

namespace zarvik {
namespace {

TEST(LogDeathTest, FatalLineReachesStandardErrorWithoutAStream) {
    EXPECT_DEATH(
        {
            setlogstream(nullptr);
            fatal("Unreachable state in the move list");
        },
        "Unreachable state in the move list");
}

}  // namespace
}  // namespace zarvik
