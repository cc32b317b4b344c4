#include "search/types.h"

namespace zarvik::search {

std::string Move::text() const {
    if (isNull()) {
        return "0000";
    }
    std::string s{static_cast<char>('a' + fileOf(from())), static_cast<char>('1' + rankOf(from())),
                  static_cast<char>('a' + fileOf(to())), static_cast<char>('1' + rankOf(to()))};
    if (isPromotion()) {
        s += "nbrq"[flag() & 3];
    }
    return s;
}

}  // namespace zarvik::search
