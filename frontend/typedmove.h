#pragma once
// The form of a move typed at the prompt: "E2-E4", "O-O", "O-O-O", or an empty line to give up.
// Checked here before anything touches the board, so that each malformed input gets its message.
#include <string>
#include <string_view>

#include "rules/location.h"

namespace zarvik::frontend {

struct TypedMove {
    enum class Kind { giveUp, kingSideCastle, queenSideCastle, ordinary, missingSeparator, badCoordinates };
    Kind kind = Kind::giveUp;
    BoardLocation from{};
    BoardLocation to{};
};

// Reads the input (compared in upper case; characters are Unicode scalars, so an umlaut is one).
TypedMove parseTypedMove(std::string_view input);

// ASCII letters in upper case; everything else unchanged.
std::string upperCase(std::string_view text);

}  // namespace zarvik::frontend
