#include "search/position.h"

#include <array>

#include "rules/fen.h"
#include "search/movegen.h"

namespace zarvik::search {
namespace zobrist {
namespace {

struct Keys {
    std::array<std::array<std::uint64_t, 64>, 12> pieces{};
    std::array<std::uint64_t, 16> castling{};
    std::array<std::uint64_t, 8> files{};
    std::uint64_t black = 0;

    Keys() {
        std::uint64_t state = 0x6A09E667F3BCC908ULL;
        const auto next = [&state] {
            state += 0x9E3779B97F4A7C15ULL;
            std::uint64_t z = state;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            return z ^ (z >> 31);
        };
        for (auto& row : pieces) {
            for (auto& k : row) {
                k = next();
            }
        }
        for (auto& k : castling) {
            k = next();
        }
        for (auto& k : files) {
            k = next();
        }
        black = next();
    }
};

const Keys keys;

}  // namespace

std::uint64_t piece(int piece, int square) {
    return keys.pieces[piece][square];
}
std::uint64_t castling(int rights) {
    return keys.castling[rights];
}
std::uint64_t enPassantFile(int file) {
    return keys.files[file];
}
std::uint64_t blackToMove() {
    return keys.black;
}

}  // namespace zobrist

namespace {

// The rights that survive a move touching a square: a king or rook leaving home, or a rook taken.
constexpr std::array<int, 64> kCastlingKept = [] {
    std::array<int, 64> kept{};
    for (int& k : kept) {
        k = 15;
    }
    kept[0] = 15 & ~kWhiteLong;
    kept[7] = 15 & ~kWhiteShort;
    kept[4] = 15 & ~(kWhiteShort | kWhiteLong);
    kept[56] = 15 & ~kBlackLong;
    kept[63] = 15 & ~kBlackShort;
    kept[60] = 15 & ~(kBlackShort | kBlackLong);
    return kept;
}();

int kindFromRules(PieceType type) {
    switch (type) {
        case PieceType::pawn:
            return kPawn;
        case PieceType::knight:
            return kKnight;
        case PieceType::bishop:
            return kBishop;
        case PieceType::rook:
            return kRook;
        case PieceType::queen:
            return kQueen;
        case PieceType::king:
            return kKing;
    }
    return kPawn;
}

}  // namespace

Position::Position() : Position(fromBoard(Board(true), Color::white)) {}

Position Position::fromBoard(const Board& board, Color toMove) {
    initAttacks();
    Position p{Blank{}};
    p.squares_.fill(kNoPiece);
    p.side_ = toMove == Color::white ? kWhite : kBlack;
    p.states_.reserve(256);
    p.states_.assign(1, State{});
    State& s = p.states_.back();
    const Cells& cells = board.cells();
    int enPassantPawn = kNoSquare;
    for (int sq = 0; sq < 64; ++sq) {
        const std::uint8_t c = cells[sq];
        if (c == 0) {
            continue;
        }
        const int side = cell::color(c) == Color::white ? kWhite : kBlack;
        p.put(pieceOf(side, kindFromRules(cell::type(c))), sq);
        const bool unmoved = (c & cell::kHasMoved) == 0;
        if ((c & cell::kEnPassant) != 0 && cell::is(c, PieceType::pawn) && side != p.side_ &&
            rankOf(sq) == (side == kWhite ? 3 : 4)) {
            enPassantPawn = sq;
        }
        if (unmoved && cell::is(c, PieceType::rook)) {
            s.castling |= sq == 7 && side == kWhite ? kWhiteShort : 0;
            s.castling |= sq == 0 && side == kWhite ? kWhiteLong : 0;
            s.castling |= sq == 63 && side == kBlack ? kBlackShort : 0;
            s.castling |= sq == 56 && side == kBlack ? kBlackLong : 0;
        }
    }
    const auto kingHome = [&](int sq, int side) {
        const std::uint8_t c = cells[sq];
        return cell::is(c, PieceType::king, side == kWhite ? Color::white : Color::black) &&
               (c & cell::kHasMoved) == 0;
    };
    if (!kingHome(4, kWhite)) {
        s.castling &= ~(kWhiteShort | kWhiteLong);
    }
    if (!kingHome(60, kBlack)) {
        s.castling &= ~(kBlackShort | kBlackLong);
    }
    if (enPassantPawn != kNoSquare) {
        const int target = enPassantPawn + (p.side_ == kWhite ? 8 : -8);
        if ((pawnAttacks(p.side_ ^ 1, target) & p.pieces(p.side_, kPawn)) != 0) {
            s.enPassant = target;
        }
    }
    s.key = p.computeKey();
    p.refreshChecks();
    return p;
}

std::optional<Position> Position::fromFen(std::string_view fen, std::string& error) {
    const std::optional<FenPosition> read = readFen(fen, error);
    if (!read) {
        return std::nullopt;
    }
    Position p = fromBoard(read->board, read->toMove);
    // The clocks are the only fields the board does not carry.
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < fen.size()) {
        const std::size_t end = fen.find(' ', start);
        const std::string_view field =
            fen.substr(start, end == std::string_view::npos ? fen.npos : end - start);
        if (!field.empty()) {
            fields.push_back(field);
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    const auto number = [](std::string_view text, int fallback) {
        int value = 0;
        for (char c : text) {
            if (c < '0' || c > '9' || value > 10000) {
                return fallback;
            }
            value = value * 10 + (c - '0');
        }
        return text.empty() ? fallback : value;
    };
    if (fields.size() > 4) {
        p.states_.back().halfmoves = number(fields[4], 0);
    }
    if (fields.size() > 5) {
        p.fullmove_ = std::max(1, number(fields[5], 1));
    }
    return p;
}

std::string Position::fen() const {
    static constexpr std::string_view kLetters = "PNBRQKpnbrqk";
    std::string fen;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const int piece = pieceOn(rank * 8 + file);
            if (piece == kNoPiece) {
                ++empty;
                continue;
            }
            if (empty != 0) {
                fen += static_cast<char>('0' + empty);
                empty = 0;
            }
            fen += kLetters[piece];
        }
        if (empty != 0) {
            fen += static_cast<char>('0' + empty);
        }
        if (rank != 0) {
            fen += '/';
        }
    }
    fen += side_ == kWhite ? " w " : " b ";
    const int rights = castling();
    std::string castles;
    castles += (rights & kWhiteShort) != 0 ? "K" : "";
    castles += (rights & kWhiteLong) != 0 ? "Q" : "";
    castles += (rights & kBlackShort) != 0 ? "k" : "";
    castles += (rights & kBlackLong) != 0 ? "q" : "";
    fen += castles.empty() ? "-" : castles;
    fen += ' ';
    if (enPassant() == kNoSquare) {
        fen += '-';
    } else {
        fen += static_cast<char>('a' + fileOf(enPassant()));
        fen += static_cast<char>('1' + rankOf(enPassant()));
    }
    fen += " " + std::to_string(halfmoveClock()) + " " + std::to_string(fullmove_);
    return fen;
}

std::optional<Position> Position::fromGame(std::string_view startFen, const std::vector<PerftMove>& moves,
                                           std::string& error) {
    std::optional<Position> position = startFen.empty() ? Position() : fromFen(startFen, error);
    if (position) {
        for (const PerftMove& move : moves) {
            if (!position->makeNamed(move.text())) {
                break;
            }
        }
    }
    return position;
}

void Position::put(int piece, int square) {
    squares_[square] = piece;
    bySide_[sideOf(piece)] |= bit(square);
    byKind_[kindOf(piece)] |= bit(square);
}

void Position::remove(int square) {
    const int piece = squares_[square];
    bySide_[sideOf(piece)] &= ~bit(square);
    byKind_[kindOf(piece)] &= ~bit(square);
    squares_[square] = kNoPiece;
}

void Position::shift(int from, int to) {
    const int piece = squares_[from];
    const Bitboard both = bit(from) | bit(to);
    bySide_[sideOf(piece)] ^= both;
    byKind_[kindOf(piece)] ^= both;
    squares_[to] = piece;
    squares_[from] = kNoPiece;
}

Bitboard Position::attackersOf(int square, Bitboard occ) const {
    return (pawnAttacks(kBlack, square) & pieces(kWhite, kPawn)) |
           (pawnAttacks(kWhite, square) & pieces(kBlack, kPawn)) |
           (knightAttacks(square) & byKind_[kKnight]) | (kingAttacks(square) & byKind_[kKing]) |
           (bishopAttacks(square, occ) & (byKind_[kBishop] | byKind_[kQueen])) |
           (rookAttacks(square, occ) & (byKind_[kRook] | byKind_[kQueen]));
}

bool Position::attacked(int square, int bySide) const {
    const Bitboard occ = occupied();
    return ((pawnAttacks(bySide ^ 1, square) & pieces(bySide, kPawn)) |
            (knightAttacks(square) & pieces(bySide, kKnight)) |
            (kingAttacks(square) & pieces(bySide, kKing)) |
            (bishopAttacks(square, occ) & (pieces(bySide, kBishop) | pieces(bySide, kQueen))) |
            (rookAttacks(square, occ) & (pieces(bySide, kRook) | pieces(bySide, kQueen)))) != 0;
}

void Position::refreshChecks() {
    State& s = states_.back();
    const int king = kingSquare(side_);
    s.checkers = 0;
    s.pinned = 0;
    if (king == kNoSquare) {
        return;
    }
    const int them = side_ ^ 1;
    s.checkers = attackersOf(king, occupied()) & bySide_[them];
    const Bitboard snipers = (rookAttacks(king, 0) & (pieces(them, kRook) | pieces(them, kQueen))) |
                             (bishopAttacks(king, 0) & (pieces(them, kBishop) | pieces(them, kQueen)));
    Bitboard candidates = snipers;
    while (candidates != 0) {
        const int sniper = popLowest(candidates);
        const Bitboard blockers = between(king, sniper) & occupied();
        if (count(blockers) == 1 && (blockers & bySide_[side_]) != 0) {
            s.pinned |= blockers;
        }
    }
}

std::uint64_t Position::computeKey() const {
    std::uint64_t k = 0;
    for (int sq = 0; sq < 64; ++sq) {
        if (squares_[sq] != kNoPiece) {
            k ^= zobrist::piece(squares_[sq], sq);
        }
    }
    k ^= zobrist::castling(state().castling);
    if (state().enPassant != kNoSquare) {
        k ^= zobrist::enPassantFile(fileOf(state().enPassant));
    }
    if (side_ == kBlack) {
        k ^= zobrist::blackToMove();
    }
    return k;
}

void Position::make(Move move) {
    states_.push_back(states_.back());
    const State& previous = states_[states_.size() - 2];
    State& s = states_.back();
    const int us = side_;
    const int from = move.from();
    const int to = move.to();
    const int piece = squares_[from];
    std::uint64_t key = previous.key ^ zobrist::blackToMove() ^ zobrist::castling(previous.castling);
    if (previous.enPassant != kNoSquare) {
        key ^= zobrist::enPassantFile(fileOf(previous.enPassant));
    }
    s.enPassant = kNoSquare;
    s.captured = kNoPiece;
    s.halfmoves = previous.halfmoves + 1;
    if (move.flag() == kEnPassant) {
        const int taken = to + (us == kWhite ? -8 : 8);
        s.captured = squares_[taken];
        key ^= zobrist::piece(s.captured, taken);
        remove(taken);
    } else if (move.isCapture()) {
        s.captured = squares_[to];
        key ^= zobrist::piece(s.captured, to);
        remove(to);
    }
    key ^= zobrist::piece(piece, from) ^ zobrist::piece(piece, to);
    shift(from, to);
    if (move.isPromotion()) {
        const int promoted = pieceOf(us, move.promotionKind());
        remove(to);
        put(promoted, to);
        key ^= zobrist::piece(piece, to) ^ zobrist::piece(promoted, to);
    }
    if (move.isCastle()) {
        const int rank = us == kWhite ? 0 : 56;
        const int rookFrom = rank + (move.flag() == kCastleShort ? 7 : 0);
        const int rookTo = rank + (move.flag() == kCastleShort ? 5 : 3);
        const int rook = squares_[rookFrom];
        key ^= zobrist::piece(rook, rookFrom) ^ zobrist::piece(rook, rookTo);
        shift(rookFrom, rookTo);
    }
    if (kindOf(piece) == kPawn || s.captured != kNoPiece) {
        s.halfmoves = 0;
    }
    if (move.flag() == kDoublePush) {
        const int target = (from + to) / 2;
        // Only a capture that could happen makes the square part of the position.
        if ((pawnAttacks(us, target) & pieces(us ^ 1, kPawn)) != 0) {
            s.enPassant = target;
            key ^= zobrist::enPassantFile(fileOf(target));
        }
    }
    s.castling = previous.castling & kCastlingKept[from] & kCastlingKept[to];
    key ^= zobrist::castling(s.castling);
    s.key = key;
    side_ ^= 1;
    if (us == kBlack) {
        ++fullmove_;
    }
    refreshChecks();
}

void Position::unmake(Move move) {
    side_ ^= 1;
    const int us = side_;
    if (us == kBlack) {
        --fullmove_;
    }
    const int from = move.from();
    const int to = move.to();
    const int captured = states_.back().captured;
    if (move.isCastle()) {
        const int rank = us == kWhite ? 0 : 56;
        shift(rank + (move.flag() == kCastleShort ? 5 : 3), rank + (move.flag() == kCastleShort ? 7 : 0));
    }
    if (move.isPromotion()) {
        remove(to);
        put(pieceOf(us, kPawn), to);
    }
    shift(to, from);
    if (move.flag() == kEnPassant) {
        put(captured, to + (us == kWhite ? -8 : 8));
    } else if (captured != kNoPiece) {
        put(captured, to);
    }
    states_.pop_back();
}

void Position::makeNull() {
    states_.push_back(states_.back());
    State& s = states_.back();
    s.key ^= zobrist::blackToMove();
    if (s.enPassant != kNoSquare) {
        s.key ^= zobrist::enPassantFile(fileOf(s.enPassant));
        s.enPassant = kNoSquare;
    }
    s.captured = kNoPiece;
    ++s.halfmoves;
    side_ ^= 1;
    refreshChecks();
}

void Position::unmakeNull() {
    side_ ^= 1;
    states_.pop_back();
}

bool Position::isDrawByRule() const {
    const State& s = state();
    if (s.halfmoves >= 100) {
        // Mate given with the hundredth half-move still counts as mate.
        return !inCheck() || hasLegalMove(*this);
    }
    const int last = static_cast<int>(states_.size()) - 1;
    const int reach = std::min(s.halfmoves, last);
    for (int back = 4; back <= reach; back += 2) {
        if (states_[last - back].key == s.key) {
            return true;
        }
    }
    return false;
}

bool Position::insufficientMaterial() const {
    if ((byKind_[kPawn] | byKind_[kRook] | byKind_[kQueen]) != 0) {
        return false;
    }
    return count(byKind_[kKnight] | byKind_[kBishop]) <= 1;
}

bool Position::hasNonPawnMaterial(int side) const {
    return (bySide_[side] & ~byKind_[kPawn] & ~byKind_[kKing]) != 0;
}

std::optional<Move> Position::moveNamed(std::string_view text) const {
    MoveList moves;
    generateLegal(*this, moves);
    for (const Move m : moves) {
        const std::string name = m.text();
        if (text == name || (m.isPromotion() && m.promotionKind() == kQueen && text == name.substr(0, 4))) {
            return m;
        }
    }
    return std::nullopt;
}

bool Position::makeNamed(std::string_view text) {
    const std::optional<Move> move = moveNamed(text);
    if (move) {
        make(*move);
    }
    return move.has_value();
}

}  // namespace zarvik::search
