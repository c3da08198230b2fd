#include "platform/fake/FakePlatform.h"

namespace platform::fake {

FakePlatform::FakePlatform() : FPrevious(hasPlatform() ? &thePlatform() : nullptr) {
    idleTimeFake.lastInput = loopFake.GetTickCount();
    installPlatform(this);
}

FakePlatform::~FakePlatform() { installPlatform(FPrevious); }

}  // namespace platform::fake
