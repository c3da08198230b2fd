#include "ui/ComCtrls.h"

#include <algorithm>

#include "ui/ClassBuilder.h"

namespace ui {

namespace {
template <class T>
auto intSetter(void (T::*set)(int32_t)) {
    return [set](T& o, int64_t v) { (o.*set)(int32_t(v)); };
}
}  // namespace

// --- TTrackBar

const TClassInfo& TTrackBar::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TTrackBar>(u"TTrackBar", &TWinControl::StaticClassInfo())
            .Int(u"Max", &TTrackBar::Max, intSetter(&TTrackBar::SetMax))
            .Int(u"Min", &TTrackBar::Min, intSetter(&TTrackBar::SetMin))
            .Enum(u"Orientation", {u"trHorizontal", u"trVertical"}, &TTrackBar::Orientation,
                  &TTrackBar::SetOrientation)
            .Int(u"PageSize", &TTrackBar::PageSize, intSetter(&TTrackBar::SetPageSize))
            .Int(u"LineSize", &TTrackBar::LineSize, intSetter(&TTrackBar::SetLineSize))
            .Int(u"Frequency", &TTrackBar::Frequency, intSetter(&TTrackBar::SetFrequency))
            .Int(u"Position", &TTrackBar::Position, intSetter(&TTrackBar::SetPosition))
            .Enum(u"TickMarks", {u"tmBottomRight", u"tmTopLeft", u"tmBoth"},
                  &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
            .Enum(u"TickStyle", {u"tsNone", u"tsAuto", u"tsManual"}, &TTrackBar::TickStyle,
                  &TTrackBar::SetTickStyle)
            .Event(u"OnChange")
            .Creatable()
            .Build();
    return ci;
}

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::SetMin(int32_t v) { Apply(FPosition, v, std::max(v, FMax)); }
void TTrackBar::SetMax(int32_t v) { Apply(FPosition, std::min(v, FMin), v); }
void TTrackBar::SetPosition(int32_t v) { Apply(v, FMin, FMax); }

void TTrackBar::SetFrequency(int32_t v) {
    if (v == FFrequency) return;
    FFrequency = v;
    Changed();
}

void TTrackBar::Apply(int32_t APosition, int32_t AMin, int32_t AMax) {
    // While the description is read the range arrives one end at a time, in any order:
    // keep the raw values and settle them in Loaded.
    if (Loading()) {
        FMin = AMin;
        FMax = AMax;
        FPosition = APosition;
        return;
    }
    APosition = std::clamp(APosition, AMin, AMax);
    bool rangeChanged = AMin != FMin || AMax != FMax;
    bool moved = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    if (rangeChanged || moved) Changed();
    if (moved) Fire(OnChange);
}

void TTrackBar::Loaded() {
    TWinControl::Loaded();
    if (FMax < FMin) FMax = FMin;
    FPosition = std::clamp(FPosition, FMin, FMax);
}

// --- TSpinEdit

const TClassInfo& TSpinEdit::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TSpinEdit>(u"TSpinEdit", &TWinControl::StaticClassInfo())
            .Bool(u"EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled)
            .Int(u"Increment", &TSpinEdit::Increment, intSetter(&TSpinEdit::SetIncrement))
            .Int(u"MaxValue", &TSpinEdit::MaxValue, intSetter(&TSpinEdit::SetMaxValue))
            .Int(u"MinValue", &TSpinEdit::MinValue, intSetter(&TSpinEdit::SetMinValue))
            .Int(u"Value", &TSpinEdit::Value, intSetter(&TSpinEdit::SetValue))
            .Event(u"OnChange")
            .Creatable()
            .Build();
    return ci;
}

TSpinEdit::TSpinEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 121, 22);
    SetColor(clWindow);
    SetTabStop(true);
}

int32_t TSpinEdit::CheckValue(int32_t v) const {
    if (FMaxValue > FMinValue) return std::clamp(v, FMinValue, FMaxValue);
    return v;
}

void TSpinEdit::SetValue(int32_t v) {
    if (!Loading()) v = CheckValue(v);
    if (v == FValue) return;
    FValue = v;
    Changed();
    Fire(OnChange);
}

void TSpinEdit::SetMinValue(int32_t v) {
    FMinValue = v;
    if (!Loading()) SetValue(FValue);
}

void TSpinEdit::SetMaxValue(int32_t v) {
    FMaxValue = v;
    if (!Loading()) SetValue(FValue);
}

void TSpinEdit::Loaded() {
    TWinControl::Loaded();
    FValue = CheckValue(FValue);
}

}  // namespace ui
