#include "engine/position.h"

#include <algorithm>
#include <cctype>

#include "rules/fen.h"

namespace zarvik::engine {
namespace {

constexpr std::size_t kQuotedLength = 32;

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

}  // namespace

std::string quoted(std::string_view word) {
    std::string text;
    for (const char c : word.substr(0, kQuotedLength)) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    if (word.size() > kQuotedLength) {
        text += "...";
    }
    return "\"" + text + "\"";
}

std::optional<PerftMove> legalMoveNamed(const Board& board, Color toMove, std::string_view text) {
    if (text.size() != 4 && text.size() != 5) {
        return std::nullopt;
    }
    const std::string wanted = lowerCase(text);
    const std::vector<PerftMove> moves = legalMoves(board, toMove);
    for (const std::string& name : {wanted, wanted + "q"}) {
        const auto found = std::find_if(moves.begin(), moves.end(),
                                        [&](const PerftMove& move) { return move.text() == name; });
        if (found != moves.end()) {
            return *found;
        }
    }
    return std::nullopt;
}

EnginePosition readPosition(const std::vector<std::string_view>& arguments, const EnginePosition& previous,
                            std::vector<std::string>& problems) {
    const auto movesWord = std::find(arguments.begin(), arguments.end(), "moves");
    EnginePosition position;
    if (arguments.empty() || (arguments[0] != "startpos" && arguments[0] != "fen")) {
        problems.push_back("position needs startpos or fen; position kept");
        return previous;
    }
    if (arguments[0] == "startpos") {
        if (arguments.begin() + 1 != movesWord) {
            problems.push_back("ignored " + quoted(arguments[1]) + " after startpos");
        }
    } else {
        std::string fen;
        for (auto field = arguments.begin() + 1; field != movesWord; ++field) {
            fen += std::string(*field) + " ";
        }
        std::string error;
        const std::optional<FenPosition> read = readFen(fen, error);
        if (!read) {
            problems.push_back("bad FEN, position kept (" + error + ")");
            return previous;
        }
        position.board = read->board;
        position.toMove = read->toMove;
        position.startFen = fen;
    }
    if (movesWord == arguments.end()) {
        return position;
    }
    for (auto word = movesWord + 1; word != arguments.end(); ++word) {
        const std::optional<PerftMove> move = legalMoveNamed(position.board, position.toMove, *word);
        if (!move) {
            problems.push_back("illegal move " + quoted(*word) + ", it and the moves after it ignored");
            break;
        }
        position.board = afterMove(position.board, position.toMove, *move);
        position.toMove = opposite(position.toMove);
        position.played.push_back(*move);
    }
    return position;
}

}  // namespace zarvik::engine
