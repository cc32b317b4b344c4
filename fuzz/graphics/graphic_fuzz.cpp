// Any bytes as a graphic file, drawn into a small window of every depth: loading and the
// expansion chain refuse what they cannot read, and drawing stays inside the image data and the
// window's memory, also when the image is shifted off the window's corner or enlarged.
#include <array>

#include "fuzz/fuzzhost.h"
#include "toolkit/graphics/graphicdraw.h"
#include "toolkit/graphics/graphicfile.h"
#include "toolkit/screen/font.h"
#include "toolkit/screen/window.h"

namespace {

using namespace zarvik;

constexpr std::array<int, 6> kDepths{1, 4, 8, 16, 24, 32};

void setUpWindows() {
    static const bool done = [] {
        test::processHost();
        for (std::size_t i = 0; i < kDepths.size(); ++i) {
            t_InitWindow(std::uint8_t(i), kDepths[i], false, 32, 32, 0, 0, t_Font{}, true);
        }
        return true;
    }();
    (void)done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    setUpWindows();
    const g_Graphic graphic = graphicFromFileBytes(ByteView(data, size));
    for (std::size_t i = 0; i < kDepths.size(); ++i) {
        const auto window = std::uint8_t(i);
        g_Draw(window, graphic, 0, 0, 1, -1);
        g_Draw(window, graphic, -7, 5, 2, 0);
    }
    return 0;
}
