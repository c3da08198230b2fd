#pragma once
// The file, colour and font pickers as components over the platform's pickers.
#include <cstdint>
#include <string>

#include "ui/Classes.h"
#include "ui/Color.h"
#include "ui/Font.h"

namespace ui {

class TOpenDialog : public TComponent {
    TOVRA_CLASS(TOpenDialog)
public:
    using TComponent::TComponent;
    // "Name|*.a; *.b|Name|*.c": pairs of a description and its patterns.
    const std::u16string& Filter() const { return FFilter; }
    void SetFilter(const std::u16string& v) { FFilter = v; }
    int32_t FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int32_t v) { FFilterIndex = v; }
    const std::u16string& FileName() const { return FFileName; }
    void SetFileName(const std::u16string& v) { FFileName = v; }
    const std::u16string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::u16string& v) { FInitialDir = v; }
    const std::u16string& Title() const { return FTitle; }
    void SetTitle(const std::u16string& v) { FTitle = v; }
    const std::u16string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::u16string& v) { FDefaultExt = v; }
    // True when the user picked a file; FileName then holds its full path.
    bool Execute();

private:
    std::u16string FFilter, FFileName, FInitialDir, FTitle, FDefaultExt;
    int32_t FFilterIndex = 1;
};

class TColorDialog : public TComponent {
    TOVRA_CLASS(TColorDialog)
public:
    using TComponent::TComponent;
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    // Opens on Color; true when the user confirmed, Color then holds the choice.
    bool Execute();

private:
    TColor FColor = clBlack;
};

class TFontDialog : public TComponent {
    TOVRA_CLASS(TFontDialog)
public:
    using TComponent::TComponent;
    TFont* Font() { return &FFont; }
    void SetFont(const TFont& v) { FFont.Assign(v); }
    // Opens on Font; true when the user confirmed, Font then holds the choice.
    bool Execute();

private:
    TFont FFont;
};

}  // namespace ui
