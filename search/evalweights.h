#pragma once
// The evaluation's numbers as one flat table of middlegame/endgame pairs, so that the tuner can vary
// every one of them alike; the offsets below say which entries belong to which term.
#include <array>

namespace zarvik::search {

// A middlegame and an endgame value, blended by the material left.
struct Pair {
    int mg = 0;
    int eg = 0;
    constexpr Pair& operator+=(Pair o) {
        mg += o.mg;
        eg += o.eg;
        return *this;
    }
    constexpr Pair& operator-=(Pair o) {
        mg -= o.mg;
        eg -= o.eg;
        return *this;
    }
    constexpr Pair operator*(int n) const { return {mg * n, eg * n}; }
};

namespace weight {
inline constexpr int kMaterial = 0;                          // by kind
inline constexpr int kPlacement = kMaterial + 6;             // by kind and square, from White's side
inline constexpr int kKnightMobility = kPlacement + 6 * 64;  // by squares reached
inline constexpr int kBishopMobility = kKnightMobility + 9;
inline constexpr int kRookMobility = kBishopMobility + 14;
inline constexpr int kQueenMobility = kRookMobility + 15;
inline constexpr int kPassed = kQueenMobility + 28;  // by rank from the owner's side
inline constexpr int kIsolated = kPassed + 8;
inline constexpr int kDoubled = kIsolated + 1;
inline constexpr int kBackward = kDoubled + 1;
inline constexpr int kSupported = kBackward + 1;  // guarded by a pawn
inline constexpr int kPhalanx = kSupported + 1;   // beside a pawn on its rank
inline constexpr int kBishopPair = kPhalanx + 1;
inline constexpr int kRookOpen = kBishopPair + 1;
inline constexpr int kRookHalfOpen = kRookOpen + 1;
inline constexpr int kShieldPawn = kRookHalfOpen + 1;
inline constexpr int kKingOpenFile = kShieldPawn + 1;  // per file at the king without own pawns
inline constexpr int kOutpost = kKingOpenFile + 1;     // knight guarded by a pawn, out of enemy pawns' reach
inline constexpr int kPawnThreat = kOutpost + 1;       // enemy piece attacked by a pawn
inline constexpr int kTempo = kPawnThreat + 1;
inline constexpr int kCount = kTempo + 1;

// The groups above in order, named as the tuner prints them; each runs to the next one's start.
struct Group {
    const char* name;
    int at;
};
inline constexpr std::array kGroups{
    Group{"material", kMaterial},
    Group{"pawn placement", kPlacement},
    Group{"knight placement", kPlacement + 64},
    Group{"bishop placement", kPlacement + 128},
    Group{"rook placement", kPlacement + 192},
    Group{"queen placement", kPlacement + 256},
    Group{"king placement", kPlacement + 320},
    Group{"knight mobility", kKnightMobility},
    Group{"bishop mobility", kBishopMobility},
    Group{"rook mobility", kRookMobility},
    Group{"queen mobility", kQueenMobility},
    Group{"passed pawn", kPassed},
    Group{"isolated", kIsolated},
    Group{"doubled", kDoubled},
    Group{"backward", kBackward},
    Group{"supported", kSupported},
    Group{"phalanx", kPhalanx},
    Group{"bishop pair", kBishopPair},
    Group{"rook open", kRookOpen},
    Group{"rook half-open", kRookHalfOpen},
    Group{"shield pawn", kShieldPawn},
    Group{"king open file", kKingOpenFile},
    Group{"outpost", kOutpost},
    Group{"pawn threat", kPawnThreat},
    Group{"tempo", kTempo},
};
}  // namespace weight

using EvalWeights = std::array<Pair, weight::kCount>;

}  // namespace zarvik::search
