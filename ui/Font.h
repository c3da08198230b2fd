#pragma once
// The font description shared by the previews, the tray icon and the settings file.
#include <cstdint>
#include <string>

#include "ui/Classes.h"
#include "ui/Color.h"

namespace ui {

enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint32_t;
enum TFontPitch : int { fpDefault = 0, fpVariable = 1, fpFixed = 2 };
constexpr uint8_t DEFAULT_CHARSET = 1;

// MulDiv with halves rounded away from zero.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator);

class TFont : public TPersistent {
    TOVRA_CLASS(TFont)
public:
    TFont();
    void Assign(const TPersistent& Source) override;

    const std::u16string& Name() const { return FName; }
    void SetName(const std::u16string& v);
    // Negative: character height without internal leading; positive: cell height (pixels).
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t v);
    // Points, derived from Height at PixelsPerInch.
    int32_t Size() const;
    void SetSize(int32_t points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    uint8_t Charset() const { return FCharset; }
    void SetCharset(uint8_t v);
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int v) { FPixelsPerInch = v > 0 ? v : 96; }

    bool operator==(const TFont& o) const;

    // Fires after every change of an attribute, unless suspended.
    TNotifyEvent OnChange;
    // Suspends OnChange; the last EndUpdate fires it once if anything changed meanwhile.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

private:
    void Changed();
    std::u16string FName = u"MS Sans Serif";
    int32_t FHeight = -11;
    TFontStyles FStyle = 0;
    TFontPitch FPitch = fpDefault;
    TColor FColor = clWindowText;
    uint8_t FCharset = DEFAULT_CHARSET;
    int FPixelsPerInch = 96;
    int FUpdateCount = 0;
    bool FChangedWhileSuspended = false;
};

}  // namespace ui
