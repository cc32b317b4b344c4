#include "fuzz/util/rle_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zarvik::fuzz::checkrle(data, size, 1, zarvik::binary8torle, zarvik::rletobinary8);
    return 0;
}
