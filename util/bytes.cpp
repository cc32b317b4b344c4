#include "util/bytes.h"

namespace zarvik {

std::uint32_t bytesToUInt32(ByteView bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) {
        return 0;
    }
    return (std::uint32_t{bytes[offset]} << 24) | (std::uint32_t{bytes[offset + 1]} << 16) |
           (std::uint32_t{bytes[offset + 2]} << 8) | std::uint32_t{bytes[offset + 3]};
}

}  // namespace zarvik
