#pragma once
// The standard controls: label, edit, button, check box, group box, static text.
#include <cstdint>
#include <string>

#include "ui/Controls.h"
#include "ui/Forms.h"

namespace ui {

class TLabel : public TGraphicControl {
    TOVRA_CLASS(TLabel)
public:
    explicit TLabel(TComponent* AOwner);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true, FWordWrap = false, FTransparent = false;
};

class TEdit : public TWinControl {
    TOVRA_CLASS(TEdit)
public:
    explicit TEdit(TComponent* AOwner);
    int32_t MaxLength() const { return FMaxLength; }
    // 0: no limit. A shorter limit does not cut a text set by code.
    void SetMaxLength(int32_t v) { FMaxLength = v < 0 ? 0 : v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    // Fires after every change of Text, by the user or by code.
    TNotifyEvent OnChange;

protected:
    void TextChanged() override { Fire(OnChange); }

private:
    int32_t FMaxLength = 0;
    bool FReadOnly = false;
};

class TButton : public TWinControl {
    TOVRA_CLASS(TButton)
public:
    explicit TButton(TComponent* AOwner);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    // Enter presses the default button, Escape the cancel button.
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    // A press: a non-zero ModalResult goes to the form, then OnClick.
    void Click() override;

private:
    TModalResult FModalResult = mrNone;
    bool FDefault = false, FCancel = false;
};

class TCheckBox : public TWinControl {
    TOVRA_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    // OnClick follows every change, also one made by code.
    void SetChecked(bool v);
    // Where the box sits relative to the caption: taRightJustify puts the caption right.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // A user's click: toggles Checked (which fires OnClick once).
    void Click() override { SetChecked(!FChecked); }

private:
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

class TGroupBox : public TWinControl {
    TOVRA_CLASS(TGroupBox)
public:
    explicit TGroupBox(TComponent* AOwner);
};

enum TStaticBorderStyle : int { sbsNone, sbsSingle, sbsSunken };

class TStaticText : public TWinControl {
    TOVRA_CLASS(TStaticText)
public:
    explicit TStaticText(TComponent* AOwner);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TStaticBorderStyle v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) { FAutoSize = v; }

private:
    TAlignment FAlignment = taLeftJustify;
    TStaticBorderStyle FBorderStyle = sbsNone;
    bool FAutoSize = true;
};

// The names of TAlignment for published properties.
const std::vector<std::u16string>& AlignmentNames();

}  // namespace ui
