#include "ui/Font.h"

#include "platform/Platform.h"
#include "ui/ClassBuilder.h"

namespace ui {

int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
    if (denominator == 0) return -1;
    int64_t p = int64_t(number) * numerator;
    int64_t q = denominator;
    if (q < 0) {
        p = -p;
        q = -q;
    }
    int64_t r = p >= 0 ? (p + q / 2) / q : -((-p + q / 2) / q);
    return int32_t(r);
}

const TClassInfo& TFont::StaticClassInfo() {
    static const std::vector<std::u16string> styles = {u"fsBold", u"fsItalic", u"fsUnderline",
                                                       u"fsStrikeOut"};
    static const TClassInfo ci =
        TClassBuilder<TFont>(u"TFont", &TPersistent::StaticClassInfo())
            .Int(u"Charset", [](const TFont& f) { return int(f.Charset()); },
                 [](TFont& f, int64_t v) { f.SetCharset(uint8_t(v)); })
            .Color(u"Color", &TFont::Color, &TFont::SetColor)
            .Int(u"Height", &TFont::Height, [](TFont& f, int64_t v) { f.SetHeight(int32_t(v)); })
            .Str(u"Name", &TFont::Name, &TFont::SetName, TTypeKind::tkUString)
            .Enum(u"Pitch", {u"fpDefault", u"fpVariable", u"fpFixed"}, &TFont::Pitch,
                  &TFont::SetPitch)
            .Int(u"Size", &TFont::Size, [](TFont& f, int64_t v) { f.SetSize(int32_t(v)); })
            .Stored([](const TFont&) { return false; })
            .Set(u"Style", styles, &TFont::Style, &TFont::SetStyle)
            .Build();
    return ci;
}

TFont::TFont() {
    if (platform::hasPlatform()) FPixelsPerInch = platform::thePlatform().screen().PixelsPerInch();
    if (FPixelsPerInch <= 0) FPixelsPerInch = 96;
}

void TFont::Assign(const TPersistent& Source) {
    auto* f = dynamic_cast<const TFont*>(&Source);
    if (!f) return TPersistent::Assign(Source);
    BeginUpdate();
    SetName(f->FName);
    SetHeight(f->FHeight);
    SetStyle(f->FStyle);
    SetPitch(f->FPitch);
    SetColor(f->FColor);
    SetCharset(f->FCharset);
    EndUpdate();
}

#define TOVRA_FONT_SET(field, v) \
    if (field == (v)) return;    \
    field = (v);                 \
    Changed();

void TFont::SetName(const std::u16string& v) { TOVRA_FONT_SET(FName, v) }
void TFont::SetHeight(int32_t v) { TOVRA_FONT_SET(FHeight, v) }
void TFont::SetStyle(TFontStyles v) { TOVRA_FONT_SET(FStyle, v & 15u) }
void TFont::SetPitch(TFontPitch v) { TOVRA_FONT_SET(FPitch, v) }
void TFont::SetColor(TColor v) { TOVRA_FONT_SET(FColor, v) }
void TFont::SetCharset(uint8_t v) { TOVRA_FONT_SET(FCharset, v) }

int32_t TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }
void TFont::SetSize(int32_t points) { SetHeight(-MulDiv(points, FPixelsPerInch, 72)); }

bool TFont::operator==(const TFont& o) const {
    return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FPitch == o.FPitch &&
           FColor == o.FColor && FCharset == o.FCharset;
}

void TFont::Changed() {
    if (FUpdateCount > 0) {
        FChangedWhileSuspended = true;
        return;
    }
    if (OnChange) OnChange(this);
}

void TFont::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileSuspended) {
        FChangedWhileSuspended = false;
        if (OnChange) OnChange(this);
    }
}

}  // namespace ui
