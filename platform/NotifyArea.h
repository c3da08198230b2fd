#pragma once
// The notification area ("tray"): Shell_NotifyIcon requests and the callbacks they produce.
// Draft; the tray icon work owns and completes this interface.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// A 16x16 (or other) picture: 0xAARRGGBB per pixel, row by row from the top.
struct IconImage {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;
};

class NotifyArea {
public:
    virtual ~NotifyArea() = default;
};

}  // namespace platform
