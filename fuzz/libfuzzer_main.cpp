// libFuzzer's entry point for one target; ZEVO_FUZZ_TARGET names its namespace.
#include "fuzztargets.h"

#ifdef ZEVO_FUZZ_WIDGETS
#include <QApplication>

// The editor file target loads into the real editor, which needs an application
// object. It is never destroyed, as the editor made for the checks outlives it.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    return 0;
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return ZEVO_FUZZ_TARGET::fuzzOne(data, size);
}
