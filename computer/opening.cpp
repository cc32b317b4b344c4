#include "computer/opening.h"

#include "util/log.h"

namespace zarvik {

using enum GridPosition;

std::vector<OpeningMove> Opening::openingMoves(Color color) const {
    Board board(true);
    std::vector<OpeningMove> entries;
    std::size_t k = 0;
    for (const auto& [from, to] : moveLocations()) {
        const bool whitesMove = k % 2 == 0;
        if (whitesMove == (color == Color::white)) {
            entries.push_back(OpeningMove{board, from, to});
        }
        board.movePiece(from, to);
        ++k;
    }
    return entries;
}

std::vector<std::pair<BoardLocation, BoardLocation>> Opening::moveLocations() const {
    std::vector<std::pair<BoardLocation, BoardLocation>> locations;
    for (const auto& [from, to] : moveGridPositions()) {
        locations.emplace_back(BoardLocation(from), BoardLocation(to));
    }
    return locations;
}

std::vector<std::pair<GridPosition, GridPosition>> Opening::moveGridPositions() const {
    fatal("Must override");
}

std::vector<std::pair<GridPosition, GridPosition>> RuyLopez::moveGridPositions() const {
    return {{e2, e4}, {e7, e5}, {g1, f3}, {b8, c6}, {f1, b5}};
}

std::vector<std::pair<GridPosition, GridPosition>> ItalianGame::moveGridPositions() const {
    return {{e2, e4}, {e7, e5}, {g1, f3}, {b8, c6}, {f1, c4}};
}

std::vector<std::pair<GridPosition, GridPosition>> SicilianDefense::moveGridPositions() const {
    return {{e2, e4}, {c7, c5}};
}

std::vector<std::pair<GridPosition, GridPosition>> QueensGambit::moveGridPositions() const {
    return {{d2, d4}, {d7, d5}, {c2, c4}};
}

std::vector<std::pair<GridPosition, GridPosition>> KingsGambit::moveGridPositions() const {
    return {{e2, e4}, {e7, e5}, {f2, f4}};
}

std::vector<OpeningMove> openingBook(Color color) {
    const std::unique_ptr<Opening> openings[] = {
        std::make_unique<RuyLopez>(), std::make_unique<ItalianGame>(), std::make_unique<SicilianDefense>(),
        std::make_unique<QueensGambit>(), std::make_unique<KingsGambit>()};
    std::vector<OpeningMove> book;
    for (const std::unique_ptr<Opening>& opening : openings) {
        const std::vector<OpeningMove> entries = opening->openingMoves(color);
        book.insert(book.end(), entries.begin(), entries.end());
    }
    return book;
}

}  // namespace zarvik
