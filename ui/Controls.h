#pragma once
// Controls: components with a place on a form. A control has an Owner (who frees it) and a
// Parent (the windowed control it sits in); the two are independent.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Classes.h"
#include "ui/Color.h"
#include "ui/Font.h"

namespace ui {

class TWinControl;
class TForm;

enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };
enum TAnchorKind : uint32_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint32_t;

class TControl : public TComponent {
    TOVRA_CLASS(TControl)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    void SetParent(TWinControl* AParent);
    void SetParentComponent(TComponent* AParent) override;
    TComponent* GetParentComponent() const override;
    // The form the control sits on, through its parents (a form is its own); null when none.
    virtual TForm* ParentForm() const;

    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetLeft(int32_t v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int32_t v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int32_t v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int32_t v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors v) { FAnchors = v; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool v);
    const std::u16string& Hint() const { return FHint; }
    void SetHint(const std::u16string& v);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);

    // The control's own font; with ParentFont it follows the parent's font. Changing the font
    // in any way clears ParentFont.
    TFont* Font() { return &FFont; }
    const TFont& GetFont() const { return FFont; }
    void SetFont(const TFont& v) { FFont.Assign(v); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);

    // Caption and Text share one store; each class publishes the name it uses.
    const std::u16string& Caption() const { return FText; }
    void SetCaption(const std::u16string& v);
    const std::u16string& Text() const { return FText; }
    void SetText(const std::u16string& v) { SetCaption(v); }

    // What a user's click does (buttons press, check boxes toggle); then OnClick.
    virtual void Click();
    TNotifyEvent OnClick;

    // Tells the form that the control's look or value changed (repaint while shown).
    void Changed();

protected:
    bool Loading() const { return (ComponentState() & csLoading) != 0; }
    // Change events stay silent while the form description is read.
    void Fire(const TNotifyEvent& e) {
        if (e && !Loading()) e(this);
    }
    virtual void TextChanged() {}
    virtual void FontChanged() { Changed(); }
    // The parent's font changed; a control with ParentFont takes it.
    virtual void ParentFontChanged();

private:
    friend class TWinControl;
    TWinControl* FParent = nullptr;
    int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAnchors FAnchors = akLeft | akTop;
    bool FEnabled = true, FVisible = true, FShowHint = false, FParentFont = true;
    bool FFontFromParent = false;
    std::u16string FHint, FText;
    TFont FFont;
    TColor FColor = clBtnFace;
};

// A control without a window of its own (labels, flat buttons).
class TGraphicControl : public TControl {
    TOVRA_CLASS(TGraphicControl)
public:
    using TControl::TControl;
};

// A control that holds other controls and can take the focus.
class TWinControl : public TControl {
    TOVRA_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int Index) const;

    // -1 (the default) sorts after explicit tab orders, in creation order.
    int32_t TabOrder() const { return FTabOrder; }
    void SetTabOrder(int32_t v) { FTabOrder = v; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) { FTabStop = v; }
    bool CanFocus() const;
    // Makes this control the form's active control.
    void SetFocus();

protected:
    void FontChanged() override;

private:
    friend class TControl;
    std::vector<TControl*> FControls;  // not owned
    int32_t FTabOrder = -1;
    bool FTabStop = false;
};

}  // namespace ui
