#include "notation/san.h"

#include <gtest/gtest.h>

#include "tests/support/positions.h"

namespace zarvik {
namespace {

using test::legalMove;

struct SanCase {
    const char* name;
    const char* fen;
    const char* move;  // long algebraic
    const char* san;
};

// Every case is written and read back: the text names exactly this move.
const SanCase kCases[] = {
    {"king", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e1d2", "Kd2"},
    {"queen", "4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "d1d5", "Qd5"},
    {"rook", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1a7", "Ra7"},
    {"bishop", "4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", "c1f4", "Bf4"},
    {"knight", "4k3/8/8/8/8/8/8/1N2K3 w - - 0 1", "b1c3", "Nc3"},
    {"pawn steps", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "e2e4", "e4"},
    {"black pawn", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", "c7c5", "c5"},
    {"piece captures", "4k3/8/8/3p4/8/8/8/3QK3 w - - 0 1", "d1d5", "Qxd5"},
    {"pawn captures with its file", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e4d5", "exd5"},
    {"king captures", "4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", "e1d2", "Kxd2"},
    {"file tells knights apart", "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", "b1d2", "Nbd2"},
    {"rank tells rooks apart", "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
    {"both tell queens apart", "8/2k5/8/8/4Q2Q/8/K7/7Q w - - 0 1", "h4e1", "Qh4e1"},
    {"file suffices when ranks differ", "8/2k5/8/8/4Q2Q/8/K7/7Q w - - 0 1", "e4e1", "Qee1"},
    {"rank when files are shared", "8/2k5/8/8/4Q2Q/8/K7/7Q w - - 0 1", "h1e1", "Q1e1"},
    {"capture with disambiguation", "4k3/8/8/8/8/8/3p4/1N2KN2 w - - 0 1", "f1d2", "Nfxd2"},
    {"pinned rival needs no disambiguation", "4k3/8/8/8/3b4/8/1N3N2/K7 w - - 0 1", "f2d3", "Nd3"},
    {"promotion to queen with check", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8q", "e8=Q+"},
    {"promotion to rook with check", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8r", "e8=R+"},
    {"promotion to bishop", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8b", "e8=B"},
    {"promotion to knight", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8n", "e8=N"},
    {"capture promotion to queen", "k2r4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8q", "exd8=Q+"},
    {"capture promotion to rook", "k2r4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8r", "exd8=R+"},
    {"capture promotion to bishop", "k2r4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8b", "exd8=B"},
    {"capture promotion to knight", "k2r4/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7d8n", "exd8=N"},
    {"black promotes with check", "4k3/8/8/8/8/8/3p4/K7 b - - 0 1", "d2d1q", "d1=Q+"},
    {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "exd6"},
    {"black en passant", "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1", "e4d3", "exd3"},
    {"short castling", "4k3/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O"},
    {"long castling", "r3k3/8/8/8/8/8/8/4K3 b q - 0 1", "e8c8", "O-O-O"},
    {"castling with check", "5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O+"},
    {"long castling with check", "3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", "O-O-O+"},
    {"castling with mate", "4rkr1/4p1p1/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O#"},
    {"check", "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1a8", "Ra8+"},
    {"mate", "6k1/5ppp/8/8/8/8/8/R3K3 w - - 0 1", "a1a8", "Ra8#"},
    {"stalemate has no mark", "k7/8/1Q6/8/8/8/8/4K3 w - - 0 1", "b6c7", "Qc7"},
};

TEST(San, WrittenAndReadBack) {
    for (const SanCase& c : kCases) {
        const FenPosition at = test::fenPosition(c.fen);
        const std::optional<PerftMove> move = legalMove(at, c.move);
        ASSERT_TRUE(move.has_value()) << c.name;
        EXPECT_EQ(sanText(at.board, at.toMove, *move), c.san) << c.name;
        const SanReading read = readSan(at.board, at.toMove, c.san);
        ASSERT_TRUE(read.move.has_value()) << c.name;
        EXPECT_EQ(read.move->text(), c.move) << c.name;
    }
}

struct LenientCase {
    const char* name;
    const char* fen;
    const char* text;
    const char* move;
};

TEST(San, ReadsTheFormsOtherProgramsWrite) {
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const char* promote = "k7/4P3/8/8/8/8/8/4K3 w - - 0 1";
    const char* castle = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const LenientCase cases[] = {
        {"marks of any kind", start, "Nf3!?", "g1f3"},
        {"a wrong check mark", start, "e4+", "e2e4"},
        {"long form with hyphen", start, "Ng1-f3", "g1f3"},
        {"long form without hyphen", start, "g1f3", "g1f3"},
        {"pawn long form", start, "e2-e4", "e2e4"},
        {"superfluous file", start, "Ngf3", "g1f3"},
        {"pawn letter", start, "Pe4", "e2e4"},
        {"zeros for short castling", castle, "0-0", "e1g1"},
        {"zeros for long castling", castle, "0-0-0", "e1c1"},
        {"short castling by the king's squares", castle, "e1g1", "e1g1"},
        {"long castling by the king's squares", castle, "Ke1-c1", "e1c1"},
        {"black castles by the king's squares", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "e8c8", "e8c8"},
        {"en passant written out", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6e.p.", "e5d6"},
        {"colon for capture", "4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1", "e:d5", "e4d5"},
        {"promotion without equals", promote, "e8N", "e7e8n"},
        {"promotion in parentheses", promote, "e8(R)", "e7e8r"},
        {"promotion with slash", promote, "e8/B", "e7e8b"},
        {"promotion letter in lower case", promote, "e8=q", "e7e8q"},
        {"promotion without a piece makes a queen", promote, "e8", "e7e8q"},
    };
    for (const LenientCase& c : cases) {
        const FenPosition at = test::fenPosition(c.fen);
        const SanReading read = readSan(at.board, at.toMove, c.text);
        ASSERT_TRUE(read.move.has_value()) << c.name;
        EXPECT_EQ(read.move->text(), c.move) << c.name;
    }
}

struct RefusalCase {
    const char* name;
    const char* fen;
    const char* text;
    SanProblem problem;
};

TEST(San, RefusesWhatCannotBeMadeAndSaysWhy) {
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const char* knights = "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1";
    const RefusalCase cases[] = {
        {"no piece gets there", start, "Nd4", SanProblem::illegal},
        {"blocked", start, "Qd3", SanProblem::illegal},
        {"other side's pawn", start, "e5", SanProblem::illegal},
        {"castling through pieces", start, "O-O", SanProblem::illegal},
        {"castling by squares without the right", "4k3/8/8/8/8/8/8/4K2R w - - 0 1", "e1g1",
         SanProblem::illegal},
        {"capture of nothing by a pawn", start, "exd3", SanProblem::illegal},
        {"promotion short of the last rank", start, "e4=Q", SanProblem::illegal},
        {"two knights", knights, "Nd2", SanProblem::ambiguous},
        {"two knights, hint fits both", knights, "N1d2", SanProblem::ambiguous},
        {"word", start, "xyz", SanProblem::unreadable},
        {"piece without square", start, "N", SanProblem::unreadable},
        {"off the board", start, "Qh9", SanProblem::unreadable},
        {"promotion to a king", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", "e8=K", SanProblem::unreadable},
        {"null move", start, "--", SanProblem::unreadable},
        {"empty", start, "", SanProblem::unreadable},
        {"too many squares", start, "e2e3e4", SanProblem::unreadable},
        {"rank before file", start, "N1gf3", SanProblem::unreadable},
    };
    for (const RefusalCase& c : cases) {
        const FenPosition at = test::fenPosition(c.fen);
        const SanReading read = readSan(at.board, at.toMove, c.text);
        EXPECT_FALSE(read.move.has_value()) << c.name;
        EXPECT_EQ(read.problem, c.problem) << c.name;
    }
}

}  // namespace
}  // namespace zarvik
