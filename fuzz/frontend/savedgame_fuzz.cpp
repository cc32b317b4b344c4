// Any bytes as a saved game: decoded as the reader decodes a file (UTF-8, else Mac OS Roman, with
// the record's line ends), its header and player lines checked, and its move lines replayed on a new board.
// Every line is played, refused with a message or skipped, never counted twice.
#include <string>
#include <string_view>

#include "frontend/savedfile.h"
#include "frontend/savedgame.h"
#include "util/encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zarvik;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = frontend::withRecordLineEnds(isvalidutf8(bytes) ? bytes : macromantoutf8(bytes));
    frontend::hasRecordHeader(text);
    const auto lines = frontend::savedMoveLines(text);
    if (!lines) {
        return 0;
    }
    int refused = 0;
    const frontend::Replay replay =
        frontend::replayMoveLines(*lines, [&refused](const std::string&) { ++refused; });
    if (!replay.game || !replay.white || !replay.black || replay.lineCount < 0 ||
        replay.lineCount + refused > int(lines->size()) + 1) {
        __builtin_trap();
    }
    return 0;
}
