#pragma once
// Colours: 0x00BBGGRR, or 0xFF0000nn for the platform's system colour nn.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

using TColor = int32_t;

constexpr TColor RGB(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr TColor SysColor(int n) { return TColor(0xFF000000u | uint32_t(n)); }

constexpr TColor clBlack = RGB(0, 0, 0), clMaroon = RGB(128, 0, 0), clGreen = RGB(0, 128, 0),
                 clOlive = RGB(128, 128, 0), clNavy = RGB(0, 0, 128), clPurple = RGB(128, 0, 128),
                 clTeal = RGB(0, 128, 128), clGray = RGB(128, 128, 128),
                 clSilver = RGB(192, 192, 192), clRed = RGB(255, 0, 0), clLime = RGB(0, 255, 0),
                 clYellow = RGB(255, 255, 0), clBlue = RGB(0, 0, 255),
                 clFuchsia = RGB(255, 0, 255), clAqua = RGB(0, 255, 255),
                 clWhite = RGB(255, 255, 255), clMoneyGreen = RGB(192, 220, 192),
                 clSkyBlue = RGB(166, 202, 240), clCream = RGB(255, 251, 240),
                 clMedGray = RGB(160, 160, 164);
constexpr TColor clScrollBar = SysColor(0), clBackground = SysColor(1),
                 clActiveCaption = SysColor(2), clInactiveCaption = SysColor(3),
                 clMenu = SysColor(4), clWindow = SysColor(5), clWindowFrame = SysColor(6),
                 clMenuText = SysColor(7), clWindowText = SysColor(8),
                 clCaptionText = SysColor(9), clActiveBorder = SysColor(10),
                 clInactiveBorder = SysColor(11), clAppWorkSpace = SysColor(12),
                 clHighlight = SysColor(13), clHighlightText = SysColor(14),
                 clBtnFace = SysColor(15), clBtnShadow = SysColor(16), clGrayText = SysColor(17),
                 clBtnText = SysColor(18), clInactiveCaptionText = SysColor(19),
                 clBtnHighlight = SysColor(20), cl3DDkShadow = SysColor(21),
                 cl3DLight = SysColor(22), clInfoText = SysColor(23), clInfoBk = SysColor(24),
                 clHotLight = SysColor(26), clGradientActiveCaption = SysColor(27),
                 clGradientInactiveCaption = SysColor(28), clMenuHighlight = SysColor(29),
                 clMenuBar = SysColor(30);
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

struct TColorName {
    TColor Value;
    const char16_t* Name;
};
// The 52 named colours in their canonical order (the RGB colours, then the rest by name).
const std::vector<TColorName>& ColorNames();
std::optional<std::u16string> ColorToIdent(TColor c);
std::optional<TColor> IdentToColor(std::u16string_view name);  // ignores ASCII case

// System colours resolve through the platform's table; other values pass unchanged.
uint32_t ColorToRGB(TColor c);

}  // namespace ui
