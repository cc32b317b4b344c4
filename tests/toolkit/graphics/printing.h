#pragma once
// Readable failure messages for images: the header fields and the first data bytes.
#include <ostream>

#include "toolkit/graphics/graphic.h"

namespace zarvik {

inline void PrintTo(const g_Graphic& g, std::ostream* os) {
    *os << "{format " << g.Format << ", " << g.Width << "x" << g.Height << ", size " << g.Size << ", scale "
        << g.ScaleWidth << "/" << g.ScaleHeight << ", header " << g.HeaderSize << ", reserved " << g.Reserved
        << ", " << g.Data.size() << " bytes:";
    for (std::size_t i = 0; i < g.Data.size() && i < 24; ++i) {
        *os << " " << int(g.Data[i]);
    }
    *os << (g.Data.size() > 24 ? " ...}" : "}");
}

}  // namespace zarvik
