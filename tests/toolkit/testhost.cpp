#include "tests/toolkit/testhost.h"

#include "tests/support/processhost.h"
#include "toolkit/screen/window.h"

namespace zarvik::testing {

HeadlessHost& testHost() {
    return test::processHost();
}

void releaseAllWindows() {
    CapturedOutput quiet;
    t_WaitForMemory();
    for (std::uint8_t w = 0; w < t_WindowCount; ++w) {
        if (t_WindowRecord(w).Initialized) {
            t_InitWindow(w, 2, false, 64, 64, 0, 0, t_Font{}, true);
        }
        testHost().setWindowExists(w, true);
    }
}

}  // namespace zarvik::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The test runner's thread plays the application's thread, as the program's launch thread does.
    zarvik::testing::testHost();
    return RUN_ALL_TESTS();
}
