#include "tray/TextTrayIcon.h"

#include "platform/Platform.h"
#include "ui/ClassBuilder.h"

namespace tray {

const ui::TClassInfo& TOffsetOptions::StaticClassInfo() {
    static const ui::TClassInfo ci =
        ui::TClassBuilder<TOffsetOptions>(u"TOffsetOptions", &ui::TPersistent::StaticClassInfo())
            .Int(u"OffsetX", &TOffsetOptions::OffsetX,
                 [](TOffsetOptions& o, int64_t v) { o.SetOffsetX(int32_t(v)); })
            .Stored([](const TOffsetOptions& o) { return o.OffsetX() != 0; })
            .Int(u"OffsetY", &TOffsetOptions::OffsetY,
                 [](TOffsetOptions& o, int64_t v) { o.SetOffsetY(int32_t(v)); })
            .Stored([](const TOffsetOptions& o) { return o.OffsetY() != 0; })
            .Int(u"LineDistance", &TOffsetOptions::LineDistance,
                 [](TOffsetOptions& o, int64_t v) { o.SetLineDistance(int32_t(v)); })
            .Stored([](const TOffsetOptions& o) { return o.LineDistance() != 0; })
            .Other(u"OnChange", ui::TTypeKind::tkMethod)
            .Build();
    return ci;
}

void TOffsetOptions::Assign(const ui::TPersistent& Source) {
    if (auto* o = dynamic_cast<const TOffsetOptions*>(&Source)) {
        SetOffsetX(o->FOffsetX);
        SetOffsetY(o->FOffsetY);
        SetLineDistance(o->FLineDistance);
        return;
    }
    ui::TPersistent::Assign(Source);
}

void TOffsetOptions::SetOffsetX(int32_t Value) {
    if (Value == FOffsetX) return;
    FOffsetX = Value;
    Changed();
}

void TOffsetOptions::SetOffsetY(int32_t Value) {
    if (Value == FOffsetY) return;
    FOffsetY = Value;
    Changed();
}

void TOffsetOptions::SetLineDistance(int32_t Value) {
    if (Value == FLineDistance) return;
    FLineDistance = Value;
    Changed();
}

void TOffsetOptions::Changed() {
    if (OnChange) OnChange(this);
}

const ui::TClassInfo& TTextTrayIcon::StaticClassInfo() {
    using B = ui::TClassBuilder<TTextTrayIcon>;
    static const ui::TClassInfo ci =
        B(u"TTextTrayIcon", &TCoolTrayIcon::StaticClassInfo())
            .Obj(u"BackgroundIcon",
                 [](TTextTrayIcon& t) -> ui::TObject* { return t.BackgroundIcon(); },
                 [](TTextTrayIcon& t, ui::TObject* v) {
                     t.SetBackgroundIcon(dynamic_cast<ui::TIcon*>(v));
                 })
            .Str(u"Text", &TTextTrayIcon::Text, &TTextTrayIcon::SetText)
            .Obj(u"Font", [](TTextTrayIcon& t) -> ui::TObject* { return t.Font(); },
                 [](TTextTrayIcon& t, ui::TObject* v) {
                     if (auto* f = dynamic_cast<ui::TFont*>(v)) t.SetFont(f);
                 })
            .Color(u"Color", &TTextTrayIcon::Color, &TTextTrayIcon::SetColor)
            .Stored([](const TTextTrayIcon& t) { return t.Color() != ui::clBtnFace; })
            .Bool(u"Border", &TTextTrayIcon::Border, &TTextTrayIcon::SetBorder)
            .Color(u"BorderColor", &TTextTrayIcon::BorderColor, &TTextTrayIcon::SetBorderColor)
            .Stored([](const TTextTrayIcon& t) { return t.BorderColor() != ui::clBlack; })
            .Obj(u"Options", [](TTextTrayIcon& t) -> ui::TObject* { return t.Options(); },
                 [](TTextTrayIcon& t, ui::TObject* v) {
                     if (auto* o = dynamic_cast<TOffsetOptions*>(v)) t.SetOptions(o);
                 })
            .Creatable()
            .Build();
    return ci;
}

TTextTrayIcon::TTextTrayIcon(ui::TComponent* AOwner) : TCoolTrayIcon(AOwner) {
    FBackgroundIcon = std::make_unique<ui::TIcon>();
    FFont = std::make_unique<ui::TFont>();
    FFont->SetPixelsPerInch(platform::thePlatform().screen().PixelsPerInch());
    FFont->OnChange = [this](ui::TObject*) { Draw(); };
    FColor = ui::clBtnFace;
    FBorderColor = ui::clBlack;
    FOffsetOptions = std::make_unique<TOffsetOptions>();
    FOffsetOptions->OnChange = [this](ui::TObject*) { Draw(); };
}

TTextTrayIcon::~TTextTrayIcon() {
    FFont.reset();
    FOffsetOptions.reset();
    try {
        FBackgroundIcon.reset();
    } catch (...) {
    }
}

void TTextTrayIcon::Loaded() { TCoolTrayIcon::Loaded(); }

bool TTextTrayIcon::ReadBinaryProperty(const std::u16string& Name,
                                       const std::vector<uint8_t>& Data) {
    // The picture stored with the window only shows until the first redraw replaces it.
    if (ui::SameTextAscii(Name, u"Icon.Data") || ui::SameTextAscii(Name, u"BackgroundIcon.Data"))
        return true;
    return TCoolTrayIcon::ReadBinaryProperty(Name, Data);
}

void TTextTrayIcon::SetBackgroundIcon(const ui::TIcon* Value) {
    if (Value)
        FBackgroundIcon->Assign(*Value);
    else
        FBackgroundIcon->Clear();
    Draw();
}

void TTextTrayIcon::SetText(const std::u16string& Value) {
    FText = Value;
    Draw();
}

void TTextTrayIcon::SetFont(const ui::TFont* Value) {
    if (Value) FFont->Assign(*Value);
    Draw();
}

void TTextTrayIcon::SetColor(ui::TColor Value) {
    FColor = Value;
    Draw();
}

void TTextTrayIcon::SetBorder(bool Value) {
    FBorder = Value;
    Draw();
}

void TTextTrayIcon::SetBorderColor(ui::TColor Value) {
    FBorderColor = Value;
    Draw();
}

void TTextTrayIcon::SetOptions(const TOffsetOptions* Value) {
    if (Value) {
        // Copied without the per-field redraws: one redraw follows.
        auto notice = std::move(FOffsetOptions->OnChange);
        FOffsetOptions->OnChange = nullptr;
        FOffsetOptions->Assign(*Value);
        FOffsetOptions->OnChange = std::move(notice);
    }
    Draw();
}

void TTextTrayIcon::PaintText() {
    TTextFace face;
    face.Text = FText;
    face.Font = FFont.get();
    face.Color = FColor;
    face.Border = FBorder;
    face.BorderColor = FBorderColor;
    face.OffsetX = FOffsetOptions->OffsetX();
    face.OffsetY = FOffsetOptions->OffsetY();
    face.LineDistance = FOffsetOptions->LineDistance();
    FInvertTextColor = PaintTextBitmap(face, FTextBitmap, platform::thePlatform().rasterizer());
}

void TTextTrayIcon::Draw() {
    if (!FFont || !FOffsetOptions || !FBackgroundIcon) return;  // still being built or freed
    SetCycleIcons(false);
    PaintText();
    ui::TIcon picture;
    if (!FBackgroundIcon->Empty()) {
        picture.SetImage(
            MergeWithBackgroundImage(FTextBitmap, FInvertTextColor, FBackgroundIcon->Image()));
    } else {
        if (FColor != ui::clNone) FInvertTextColor = ui::clNone;
        if (!BitmapToIcon(FTextBitmap.Pixels.data(), picture, FInvertTextColor)) return;
    }
    SetIcon(&picture);
}

}  // namespace tray

namespace {
// The form reader creates tray icons by class name.
const bool registered = (ui::RegisterClass(tray::TCoolTrayIcon::StaticClassInfo()),
                         ui::RegisterClass(tray::TTextTrayIcon::StaticClassInfo()), true);
}  // namespace
