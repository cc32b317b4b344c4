#include "cli/gamefile.h"

#include <charconv>

namespace zarvik::cli {

GameFileArguments readGameFileArguments(const std::vector<std::string>& args) {
    GameFileArguments read;
    bool hasFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--game") {
            int number = 0;
            const std::string value = i + 1 < args.size() ? args[i + 1] : "";
            const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (status != std::errc() || end != value.data() + value.size() || number < 1) {
                read.error = "--game needs a game number from 1";
                return read;
            }
            read.game = number;
            ++i;
        } else if (!hasFile) {
            read.file = args[i];
            hasFile = true;
        } else {
            read.error = "expected one FILE";
            return read;
        }
    }
    if (!hasFile) {
        read.error = "expected one FILE";
    }
    return read;
}

}  // namespace zarvik::cli
