// The shared handler window and the callback dispatch: mouse codes become events, with the
// click timer telling a click from a double-click and a 20 ms poll noticing the cursor leave.
#include "platform/Platform.h"
#include "tray/CoolTrayIcon.h"

namespace tray {
namespace {
uint32_t gTaskbarCreatedMessage = 0;
}

uint32_t TaskbarCreatedMessage() { return gTaskbarCreatedMessage; }

TTrayIconHandler::TTrayIconHandler() {
    auto& area = platform::thePlatform().notifyArea();
    gTaskbarCreatedMessage = area.RegisterWindowMessage(u"TaskbarCreated");
    FHandle = area.CreateHandlerWindow([this](uint32_t Msg, uint64_t wParam, int64_t lParam) {
        return HandleIconMessage(Msg, wParam, lParam);
    });
}

TTrayIconHandler::~TTrayIconHandler() {
    if (FHandle && platform::hasPlatform())
        platform::thePlatform().notifyArea().DestroyHandlerWindow(FHandle);
}

void TTrayIconHandler::Add(TCoolTrayIcon* icon) {
    FIcons[icon->IconID()] = icon;
    ++RefCount;
}

void TTrayIconHandler::Remove(TCoolTrayIcon* icon) {
    FIcons.erase(icon->IconID());
    if (RefCount > 0) --RefCount;
}

intptr_t TTrayIconHandler::HandleIconMessage(uint32_t Msg, uint64_t wParam, int64_t lParam) {
    if (Msg == TrayCallbackMessage) {
        auto it = FIcons.find(uint32_t(wParam));
        if (it != FIcons.end()) it->second->HandleIconMessage(uint32_t(uint64_t(lParam)));
        return 0;
    }
    if (gTaskbarCreatedMessage != 0 && Msg == gTaskbarCreatedMessage) {
        // Handlers may free icons: walk a copy and look each one up again.
        auto copy = FIcons;
        for (auto& [id, icon] : copy)
            if (FIcons.count(id)) icon->ApplicationWindowHook(Msg, wParam, lParam);
        return 0;
    }
    switch (Msg) {
        // Only the handler itself destroys its window, and it never objects to a log-off.
        case platform::WM_DESTROY:
        case platform::WM_CLOSE:
        case platform::WM_QUERYENDSESSION:
        case platform::WM_QUIT:
        case platform::WM_ENDSESSION:
        case platform::WM_NCDESTROY:
            return 1;
        default:
            return 0;
    }
}

void TCoolTrayIcon::HandleIconMessage(uint32_t Code) {
    using namespace platform;
    auto balloon = [this](const ui::TNotifyEvent& ev) {
        if (ev) ev(this);
    };
    switch (Code) {
        case NIN_BALLOONSHOW:
            return balloon(OnBalloonHintShow);
        case NIN_BALLOONHIDE:
            return balloon(OnBalloonHintHide);
        case NIN_BALLOONTIMEOUT:
            return balloon(OnBalloonHintTimeout);
        case NIN_BALLOONUSERCLICK:
            return balloon(OnBalloonHintClick);
        default:
            break;
    }
    if (!FEnabled) return;
    auto& p = thePlatform();
    TShiftState shift = ShiftStateNow();
    Point pt = p.screen().CursorPos();
    bool menuPops = FPopupMenu && FPopupMenu->AutoPopup();
    switch (Code) {
        case WM_MOUSEMOVE:
            if (FWantEnterExitEvents && FDidExit) {
                DoMouseEnter();
                FDidExit = false;
            }
            DoMouseMove(shift, pt.X, pt.Y);
            LastMoveX = pt.X;
            LastMoveY = pt.Y;
            break;
        case WM_LBUTTONDOWN:
            if (OnDblClick) {
                ClickTimer->SetInterval(p.screen().DoubleClickTime());
                ClickTimer->SetEnabled(true);  // restarts the double-click window
            }
            DoMouseDown(mbLeft, shift | ssLeft, pt.X, pt.Y);
            FClickStart = true;
            if (FLeftPopup && menuPops) {
                p.notifyArea().SetForegroundWindow(IconData.hWnd);
                PopupAtCursor();
            }
            break;
        case WM_LBUTTONUP:
            if (FClickStart) FClickReady = true;
            if (FClickStart && !ClickTimer->Enabled()) {
                FClickStart = false;
                FClickReady = false;
                DoClick();
            }
            FClickStart = false;
            DoMouseUp(mbLeft, shift | ssLeft, pt.X, pt.Y);
            break;
        case WM_LBUTTONDBLCLK:
            FClickReady = false;
            IsDblClick = true;
            DoDblClick();
            if (FPopupMenu && FPopupMenu->AutoPopup() && !FLeftPopup) {
                ui::TMenuItem* root = FPopupMenu->Items();
                for (int i = 0; i < root->Count(); ++i)
                    if (root->Items(i)->Default()) {
                        root->Items(i)->Click();
                        break;
                    }
            }
            break;
        case WM_RBUTTONDOWN:
            DoMouseDown(mbRight, shift | ssRight, pt.X, pt.Y);
            if (menuPops) {
                p.notifyArea().SetForegroundWindow(IconData.hWnd);
                PopupAtCursor();
            }
            break;
        case WM_RBUTTONUP:
            if (FBehavior == bhWin95) DoMouseUp(mbRight, shift | ssRight, pt.X, pt.Y);
            break;
        case WM_CONTEXTMENU:
        case NIN_SELECT:
        case NIN_KEYSELECT:
            if (FBehavior == bhWin2000) DoMouseUp(mbRight, shift | ssRight, pt.X, pt.Y);
            break;
        case WM_MBUTTONDOWN:
            DoMouseDown(mbMiddle, shift | ssMiddle, pt.X, pt.Y);
            break;
        case WM_MBUTTONUP:
            DoMouseUp(mbMiddle, shift | ssMiddle, pt.X, pt.Y);
            break;
        default:
            break;
    }
}

void TCoolTrayIcon::ClickTimerElapsed() {
    ClickTimer->SetEnabled(false);
    if (!IsDblClick && FClickReady) {
        FClickReady = false;
        DoClick();
    }
    // A click that came after a double-click is swallowed with it; its ready mark must not
    // turn a later long press into a second click.
    if (IsDblClick) FClickReady = false;
    IsDblClick = false;
}

void TCoolTrayIcon::ExitTimerElapsed() {
    if (FDidExit) return;
    platform::Point pt = platform::thePlatform().screen().CursorPos();
    if (pt.X != LastMoveX || pt.Y != LastMoveY) {
        FDidExit = true;
        DoMouseExit();
    }
}

}  // namespace tray
