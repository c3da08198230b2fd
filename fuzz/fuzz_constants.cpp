// libFuzzer entry point: see FuzzTargets.h.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    fuzz::FuzzConstantsStream(Data, Size);
    return 0;
}
