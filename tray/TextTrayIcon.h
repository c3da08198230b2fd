#pragma once
// The tray icon whose picture is a short text drawn into 16x16 pixels ("45", "2h", "P") in the
// period's colours and font. Every change of text, font, colours, border, offsets or
// background picture redraws at once and hands the picture to the notification area.
#include <memory>
#include <string>

#include "tray/CoolTrayIcon.h"
#include "tray/TextRender.h"
#include "ui/Font.h"

namespace tray {

class TOffsetOptions : public ui::TPersistent {
    TOVRA_CLASS(TOffsetOptions)
public:
    void Assign(const ui::TPersistent& Source) override;
    int32_t OffsetX() const { return FOffsetX; }
    void SetOffsetX(int32_t Value);
    int32_t OffsetY() const { return FOffsetY; }
    void SetOffsetY(int32_t Value);
    int32_t LineDistance() const { return FLineDistance; }
    void SetLineDistance(int32_t Value);
    ui::TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    int32_t FOffsetX = 0, FOffsetY = 0, FLineDistance = 0;
};

class TTextTrayIcon : public TCoolTrayIcon {
    TOVRA_CLASS(TTextTrayIcon)
public:
    explicit TTextTrayIcon(ui::TComponent* AOwner);
    ~TTextTrayIcon() override;

    ui::TIcon* BackgroundIcon() const { return FBackgroundIcon.get(); }
    void SetBackgroundIcon(const ui::TIcon* Value);
    const std::u16string& Text() const { return FText; }
    void SetText(const std::u16string& Value);
    ui::TFont* Font() const { return FFont.get(); }
    void SetFont(const ui::TFont* Value);
    ui::TColor Color() const { return FColor; }
    void SetColor(ui::TColor Value);
    bool Border() const { return FBorder; }
    void SetBorder(bool Value);
    ui::TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(ui::TColor Value);
    TOffsetOptions* Options() const { return FOffsetOptions.get(); }
    void SetOptions(const TOffsetOptions* Value);

    // Rebuilds the picture from the current state.
    void Draw();

    // The last painted text bitmap and its key colour.
    const TTextBitmap& TextBitmap() const { return FTextBitmap; }
    ui::TColor InvertTextColor() const { return FInvertTextColor; }

    void Loaded() override;
    bool ReadBinaryProperty(const std::u16string& Name, const std::vector<uint8_t>& Data) override;

protected:
    bool UsesDefaultIcon() override { return false; }
    virtual bool UsesDefaultBackground() { return false; }
    virtual void PaintText();

    std::unique_ptr<ui::TFont> FFont;
    ui::TColor FColor = ui::clBtnFace;
    ui::TColor FInvertTextColor = ui::clNone;
    bool FBorder = false;
    ui::TColor FBorderColor = ui::clBlack;
    std::u16string FText;
    TTextBitmap FTextBitmap;
    std::unique_ptr<TOffsetOptions> FOffsetOptions;
    std::unique_ptr<ui::TIcon> FBackgroundIcon;
};

}  // namespace tray
