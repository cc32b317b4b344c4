// One headless host for the whole run: the toolkit's memory and window table live for the
// process, as in the program. The shared toolkit fixture resets them before each test.
#include <gtest/gtest.h>

#include "tests/toolkit/fixture.h"

namespace zarvik::testing {

HeadlessHost& testHost() {
    static HeadlessHost* host = [] {
        auto* h = new HeadlessHost();
        h->setResources(ZARVIK_SOURCE_RESOURCES);
        h->install();
        return h;
    }();
    return *host;
}

}  // namespace zarvik::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    zarvik::testing::testHost();
    return RUN_ALL_TESTS();
}
