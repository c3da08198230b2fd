#include "ui/Dialogs.h"

#include "platform/Platform.h"
#include "ui/ClassBuilder.h"

namespace ui {

namespace {
bool notEmpty(const std::u16string& s) { return !s.empty(); }
}  // namespace

const TClassInfo& TOpenDialog::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TOpenDialog>(u"TOpenDialog", &TComponent::StaticClassInfo())
            .Str(u"DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
            .Stored([](const TOpenDialog& d) { return notEmpty(d.DefaultExt()); })
            .Str(u"FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
            .Stored([](const TOpenDialog& d) { return notEmpty(d.FileName()); })
            .Str(u"Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
            .Stored([](const TOpenDialog& d) { return notEmpty(d.Filter()); })
            .Int(u"FilterIndex", &TOpenDialog::FilterIndex,
                 [](TOpenDialog& d, int64_t v) { d.SetFilterIndex(int32_t(v)); })
            .Str(u"InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
            .Stored([](const TOpenDialog& d) { return notEmpty(d.InitialDir()); })
            .Str(u"Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
            .Stored([](const TOpenDialog& d) { return notEmpty(d.Title()); })
            .Creatable()
            .Build();
    return ci;
}

bool TOpenDialog::Execute() {
    auto picked = platform::thePlatform().pickers().PickOpenFile(
        FFilter, FFileName.empty() ? FInitialDir : FFileName);
    if (!picked) return false;
    FFileName = *picked;
    return true;
}

const TClassInfo& TColorDialog::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TColorDialog>(u"TColorDialog", &TComponent::StaticClassInfo())
            .Color(u"Color", &TColorDialog::Color, &TColorDialog::SetColor)
            .Creatable()
            .Build();
    return ci;
}

bool TColorDialog::Execute() {
    auto picked = platform::thePlatform().pickers().PickColor(FColor);
    if (!picked) return false;
    FColor = *picked;
    return true;
}

const TClassInfo& TFontDialog::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TFontDialog>(u"TFontDialog", &TComponent::StaticClassInfo())
            .Obj(u"Font", &TFontDialog::Font,
                 [](TFontDialog& d, TObject* f) {
                     if (auto* font = dynamic_cast<TFont*>(f)) d.SetFont(*font);
                 })
            .Creatable()
            .Build();
    return ci;
}

bool TFontDialog::Execute() {
    // A cancelled picker must leave the font as it was, whatever it did to its copy.
    TFont copy;
    copy.Assign(FFont);
    if (!platform::thePlatform().pickers().PickFont(copy)) return false;
    FFont.Assign(copy);
    return true;
}

}  // namespace ui
