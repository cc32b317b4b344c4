// Any bytes as a line input: the first byte picks the input mode, the second the longest field,
// the bytes up to the first zero are the field's initial text and the rest the keys typed, as
// UTF-8 characters. Every editing key, the decimal code entry among them, keeps the field
// within its limits and the cursor inside it.
#include <algorithm>
#include <string>
#include <string_view>

#include "fuzz/fuzzhost.h"
#include "toolkit/app/events.h"
#include "toolkit/app/input.h"
#include "toolkit/screen/window.h"
#include "toolkit/text/textoutput.h"

namespace {

using namespace zarvik;

constexpr int kColumns = 40;

void setUpWindow() {
    static const bool done = [] {
        test::processHost();
        t_InitWindow(0, 24, false, kColumns * 8, 4 * 16, 0, 0, fuzzing::cellFont(), true);
        return true;
    }();
    (void)done;
}

std::size_t characters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        t_NextScalar(text, i);
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    setUpWindow();
    const int mode = data[0] % 6;
    const int maxCharacters = int(data[1] % 64) - 2;
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t zero = rest.find('\0');
    const std::string_view initial = rest.substr(0, zero);
    const std::string_view keys = zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);

    t_ClearKeyQueue();
    t_CursorHome(0);
    // A decimal code entry left open takes one more key; the second Return always ends the form.
    t_PostKeys(std::string(keys) + "\r\r");
    const std::string field = t_InputForm(0, "> ", initial, false, mode, maxCharacters);
    t_ClearKeyQueue();

    const t_Window& w = t_WindowRecord(0);
    const std::size_t length = characters(field);
    if (field != w.InputString || w.InputCursorPos < 0 || std::size_t(w.InputCursorPos) > length ||
        length > std::size_t(std::max(maxCharacters, 0))) {
        __builtin_trap();
    }
    return 0;
}
