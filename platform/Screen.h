#pragma once
// Screen metrics and input state.
#include <cstdint>

namespace platform {

struct Point {
    int32_t X = 0, Y = 0;
};

enum ShiftFlags : uint32_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };

class Screen {
public:
    virtual ~Screen() = default;
    virtual int PixelsPerInch() = 0;    // normally 96
    virtual Point CursorPos() = 0;      // screen coordinates
    virtual uint32_t DoubleClickTime() = 0;  // ms
    virtual uint32_t ShiftState() = 0;  // ShiftFlags of keys and buttons held now
};

}  // namespace platform
