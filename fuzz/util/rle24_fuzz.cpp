#include "fuzz/util/rle_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zarvik::fuzz::checkrle(data, size, 3, zarvik::binary24torle, zarvik::rletobinary24);
    return 0;
}
