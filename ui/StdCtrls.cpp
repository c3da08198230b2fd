#include "ui/StdCtrls.h"

#include "ui/ClassBuilder.h"

namespace ui {

const std::vector<std::u16string>& AlignmentNames() {
    static const std::vector<std::u16string> names = {u"taLeftJustify", u"taRightJustify",
                                                      u"taCenter"};
    return names;
}

namespace {
bool captionStored(const TControl& c) { return !c.Caption().empty(); }

}  // namespace

// --- TLabel

const TClassInfo& TLabel::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TLabel>(u"TLabel", &TGraphicControl::StaticClassInfo())
            .Str(u"Caption", &TLabel::Caption, &TLabel::SetCaption)
            .Stored(captionStored)
            .Enum(u"Alignment", AlignmentNames(), &TLabel::Alignment, &TLabel::SetAlignment)
            .Bool(u"AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
            .Bool(u"WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
            .Bool(u"Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
            .Creatable()
            .Build();
    return ci;
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 13); }

void TLabel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Changed();
}

void TLabel::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    Changed();
}

void TLabel::SetTransparent(bool v) {
    if (v == FTransparent) return;
    FTransparent = v;
    Changed();
}

// --- TEdit

const TClassInfo& TEdit::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TEdit>(u"TEdit", &TWinControl::StaticClassInfo())
            .Str(u"Text", &TEdit::Text, &TEdit::SetText)
            .Stored([](const TEdit& e) { return !e.Text().empty(); })
            .Int(u"MaxLength", &TEdit::MaxLength,
                 [](TEdit& e, int64_t v) { e.SetMaxLength(int32_t(v)); })
            .Bool(u"ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly)
            .Event(u"OnChange")
            .Creatable()
            .Build();
    return ci;
}

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TEdit::SetReadOnly(bool v) {
    if (v == FReadOnly) return;
    FReadOnly = v;
    Changed();
}

// --- TButton

const TClassInfo& TButton::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TButton>(u"TButton", &TWinControl::StaticClassInfo())
            .Str(u"Caption", &TButton::Caption, &TButton::SetCaption)
            .Stored(captionStored)
            .Custom(ModalResultProperty(
                [](TObject& o) { return static_cast<TButton&>(o).ModalResult(); },
                [](TObject& o, TModalResult v) { static_cast<TButton&>(o).SetModalResult(v); }))
            .Bool(u"Default", &TButton::Default, &TButton::SetDefault)
            .Bool(u"Cancel", &TButton::Cancel, &TButton::SetCancel)
            .Creatable()
            .Build();
    return ci;
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool v) {
    if (v == FDefault) return;
    FDefault = v;
    Changed();
}

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TForm* f = ParentForm()) f->SetModalResult(FModalResult);
    TWinControl::Click();
}

// --- TCheckBox

const TClassInfo& TCheckBox::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TCheckBox>(u"TCheckBox", &TWinControl::StaticClassInfo())
            .Str(u"Caption", &TCheckBox::Caption, &TCheckBox::SetCaption)
            .Stored(captionStored)
            .Bool(u"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
            .Stored([](const TCheckBox& c) { return c.Checked(); })
            .Enum(u"Alignment", AlignmentNames(), &TCheckBox::Alignment,
                  &TCheckBox::SetAlignment)
            .Creatable()
            .Build();
    return ci;
}

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    Changed();
    Fire(OnClick);
}

void TCheckBox::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Changed();
}

// --- TGroupBox

const TClassInfo& TGroupBox::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TGroupBox>(u"TGroupBox", &TWinControl::StaticClassInfo())
            .Str(u"Caption", &TGroupBox::Caption, &TGroupBox::SetCaption)
            .Stored(captionStored)
            .Creatable()
            .Build();
    return ci;
}

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 185, 105); }

// --- TStaticText

const TClassInfo& TStaticText::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TStaticText>(u"TStaticText", &TWinControl::StaticClassInfo())
            .Str(u"Caption", &TStaticText::Caption, &TStaticText::SetCaption)
            .Stored(captionStored)
            .Enum(u"Alignment", AlignmentNames(), &TStaticText::Alignment,
                  &TStaticText::SetAlignment)
            .Enum(u"BorderStyle", {u"sbsNone", u"sbsSingle", u"sbsSunken"},
                  &TStaticText::BorderStyle, &TStaticText::SetBorderStyle)
            .Bool(u"AutoSize", &TStaticText::AutoSize, &TStaticText::SetAutoSize)
            .Creatable()
            .Build();
    return ci;
}

TStaticText::TStaticText(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 65, 17); }

void TStaticText::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Changed();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    Changed();
}

}  // namespace ui
