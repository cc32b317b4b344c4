// Any bytes as a game file: reading stays inside the input and ends, and so does listing its games. Whatever
// game it finds is written out again and must read back to the same start position, moves, board, result,
// comments and variations.
#include <cstdlib>
#include <string_view>

#include "notation/pgnread.h"
#include "notation/pgnwrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zarvik;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The games of a collection lie one after the other inside the file.
    std::size_t end = 0;
    for (const PgnGameEntry& game : listPgnGames(bytes)) {
        if (game.offset < end || game.length == 0 || game.offset + game.length > size) {
            std::abort();
        }
        end = game.offset + game.length;
    }
    const PgnReading read = readPgn(bytes);
    if (read.failure != PgnFailure::none) {
        return 0;
    }
    const PgnExport game = exportOf(read);
    const PgnReading again = readPgn(writePgn(game));
    if (again.failure != PgnFailure::none || again.refused || again.fen != read.fen ||
        again.moves.size() != read.moves.size() || !(again.board == read.board) ||
        again.result != read.result || tagValue(again.tags, "White") != game.white ||
        again.comments != read.comments || !(again.notes == read.notes)) {
        std::abort();
    }
    for (std::size_t i = 0; i < read.moves.size(); ++i) {
        if (again.moves[i].text() != read.moves[i].text()) {
            std::abort();
        }
    }
    return 0;
}
