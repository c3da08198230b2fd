#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Platform* gPlatform = nullptr;
}

Platform& thePlatform() {
    if (!gPlatform) {
        std::fprintf(stderr, "tovra: no platform installed\n");
        std::abort();
    }
    return *gPlatform;
}

bool hasPlatform() { return gPlatform != nullptr; }
void installPlatform(Platform* p) { gPlatform = p; }

}  // namespace platform
