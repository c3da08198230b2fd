#pragma once
// Drawing text into small pictures. Draft; the text tray icon work owns and completes it.
namespace platform {

class TextRasterizer {
public:
    virtual ~TextRasterizer() = default;
};

}  // namespace platform
