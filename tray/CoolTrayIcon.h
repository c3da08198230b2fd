#pragma once
// A non-visual component keeping one icon in the notification area: callbacks become click,
// double-click, mouse and balloon events; it shows its popup menu and balloon hints, puts the
// icon back when the tray host restarts, and decides at start whether the main window shows.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/NotifyArea.h"
#include "tray/SimpleTimer.h"
#include "ui/Classes.h"
#include "ui/Color.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace tray {

enum TBalloonHintIcon { bitNone, bitInfo, bitWarning, bitError, bitCustom };
using TBalloonHintTimeOut = uint8_t;  // whole seconds, 10..60
enum TBehavior { bhWin95, bhWin2000 };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = uint32_t;  // platform::ShiftFlags

using TMouseEvent = std::function<void(ui::TObject* Sender, TMouseButton Button,
                                       TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(ui::TObject* Sender, TShiftState Shift, int X, int Y)>;
using TCycleEvent = std::function<void(ui::TObject* Sender, int32_t NextIndex)>;
using TStartupEvent = std::function<void(ui::TObject* Sender, bool& ShowMainForm)>;

constexpr uint32_t TrayCallbackMessage = 0x800;
constexpr uint32_t NIF_REST = platform::NIF_MESSAGE | platform::NIF_ICON | platform::NIF_TIP;

// The application's windows as the tray icon drives them (showing, hiding and restoring the
// main window, its taskbar button). The program installs one; without it the icon's owner
// counts as no window and the window operations do nothing.
class TTrayApplication {
public:
    virtual ~TTrayApplication() = default;
    virtual bool IsWindow(const ui::TComponent* c) = 0;
    virtual bool MainFormExists() = 0;
    virtual bool MainFormIsMDIFrame() { return false; }
    virtual bool MainFormMinimized() = 0;
    virtual void SetMainFormNormal() = 0;  // from minimised to normal
    virtual void SetMainFormVisible(bool Visible) = 0;
    virtual void Restore() = 0;
    virtual void BringToFront(const ui::TComponent* Window) = 0;  // nullptr: the application
    virtual bool TaskbarButtonVisible() = 0;
    virtual void SetTaskbarButtonVisible(bool Visible) = 0;
    virtual bool Terminated() { return false; }
    // After a popup menu: wakes the owner window's message loop (WM_NULL).
    virtual void PostNull(const ui::TComponent*) {}
    // Whether the main window is shown at start; the start-up decision may turn it off.
    bool ShowMainForm = true;
};
void SetTrayApplication(TTrayApplication* app);
TTrayApplication* TrayApplication();

class TCoolTrayIcon;

// The shared handler: one hidden window receiving every icon's callbacks.
class TTrayIconHandler {
public:
    TTrayIconHandler();
    ~TTrayIconHandler();
    uint32_t RefCount = 0;
    platform::HWND FHandle = 0;
    void Add(TCoolTrayIcon* icon);
    void Remove(TCoolTrayIcon* icon);
    intptr_t HandleIconMessage(uint32_t Msg, uint64_t wParam, int64_t lParam);

private:
    std::map<uint32_t, TCoolTrayIcon*> FIcons;
};
TTrayIconHandler* TrayIconHandler();
// The registered "TaskbarCreated" message, 0 until a handler has registered it.
uint32_t TaskbarCreatedMessage();

class TCoolTrayIcon : public ui::TComponent {
    TOVRA_CLASS(TCoolTrayIcon)
public:
    explicit TCoolTrayIcon(ui::TComponent* AOwner);
    ~TCoolTrayIcon() override;

    // Published properties.
    bool DesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool Value);
    ui::TImageList* IconList() const { return FIconList; }
    void SetIconList(ui::TImageList* Value);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    uint32_t CycleInterval() const { return FCycleInterval; }
    void SetCycleInterval(uint32_t Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    const std::u16string& Hint() const { return FHint; }
    void SetHint(const std::u16string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    ui::TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(const ui::TIcon* Value);
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    int32_t IconIndex() const { return FIconIndex; }
    void SetIconIndex(int32_t Value);
    ui::TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(ui::TPopupMenu* Value);
    bool LeftPopup() const { return FLeftPopup; }
    void SetLeftPopup(bool Value) { FLeftPopup = Value; }
    bool MinimizeToTray() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool Value) { FMinimizeToTray = Value; }
    bool WantEnterExitEvents() const { return FWantEnterExitEvents; }
    void SetWantEnterExitEvents(bool Value);

    // Public.
    platform::HWND Handle() const { return IconData.hWnd; }
    TBehavior Behavior() const { return FBehavior; }
    void SetBehavior(TBehavior Value);
    uint32_t IconID() const { return FIconID; }

    bool Refresh();
    bool ShowBalloonHint(const std::u16string& Title, const std::u16string& Text,
                         TBalloonHintIcon IconType, TBalloonHintTimeOut TimeoutSecs);
    bool ShowBalloonHintUnicode(const std::u16string& Title, const std::u16string& Text,
                                TBalloonHintIcon IconType, TBalloonHintTimeOut TimeoutSecs);
    bool HideBalloonHint();
    void Popup(int X, int Y);
    void PopupAtCursor();
    // A 16x16 bitmap (0x00BBGGRR per pixel) to an icon picture: pixels of the resolved mask
    // colour become transparent; clNone keeps every pixel opaque.
    bool BitmapToIcon(const uint32_t* Bitmap16x16, ui::TIcon& Icon, ui::TColor MaskColor);
    bool SetFocus();

    // Window integration.
    platform::Point GetClientIconPos(int X, int Y);
    platform::HWND GetTooltipHandle();
    platform::HWND GetBalloonHintHandle();
    void HideTaskbarIcon();
    void ShowTaskbarIcon();
    void ShowMainForm();
    void HideMainForm();
    // Messages of the application's hidden main window (size, restore, the "TaskbarCreated"
    // notice); they always go on to their normal processing afterwards.
    void ApplicationWindowHook(uint32_t Msg, uint64_t wParam, int64_t lParam);
    // Messages of the owner window before its own processing: true when consumed (answer 1).
    bool OwnerWindowProc(uint32_t Msg, uint64_t wParam, int64_t lParam);

    // Events.
    ui::TNotifyEvent OnClick, OnDblClick;
    TCycleEvent OnCycle;
    TStartupEvent OnStartup;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    ui::TNotifyEvent OnMouseEnter, OnMouseExit, OnMinimizeToTray;
    ui::TNotifyEvent OnBalloonHintShow, OnBalloonHintHide, OnBalloonHintTimeout,
        OnBalloonHintClick;

    void Loaded() override;
    void Notification(ui::TComponent* AComponent, ui::TOperation Operation) override;

    // The record passed to every shell request.
    const platform::NotifyIconData& Data() const { return IconData; }
    // Callback dispatch (the handler window's messages for this icon).
    void HandleIconMessage(uint32_t Code);

protected:
    virtual bool UsesDefaultIcon() { return true; }
    virtual bool AddTrayIcon();
    virtual bool DeleteTrayIcon();
    virtual bool ModifyTrayIcon();

    virtual void DoClick();
    virtual void DoDblClick();
    virtual void DoCycle(int32_t NextIndex);
    virtual void DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DoMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DoMouseMove(TShiftState Shift, int X, int Y);
    virtual void DoMouseEnter();
    virtual void DoMouseExit();
    virtual void DoMinimizeToTray();

    bool FEnabled = true;
    std::unique_ptr<ui::TIcon> FIcon;
    uint32_t FIconID = 0;
    bool FIconVisible = false;
    std::u16string FHint;
    bool FShowHint = true;
    ui::TPopupMenu* FPopupMenu = nullptr;
    bool FLeftPopup = false;
    bool FMinimizeToTray = false;
    bool FClickStart = false;
    bool FClickReady = false;
    std::unique_ptr<TSimpleTimer> CycleTimer, ClickTimer, ExitTimer;
    int32_t LastMoveX = 0, LastMoveY = 0;
    bool FDidExit = true;
    bool FWantEnterExitEvents = false;
    TBehavior FBehavior = bhWin95;
    bool IsDblClick = false;
    int32_t FIconIndex = 0;
    bool FDesignPreview = false;
    bool SettingPreview = false;
    bool SettingMDIForm = true;
    ui::TImageList* FIconList = nullptr;
    bool FCycleIcons = false;
    uint32_t FCycleInterval = 0;
    platform::NotifyIconData IconData{};

private:
    bool PrepareIconData();
    bool Request(uint32_t Message);
    void IconChanged();
    void CycleTimerElapsed();
    void ClickTimerElapsed();
    void ExitTimerElapsed();
    void PublishMenu();
    bool OwnerIsWindow() const;
    // The owner form's window messages reach OwnerWindowProc while the icon lives.
    void HookOwnerWindow();
    void UnhookOwnerWindow();
    bool FHooked = false;
    int FOwnerHook = 0;
};

// Copies at most `max` units of `s` into `dst` (room for max + 1), zero-filling the rest.
void CopyLimited(char16_t* dst, std::size_t max, const std::u16string& s);
TShiftState ShiftStateNow();

}  // namespace tray
