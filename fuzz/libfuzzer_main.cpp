// libFuzzer's entry point for one target; ZEVO_FUZZ_TARGET names its namespace.
#include "fuzztargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return ZEVO_FUZZ_TARGET::fuzzOne(data, size);
}
