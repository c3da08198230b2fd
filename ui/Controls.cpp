#include "ui/Controls.h"

#include <algorithm>

#include "ui/ClassBuilder.h"
#include "ui/Forms.h"

namespace ui {

const TClassInfo& TControl::StaticClassInfo() {
    static const std::vector<std::u16string> anchors = {u"akLeft", u"akTop", u"akRight",
                                                        u"akBottom"};
    static const TClassInfo ci =
        TClassBuilder<TControl>(u"TControl", &TComponent::StaticClassInfo())
            .Int(u"Left", &TControl::Left, [](TControl& c, int64_t v) { c.SetLeft(int32_t(v)); })
            .Int(u"Top", &TControl::Top, [](TControl& c, int64_t v) { c.SetTop(int32_t(v)); })
            .Int(u"Width", &TControl::Width, [](TControl& c, int64_t v) { c.SetWidth(int32_t(v)); })
            .Int(u"Height", &TControl::Height,
                 [](TControl& c, int64_t v) { c.SetHeight(int32_t(v)); })
            .Set(u"Anchors", anchors, &TControl::Anchors, &TControl::SetAnchors)
            .Bool(u"Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Stored([](const TControl& c) { return !c.Enabled(); })
            .Bool(u"Visible", &TControl::Visible, &TControl::SetVisible)
            .Stored([](const TControl& c) { return !c.Visible(); })
            .Str(u"Hint", &TControl::Hint, &TControl::SetHint)
            .Stored([](const TControl& c) { return !c.Hint().empty(); })
            .Bool(u"ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Stored([](const TControl& c) { return c.ShowHint(); })
            .Color(u"Color", &TControl::Color, &TControl::SetColor)
            .Bool(u"ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Stored([](const TControl& c) { return !c.ParentFont(); })
            .Obj(u"Font", &TControl::Font,
                 [](TControl& c, TObject* f) {
                     if (auto* font = dynamic_cast<TFont*>(f)) c.SetFont(*font);
                 })
            .Stored([](const TControl& c) { return !c.ParentFont(); })
            .Event(u"OnClick")
            .Build();
    return ci;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FFont.OnChange = [this](TObject*) {
        if (!FFontFromParent) FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl() {
    FFont.OnChange = nullptr;
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == FParent) return;
    for (TWinControl* p = AParent; p; p = p->FParent)
        if (p == this) throw EInvalidOperation(u"A control cannot be its own parent");
    if (FParent) {
        TForm* oldForm = ParentForm();
        auto& v = FParent->FControls;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        FParent = nullptr;
        if (oldForm && oldForm->ActiveControl() == this) oldForm->SetActiveControl(nullptr);
        if (oldForm) oldForm->ControlChanged(this);
    }
    if (AParent) {
        AParent->FControls.push_back(this);
        FParent = AParent;
        if (FParentFont) ParentFontChanged();
        Changed();
    }
}

void TControl::SetParentComponent(TComponent* AParent) {
    if (auto* w = dynamic_cast<TWinControl*>(AParent)) SetParent(w);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return c == this ? nullptr : c->ParentForm();
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = std::max<int32_t>(AWidth, 0);
    FHeight = std::max<int32_t>(AHeight, 0);
    Changed();
}

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Changed();
}

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    Changed();
}

void TControl::SetHint(const std::u16string& v) {
    if (v == FHint) return;
    FHint = v;
    Changed();
}

void TControl::SetShowHint(bool v) {
    if (v == FShowHint) return;
    FShowHint = v;
    Changed();
}

void TControl::SetParentFont(bool v) {
    if (v == FParentFont) return;
    FParentFont = v;
    if (v) ParentFontChanged();
}

void TControl::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TControl::SetCaption(const std::u16string& v) {
    if (v == FText) return;
    FText = v;
    Changed();
    TextChanged();
}

void TControl::Click() { Fire(OnClick); }

void TControl::Changed() {
    if (ComponentState() & csDestroying) return;
    if (TForm* f = ParentForm()) f->ControlChanged(this);
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FFontFromParent = true;
    try {
        FFont.Assign(FParent->GetFont());
    } catch (...) {
        FFontFromParent = false;
        throw;
    }
    FFontFromParent = false;
}

const TClassInfo& TGraphicControl::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TGraphicControl>(u"TGraphicControl", &TControl::StaticClassInfo()).Build();
    return ci;
}

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TWinControl>(u"TWinControl", &TControl::StaticClassInfo())
            .Int(u"TabOrder", &TWinControl::TabOrder,
                 [](TWinControl& c, int64_t v) { c.SetTabOrder(int32_t(v)); })
            .Stored([](const TWinControl& c) { return c.TabOrder() >= 0; })
            .Bool(u"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
            .Build();
    return ci;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // The children may outlive us (their owner frees them); they lose their parent.
    for (TControl* c : FControls) c->FParent = nullptr;
    FControls.clear();
}

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount())
        throw EListError(u"List index out of bounds (%d)", {Index});
    return FControls[std::size_t(Index)];
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() && c != ParentForm()) return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TForm* f = ParentForm(); f && f != this) f->SetActiveControl(this);
}

void TWinControl::FontChanged() {
    // Index loop: a handler may re-parent controls.
    for (std::size_t i = 0; i < FControls.size(); ++i) FControls[i]->ParentFontChanged();
    TControl::Changed();
}

}  // namespace ui
