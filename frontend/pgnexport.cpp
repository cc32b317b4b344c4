#include "frontend/pgnexport.h"

#include <algorithm>

#include "frontend/gameclock.h"
#include "frontend/human.h"
#include "frontend/pgnimport.h"
#include "frontend/record.h"
#include "frontend/savedgame.h"
#include "notation/pgnwrite.h"
#include "notation/san.h"
#include "rules/fen.h"
#include "util/text.h"

namespace zarvik::frontend {
namespace {

constexpr char kLineEnd = '\r';

// "Spielverlauf am 05.12.2026" gives "2026.12.05".
std::string pgnDate(std::string_view header) {
    const std::size_t at = header.find_first_of("0123456789");
    if (at == std::string_view::npos || header.size() < at + 10) {
        return "????.??.??";
    }
    const std::string_view date = header.substr(at, 10);
    const std::string_view day = date.substr(0, 2);
    const std::string_view month = date.substr(3, 2);
    const std::string_view year = date.substr(6, 4);
    if (!alldigits(day) || !alldigits(month) || !alldigits(year) || date[2] != '.' || date[5] != '.') {
        return "????.??.??";
    }
    return std::string(year) + "." + std::string(month) + "." + std::string(day);
}

// "Weiss   = Computer (leicht)" gives "Zarvik (leicht)", "... = Mensch" gives "Mensch".
std::string playerName(std::string_view line) {
    const std::size_t equals = line.find("= ");
    const std::string_view who =
        equals == std::string_view::npos ? std::string_view() : line.substr(equals + 2);
    if (who.starts_with("Computer")) {
        return "Zarvik" + std::string(who.substr(8));
    }
    return who.empty() ? "?" : std::string(who);
}

std::string_view lineAt(std::string_view text, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = text.find(kLineEnd, start);
        if (start == std::string_view::npos) {
            return {};
        }
        start += 1;
    }
    return text.substr(start, text.find(kLineEnd, start) - start);
}

std::optional<int> square(std::string_view move, std::size_t at) {
    if (at + 1 >= move.size() || move[at] < 'A' || move[at] > 'H' || move[at + 1] < '1' ||
        move[at + 1] > '8') {
        return std::nullopt;
    }
    return (move[at] - 'A') + 8 * (move[at + 1] - '1');
}

// The move of a saved move text ("E2-E4", "E7-E8/D+", "O-O") where it stands, if the replay makes it.
std::optional<PerftMove> recordMove(const Board& board, Color toMove, std::string_view move) {
    PerftMove made;
    if (move == "O-O" || move == "O-O-O") {
        const int base = toMove == Color::white ? 0 : 56;
        const bool kingSide = move == "O-O";
        made = PerftMove{base + 4, base + (kingSide ? 6 : 2),
                         kingSide ? CastleSide::kingSide : CastleSide::queenSide, std::nullopt};
    } else {
        const std::optional<int> from = square(move, 0);
        const std::optional<int> to = square(move, 3);
        if (!from || !to) {
            return std::nullopt;
        }
        made = PerftMove{*from, *to, std::nullopt, std::nullopt};
        const std::optional<Piece> piece = board.pieceAt(BoardLocation(*from));
        const bool promotes =
            piece && piece->type == PieceType::pawn && (toMove == Color::white ? *to >= 56 : *to < 8);
        if (promotes) {
            const std::size_t slash = move.find('/');
            made.promotion =
                promotionPieceFor(slash != std::string_view::npos && slash + 1 < move.size() ? move[slash + 1]
                                                                                             : 'D')
                    .type;
        }
    }
    if (!isLegalMove(board, toMove, made)) {
        return std::nullopt;
    }
    return made;
}

// The side that gave up: the final line says so, or (in records of older versions) its move line
// has the colour word but no move and no line end.
std::optional<Color> gaveUp(std::string_view text) {
    for (const Color color : {Color::white, Color::black}) {
        if (text.find("*** " + std::string(colorWord(color)) + " gibt auf ***") != std::string_view::npos) {
            return color;
        }
    }
    const std::size_t lastEnd = text.rfind(kLineEnd);
    const std::string_view open = lastEnd == std::string_view::npos ? text : text.substr(lastEnd + 1);
    const std::size_t colon = open.find(": ");
    if (colon == std::string_view::npos || open.find_first_not_of(' ', colon + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    if (open.find("Weiss:") != std::string_view::npos) {
        return Color::white;
    }
    if (open.find("Schwarz:") != std::string_view::npos) {
        return Color::black;
    }
    return std::nullopt;
}

}  // namespace

std::optional<PgnExport> recordGame(std::string_view recordText) {
    if (!hasRecordHeader(recordText)) {
        return std::nullopt;
    }
    const std::optional<std::vector<std::string>> lines = savedMoveLines(recordText);
    if (!lines) {
        return std::nullopt;
    }
    PgnExport game;
    game.date = pgnDate(lineAt(recordText, 0));
    const int white = whitePlayerLine(recordText);
    game.white = playerName(lineAt(recordText, white));
    game.black = playerName(lineAt(recordText, white + 1));

    const std::optional<RecordClocks> clocks = recordClocks(recordText);
    if (clocks) {
        game.otherTags.push_back({"TimeControl", timeControlTag(clocks->control)});
    }

    FenPosition start{Board(true), Color::white};
    if (const std::string_view fen = startFenOf(recordText); !fen.empty()) {
        std::string error;
        std::optional<FenPosition> position = readFen(fen, error);
        if (!position) {
            return std::nullopt;
        }
        start = std::move(*position);
        game.fen = fen;
    }
    Board board = start.board;
    Color toMove = start.toMove;
    for (const std::string& line : *lines) {
        if (!board.canColorMoveAnyPiece(toMove)) {
            break;  // the game ended here, as the replay's does
        }
        if (const std::optional<PerftMove> move = recordMove(board, toMove, savedMove(line))) {
            game.moves.push_back(*move);
            const std::optional<double> reading = clocks ? lineClock(line) : std::nullopt;
            game.notes.resize(game.moves.size());
            if (reading) {
                game.notes.back().comments.push_back("[%clk " + clockTagText(*reading) + "]");
            }
            board = afterMove(board, toMove, *move);
            toMove = opposite(toMove);
        }
    }

    if (board.isColorInCheckMate(toMove)) {
        game.result = toMove == Color::white ? PgnResult::blackWins : PgnResult::whiteWins;
    } else if (!board.canColorMoveAnyPiece(toMove)) {
        game.result = PgnResult::draw;
        game.termination = "Patt";
    } else if (recordText.find(kTimeOutDrawLine) != std::string_view::npos) {
        game.result = PgnResult::draw;
        game.termination = "Zeit überschritten";
    } else if (recordText.find(kTimeOutLine) != std::string_view::npos) {
        // The flag falls for the side to move.
        game.result = toMove == Color::white ? PgnResult::blackWins : PgnResult::whiteWins;
        game.termination = "Zeit überschritten";
    } else if (endedByRepetition(recordText)) {
        game.result = PgnResult::draw;
        game.termination = "Remis durch Zugwiederholung";
    } else if (const DrawEnding* drawn = drawEndingIn(recordText)) {
        game.result = PgnResult::draw;
        game.termination = drawn->termination;
    } else if (const std::optional<Color> loser = gaveUp(recordText)) {
        game.result = *loser == Color::white ? PgnResult::blackWins : PgnResult::whiteWins;
        game.termination = *loser == Color::white ? "Weiss gibt auf" : "Schwarz gibt auf";
    }
    return game;
}

std::optional<std::string> recordAsPgn(std::string_view recordText) {
    const std::optional<PgnExport> game = recordGame(recordText);
    return game ? std::optional(writePgn(*game)) : std::nullopt;
}

PgnExport withImportedNotation(PgnExport own, const PgnExport& imported) {
    PgnExport game = imported;
    const auto [ownEnd, importedEnd] = std::ranges::mismatch(own.moves, imported.moves);
    const auto shared = static_cast<std::size_t>(ownEnd - own.moves.begin());
    const bool unchanged = ownEnd == own.moves.end() && importedEnd == imported.moves.end();
    // A take-back and other moves leave the file's notes of the moves they replaced behind.
    game.notes.resize(std::min(shared, game.notes.size()));
    game.moves = std::move(own.moves);
    if (!unchanged || (own.result != PgnResult::unknown && own.result != imported.result)) {
        game.result = own.result;
        game.termination = std::move(own.termination);
    }
    return game;
}

std::string savedFileText(std::string_view path, const std::string& recordText, const PgnExport* imported) {
    if (!hasPgnExtension(path)) {
        return recordText;
    }
    // A record the program keeps always reads; an empty game stands in should it ever not.
    std::optional<PgnExport> game = recordGame(recordText);
    if (game && imported != nullptr) {
        game = withImportedNotation(std::move(*game), *imported);
    }
    return writePgn(game.value_or(PgnExport{}));
}

}  // namespace zarvik::frontend
