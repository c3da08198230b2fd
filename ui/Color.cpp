#include "ui/Color.h"

#include "platform/Platform.h"
#include "ui/Text.h"

namespace ui {

const std::vector<TColorName>& ColorNames() {
    static const std::vector<TColorName> names = {
        {clBlack, u"clBlack"},
        {clMaroon, u"clMaroon"},
        {clGreen, u"clGreen"},
        {clOlive, u"clOlive"},
        {clNavy, u"clNavy"},
        {clPurple, u"clPurple"},
        {clTeal, u"clTeal"},
        {clGray, u"clGray"},
        {clSilver, u"clSilver"},
        {clRed, u"clRed"},
        {clLime, u"clLime"},
        {clYellow, u"clYellow"},
        {clBlue, u"clBlue"},
        {clFuchsia, u"clFuchsia"},
        {clAqua, u"clAqua"},
        {clWhite, u"clWhite"},
        {clMoneyGreen, u"clMoneyGreen"},
        {clSkyBlue, u"clSkyBlue"},
        {clCream, u"clCream"},
        {clMedGray, u"clMedGray"},
        {clActiveBorder, u"clActiveBorder"},
        {clActiveCaption, u"clActiveCaption"},
        {clAppWorkSpace, u"clAppWorkSpace"},
        {clBackground, u"clBackground"},
        {clBtnFace, u"clBtnFace"},
        {clBtnHighlight, u"clBtnHighlight"},
        {clBtnShadow, u"clBtnShadow"},
        {clBtnText, u"clBtnText"},
        {clCaptionText, u"clCaptionText"},
        {clDefault, u"clDefault"},
        {clGradientActiveCaption, u"clGradientActiveCaption"},
        {clGradientInactiveCaption, u"clGradientInactiveCaption"},
        {clGrayText, u"clGrayText"},
        {clHighlight, u"clHighlight"},
        {clHighlightText, u"clHighlightText"},
        {clHotLight, u"clHotLight"},
        {clInactiveBorder, u"clInactiveBorder"},
        {clInactiveCaption, u"clInactiveCaption"},
        {clInactiveCaptionText, u"clInactiveCaptionText"},
        {clInfoBk, u"clInfoBk"},
        {clInfoText, u"clInfoText"},
        {clMenu, u"clMenu"},
        {clMenuBar, u"clMenuBar"},
        {clMenuHighlight, u"clMenuHighlight"},
        {clMenuText, u"clMenuText"},
        {clNone, u"clNone"},
        {clScrollBar, u"clScrollBar"},
        {cl3DDkShadow, u"cl3DDkShadow"},
        {cl3DLight, u"cl3DLight"},
        {clWindow, u"clWindow"},
        {clWindowFrame, u"clWindowFrame"},
        {clWindowText, u"clWindowText"},
    };
    return names;
}

std::optional<std::u16string> ColorToIdent(TColor c) {
    for (const auto& n : ColorNames())
        if (n.Value == c) return std::u16string(n.Name);
    return std::nullopt;
}

std::optional<TColor> IdentToColor(std::u16string_view name) {
    for (const auto& n : ColorNames())
        if (SameTextAscii(n.Name, name)) return n.Value;
    return std::nullopt;
}

uint32_t ColorToRGB(TColor c) {
    if (c < 0) return platform::thePlatform().systemColors().GetSysColor(int(uint32_t(c) & 0xFF));
    return uint32_t(c);
}

}  // namespace ui
