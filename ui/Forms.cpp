#include "ui/Forms.h"

#include "platform/Platform.h"
#include "ui/ClassBuilder.h"

namespace ui {

namespace {
const std::vector<std::u16string>& modalResultNames() {
    static const std::vector<std::u16string> names = {
        u"mrNone", u"mrOk",    u"mrCancel",    u"mrAbort",     u"mrRetry", u"mrIgnore",
        u"mrYes",  u"mrNo",    u"mrAll",       u"mrNoToAll",   u"mrYesToAll", u"mrClose"};
    return names;
}
}  // namespace

TPropInfo ModalResultProperty(std::function<TModalResult(TObject&)> get,
                              std::function<void(TObject&, TModalResult)> set) {
    TPropInfo p;
    p.Name = u"ModalResult";
    p.Kind = TTypeKind::tkInteger;
    p.GetText = [get](TObject& o) { return IntToStr(get(o)); };
    p.SetText = [set](TObject& o, const std::u16string& v) {
        std::u16string t = Trim(v);
        const auto& names = modalResultNames();
        for (std::size_t i = 0; i < names.size(); ++i)
            if (SameTextAscii(names[i], t)) return set(o, TModalResult(i));
        set(o, TModalResult(ParseIntText(t)));
    };
    p.Stored = [get](TObject& o) { return get(o) != mrNone; };
    return p;
}

const TClassInfo& TForm::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TForm>(u"TForm", &TWinControl::StaticClassInfo())
            .Str(u"Caption", &TForm::Caption, &TForm::SetCaption)
            .Stored([](const TForm& f) { return !f.Caption().empty(); })
            .Int(u"ClientWidth", &TForm::ClientWidth,
                 [](TForm& f, int64_t v) { f.SetClientWidth(int32_t(v)); })
            .Int(u"ClientHeight", &TForm::ClientHeight,
                 [](TForm& f, int64_t v) { f.SetClientHeight(int32_t(v)); })
            .Enum(u"Position",
                  {u"poDesigned", u"poDefault", u"poDefaultPosOnly", u"poDefaultSizeOnly",
                   u"poScreenCenter", u"poDesktopCenter", u"poMainFormCenter",
                   u"poOwnerFormCenter"},
                  &TForm::Position, &TForm::SetPosition)
            .Enum(u"BorderStyle",
                  {u"bsNone", u"bsSingle", u"bsSizeable", u"bsDialog", u"bsToolWindow",
                   u"bsSizeToolWin"},
                  &TForm::BorderStyle, &TForm::SetBorderStyle)
            .Obj(u"ActiveControl", &TForm::ActiveControl,
                 [](TForm& f, TObject* o) { f.SetActiveControl(dynamic_cast<TWinControl*>(o)); })
            .Stored([](const TForm& f) { return f.ActiveControl() != nullptr; })
            .Custom(ModalResultProperty(
                [](TObject& o) { return static_cast<TForm&>(o).ModalResult(); },
                [](TObject& o, TModalResult v) { static_cast<TForm&>(o).SetModalResult(v); }))
            .Event(u"OnCreate")
            .Event(u"OnDestroy")
            .Event(u"OnShow")
            .Event(u"OnHide")
            .Event(u"OnClose")
            .Creatable()
            .Build();
    return ci;
}

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    // A form is hidden until shown, and its font is its own.
    TControl::SetVisible(false);
    SetParentFont(false);
}

TForm::~TForm() {
    DoDestroy();
    // Free the controls while the form is whole: their parents and the form are still there.
    DestroyComponents();
}

void TForm::SetClientWidth(int32_t v) {
    if (v == FClientWidth) return;
    FClientWidth = v;
    SetWidth(v);
}

void TForm::SetClientHeight(int32_t v) {
    if (v == FClientHeight) return;
    FClientHeight = v;
    SetHeight(v);
}

void TForm::SetActiveControl(TWinControl* v) {
    if (v == FActiveControl) return;
    FActiveControl = v;
    // Also a control owned elsewhere must not leave a dangling reference.
    if (v) FreeNotification(v);
    ControlChanged(this);
}

void TForm::SetModalResult(TModalResult v) {
    if (v == FModalResult) return;
    FModalResult = v;
    ControlChanged(this);
}

TModalResult TForm::ShowModal() {
    if (FModal || Visible()) throw EInvalidOperation(u"Cannot make a visible window modal");
    FModalResult = mrNone;
    FModal = true;
    struct Reset {
        TForm& f;
        ~Reset() {
            f.FModal = false;
            f.TControl::SetVisible(false);
        }
    } reset{*this};
    TControl::SetVisible(true);
    Fire(OnShow);
    SendWindowMessage(WM_SHOWWINDOW, 1, 0);
    // OnShow may already have decided.
    if (FModalResult == mrNone) platform::thePlatform().formDisplay().ShowModal(*this);
    if (FModalResult == mrNone) FModalResult = mrCancel;
    Fire(OnHide);
    return FModalResult;
}

void TForm::SetVisible(bool v) {
    if (v == Visible()) return;
    if (FModal && !v) throw EInvalidOperation(u"Cannot hide a modal window");
    TControl::SetVisible(v);
    Fire(v ? OnShow : OnHide);
    SendWindowMessage(WM_SHOWWINDOW, v ? 1 : 0, 0);
}

int TForm::AddWindowHook(TWindowHook Hook) {
    FWindowHooks.emplace_back(++FLastHookId, std::move(Hook));
    return FLastHookId;
}

void TForm::RemoveWindowHook(int Id) {
    for (auto it = FWindowHooks.begin(); it != FWindowHooks.end(); ++it)
        if (it->first == Id) {
            FWindowHooks.erase(it);
            return;
        }
}

bool TForm::SendWindowMessage(uint32_t Msg, uint64_t wParam, int64_t lParam) {
    // A copy: a hook may remove itself or others; each is looked up again before its turn.
    auto hooks = FWindowHooks;
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        bool live = false;
        for (auto& h : FWindowHooks) live = live || h.first == it->first;
        if (live && it->second && it->second(Msg, wParam, lParam)) return true;
    }
    return false;
}

void TForm::Close() {
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (FModal) {
        SetModalResult(mrCancel);
        return;
    }
    Hide();
    if (FIsMainForm) platform::thePlatform().loop().Quit(0);
}

void TForm::DoCreate() { Fire(OnCreate); }

void TForm::DoDestroy() {
    if (FDestroyed) return;
    FDestroyed = true;
    if (OnDestroy) OnDestroy(this);
}

void TForm::ControlChanged(TControl*) {
    if (ComponentState() & (csLoading | csDestroying)) return;
    if (FModal && platform::hasPlatform()) platform::thePlatform().formDisplay().FormChanged(*this);
}

void TForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FActiveControl)
        FActiveControl = nullptr;
}

}  // namespace ui
