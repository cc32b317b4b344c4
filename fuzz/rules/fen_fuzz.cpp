// Any bytes as a position text: the reader refuses what it cannot read with one line, and every
// position it accepts can be played on: its moves are generated and made two half-moves deep.
#include <string>
#include <string_view>

#include "rules/fen.h"
#include "rules/perft.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zarvik;
    std::string error;
    const std::optional<FenPosition> position =
        readFen(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!position) {
        if (error.empty() || error.find('\n') != std::string::npos) {
            __builtin_trap();  // a refusal is told in exactly one line
        }
        return 0;
    }
    perft(position->board, position->toMove, 2);
    return 0;
}
