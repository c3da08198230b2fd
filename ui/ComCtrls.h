#pragma once
// Range controls: the trackbar and the spin edit.
#include <cstdint>

#include "ui/Controls.h"

namespace ui {

enum TTrackBarOrientation : int { trHorizontal, trVertical };
enum TTickMark : int { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle : int { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
    TOVRA_CLASS(TTrackBar)
public:
    explicit TTrackBar(TComponent* AOwner);

    int32_t Min() const { return FMin; }
    int32_t Max() const { return FMax; }
    int32_t Position() const { return FPosition; }
    // A range that would be empty moves the other end along; the position stays inside.
    void SetMin(int32_t v);
    void SetMax(int32_t v);
    // Clamped to Min..Max; OnChange follows every change, also one made by code.
    void SetPosition(int32_t v);
    int32_t PageSize() const { return FPageSize; }
    void SetPageSize(int32_t v) { FPageSize = v; }
    int32_t LineSize() const { return FLineSize; }
    void SetLineSize(int32_t v) { FLineSize = v; }
    // A tick mark every Frequency positions.
    int32_t Frequency() const { return FFrequency; }
    void SetFrequency(int32_t v);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation v) { FOrientation = v; }
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark v) { FTickMarks = v; }
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle v) { FTickStyle = v; }

    TNotifyEvent OnChange;
    void Loaded() override;

private:
    void Apply(int32_t APosition, int32_t AMin, int32_t AMax);
    int32_t FMin = 0, FMax = 10, FPosition = 0;
    int32_t FPageSize = 2, FLineSize = 1, FFrequency = 1;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
};

class TSpinEdit : public TWinControl {
    TOVRA_CLASS(TSpinEdit)
public:
    explicit TSpinEdit(TComponent* AOwner);

    int32_t Value() const { return FValue; }
    // Kept inside MinValue..MaxValue when MaxValue > MinValue; OnChange follows a change.
    void SetValue(int32_t v);
    int32_t MinValue() const { return FMinValue; }
    int32_t MaxValue() const { return FMaxValue; }
    void SetMinValue(int32_t v);
    void SetMaxValue(int32_t v);
    // The value the spin edit would hold for `v`.
    int32_t CheckValue(int32_t v) const;
    int32_t Increment() const { return FIncrement; }
    void SetIncrement(int32_t v) { FIncrement = v; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }

    TNotifyEvent OnChange;
    void Loaded() override;

private:
    int32_t FValue = 0, FMinValue = 0, FMaxValue = 0, FIncrement = 1;
    bool FEditorEnabled = true;
};

}  // namespace ui
