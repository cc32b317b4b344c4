#include "notation/pgn.h"

namespace zarvik {

std::string_view resultToken(PgnResult result) {
    switch (result) {
        case PgnResult::whiteWins:
            return "1-0";
        case PgnResult::blackWins:
            return "0-1";
        case PgnResult::draw:
            return "1/2-1/2";
        case PgnResult::unknown:
            break;
    }
    return "*";
}

std::string_view tagValue(const std::vector<PgnTag>& tags, std::string_view name) {
    for (const PgnTag& tag : tags) {
        if (tag.name == name) {
            return tag.value;
        }
    }
    return {};
}

}  // namespace zarvik
