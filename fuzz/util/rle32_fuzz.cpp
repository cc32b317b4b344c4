#include "fuzz/util/rle_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zarvik::fuzz::checkrle(data, size, 4, zarvik::binary32torle, zarvik::rletobinary32);
    return 0;
}
