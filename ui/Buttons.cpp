#include "ui/Buttons.h"

#include "ui/ClassBuilder.h"

namespace ui {

namespace {
void assignGlyph(TBitmap& to, TObject* from) {
    if (auto* b = dynamic_cast<TBitmap*>(from)) to.Assign(*b);
}
}  // namespace

// --- TSpeedButton

const TClassInfo& TSpeedButton::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TSpeedButton>(u"TSpeedButton", &TGraphicControl::StaticClassInfo())
            .Str(u"Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption)
            .Stored([](const TSpeedButton& b) { return !b.Caption().empty(); })
            .Bool(u"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
            .Obj(u"Glyph", &TSpeedButton::Glyph,
                 [](TSpeedButton& b, TObject* g) { assignGlyph(b.FGlyph, g); })
            .Stored([](TSpeedButton& b) { return !b.Glyph()->Empty(); })
            .Int(u"NumGlyphs", &TSpeedButton::NumGlyphs,
                 [](TSpeedButton& b, int64_t v) { b.SetNumGlyphs(int32_t(v)); })
            .Creatable()
            .Build();
    return ci;
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 23, 22);
    FGlyph.OnChange = [this](TObject*) { Changed(); };
}

void TSpeedButton::SetFlat(bool v) {
    if (v == FFlat) return;
    FFlat = v;
    Changed();
}

bool TSpeedButton::ReadBinaryProperty(const std::u16string& Name,
                                      const std::vector<uint8_t>& Data) {
    if (!SameTextAscii(Name, u"Glyph.Data")) return TGraphicControl::ReadBinaryProperty(Name, Data);
    FGlyph.SetData(Data);
    return true;
}

// --- TBitBtn

namespace {
struct KindInfo {
    const char16_t* caption;
    TModalResult result;
};
const KindInfo kKinds[] = {
    {u"", mrNone},        {u"OK", mrOk},         {u"Cancel", mrCancel}, {u"&Help", mrNone},
    {u"&Yes", mrYes},     {u"&No", mrNo},        {u"&Close", mrNone},   {u"Abort", mrAbort},
    {u"&Retry", mrRetry}, {u"&Ignore", mrIgnore}, {u"&All", mrAll}};
}  // namespace

const TClassInfo& TBitBtn::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TBitBtn>(u"TBitBtn", &TButton::StaticClassInfo())
            // A caption the kind brings is not the form's own text.
            .Str(u"Caption", &TBitBtn::Caption, &TBitBtn::SetCaption)
            .Stored([](const TBitBtn& b) { return b.Caption() != KindCaption(b.Kind()); })
            .Obj(u"Glyph", &TBitBtn::Glyph, [](TBitBtn& b, TObject* g) { assignGlyph(b.FGlyph, g); })
            .Stored([](TBitBtn& b) { return !b.Glyph()->Empty(); })
            .Enum(u"Kind",
                  {u"bkCustom", u"bkOK", u"bkCancel", u"bkHelp", u"bkYes", u"bkNo", u"bkClose",
                   u"bkAbort", u"bkRetry", u"bkIgnore", u"bkAll"},
                  &TBitBtn::Kind, &TBitBtn::SetKind)
            .Int(u"NumGlyphs", &TBitBtn::NumGlyphs,
                 [](TBitBtn& b, int64_t v) { b.SetNumGlyphs(int32_t(v)); })
            .Creatable()
            .Build();
    return ci;
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
    FGlyph.OnChange = [this](TObject*) { Changed(); };
}

std::u16string TBitBtn::KindCaption(TBitBtnKind k) {
    if (k < bkCustom || k > bkAll) return {};
    return kKinds[k].caption;
}

void TBitBtn::SetKind(TBitBtnKind v) {
    if (v == FKind || v < bkCustom || v > bkAll) return;
    if (v != bkCustom) {
        SetDefault(v == bkOK || v == bkYes);
        SetCancel(v == bkCancel || v == bkNo);
        // A caption read before the kind stays.
        if (!Loading() || Caption().empty()) SetCaption(kKinds[v].caption);
        SetModalResult(kKinds[v].result);
    }
    FKind = v;
    Changed();
}

void TBitBtn::Click() {
    if (FKind == bkClose) {
        if (TForm* f = ParentForm()) f->Close();
    }
    TButton::Click();
}

bool TBitBtn::ReadBinaryProperty(const std::u16string& Name, const std::vector<uint8_t>& Data) {
    if (!SameTextAscii(Name, u"Glyph.Data")) return TButton::ReadBinaryProperty(Name, Data);
    FGlyph.SetData(Data);
    return true;
}

}  // namespace ui
