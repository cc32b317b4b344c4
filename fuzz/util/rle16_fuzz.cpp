#include "fuzz/util/rle_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zarvik::fuzz::checkrle(data, size, 2, zarvik::binary16torle, zarvik::rletobinary16);
    return 0;
}
