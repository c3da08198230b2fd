#pragma once
// Buttons with pictures: the flat speed button and the bitmap button with its kinds.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Graphics.h"
#include "ui/StdCtrls.h"

namespace ui {

class TSpeedButton : public TGraphicControl {
    TOVRA_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* AOwner);
    TBitmap* Glyph() { return &FGlyph; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    int32_t NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int32_t v) { FNumGlyphs = v; }
    // The picture comes as the binary property "Glyph.Data" (image file bytes).
    bool ReadBinaryProperty(const std::u16string& Name, const std::vector<uint8_t>& Data) override;

private:
    TBitmap FGlyph;
    bool FFlat = false;
    int32_t FNumGlyphs = 1;
};

enum TBitBtnKind : int {
    bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll
};

class TBitBtn : public TButton {
    TOVRA_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* AOwner);
    TBitBtnKind Kind() const { return FKind; }
    // A standard kind brings its caption, modal result and Default/Cancel role.
    void SetKind(TBitBtnKind v);
    TBitmap* Glyph() { return &FGlyph; }
    int32_t NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int32_t v) { FNumGlyphs = v; }
    // The caption the kind brings ("OK", "Cancel"...); empty for bkCustom.
    static std::u16string KindCaption(TBitBtnKind k);
    // A bkClose button closes its form.
    void Click() override;
    bool ReadBinaryProperty(const std::u16string& Name, const std::vector<uint8_t>& Data) override;

private:
    TBitmap FGlyph;
    TBitBtnKind FKind = bkCustom;
    int32_t FNumGlyphs = 1;
};

}  // namespace ui
