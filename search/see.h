#pragma once
// Static exchange evaluation: what a capture wins or loses in centipawns when both sides go on
// taking on its square with their least valuable piece and either may stop when it pays.
#include "search/position.h"

namespace zarvik::search {

int staticExchange(const Position& position, Move move);

}  // namespace zarvik::search
