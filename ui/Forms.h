#pragma once
// The form: a top-level window of controls, shown modally through the platform.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/Controls.h"

namespace ui {

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                       mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                       mrYesToAll = 10, mrClose = 11;
// The published ModalResult property of forms and buttons: a number or an mr name.
TPropInfo ModalResultProperty(std::function<TModalResult(TObject&)> get,
                              std::function<void(TObject&, TModalResult)> set);

enum TPosition : int {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum TFormBorderStyle : int { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TCloseAction : int { caNone, caHide, caFree, caMinimize };

constexpr uint32_t WM_SHOWWINDOW = 0x18;  // wParam 1: shown, 0: hidden

class TForm : public TWinControl {
    TOVRA_CLASS(TForm)
public:
    explicit TForm(TComponent* AOwner);
    // Runs OnDestroy unless a derived destructor already did (DoDestroy).
    ~TForm() override;

    TForm* ParentForm() const override { return const_cast<TForm*>(this); }

    // The client area in pixels; the frame is the platform's.
    int32_t ClientWidth() const { return FClientWidth; }
    int32_t ClientHeight() const { return FClientHeight; }
    void SetClientWidth(int32_t v);
    void SetClientHeight(int32_t v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v) { FBorderStyle = v; }

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* v);

    TModalResult ModalResult() const { return FModalResult; }
    // While the form is shown modally, a non-zero result ends the modal loop.
    void SetModalResult(TModalResult v);
    // Clears ModalResult, runs OnShow, shows the form until it has a result (the close box
    // gives mrCancel) and returns that result.
    TModalResult ShowModal();
    bool Modal() const { return FModal; }

    void SetVisible(bool v) override;
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Modal: ends the modal loop with mrCancel. Otherwise hides the form, and when it is the
    // program's main form, ends the message loop. OnClose may refuse (caNone).
    void Close();
    bool IsMainForm() const { return FIsMainForm; }
    void SetMainForm(bool v) { FIsMainForm = v; }

    // The owner calls DoCreate once the form description is read; DoDestroy before the
    // form's own members go (a derived destructor calls it first).
    void DoCreate();
    void DoDestroy();

    TNotifyEvent OnCreate, OnDestroy, OnShow, OnHide;
    std::function<void(TObject* Sender, TCloseAction& Action)> OnClose;

    // A control of this form changed (caption, value, state).
    virtual void ControlChanged(TControl* AControl);

    // The form's window messages, for components that watch their owner window (the tray
    // icon). The form sends WM_SHOWWINDOW (1, 0) once it is made visible, before it is on
    // screen, and (0, 0) when it is hidden. Hooks see a message newest first; one that answers
    // true consumes it. Hooks may be removed while the form frees its components.
    using TWindowHook = std::function<bool(uint32_t Msg, uint64_t wParam, int64_t lParam)>;
    int AddWindowHook(TWindowHook Hook);  // answers an id, never 0
    void RemoveWindowHook(int Id);
    bool SendWindowMessage(uint32_t Msg, uint64_t wParam, int64_t lParam);

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int32_t FClientWidth = 0, FClientHeight = 0;
    TPosition FPosition = poDesigned;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TWinControl* FActiveControl = nullptr;
    TModalResult FModalResult = mrNone;
    bool FModal = false, FIsMainForm = false, FDestroyed = false;
    std::vector<std::pair<int, TWindowHook>> FWindowHooks;
    int FLastHookId = 0;
};

}  // namespace ui
