#pragma once
// A notification area for tests: records every request, keeps the icons it accepted, and
// delivers the callbacks a user's clicks would produce.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/NotifyArea.h"

namespace platform::fake {

class FakeNotifyArea : public NotifyArea {
public:
    struct Request {
        uint32_t Message;
        NotifyIconData Data;  // hIcon points nowhere once the request is over: use Image
        IconImage Image;      // copy of the picture sent (empty for none)
        bool Accepted;
        std::u16string Tip() const { return Data.szTip; }
        std::u16string Info() const { return Data.szInfo; }
        std::u16string InfoTitle() const { return Data.szInfoTitle; }
    };
    struct Icon {
        HWND Wnd = 0;
        uint32_t ID = 0, CallbackMessage = 0, Version = 0;
        IconImage Image;
        std::u16string Tip, BalloonText, BalloonTitle;
        uint32_t BalloonTimeout = 0, BalloonFlags = 0;
    };
    struct PopupCall {
        ui::TPopupMenu* Menu;
        Point At;
    };

    std::vector<Request> requests;
    std::map<std::pair<HWND, uint32_t>, Icon> icons;  // what the tray shows now
    std::vector<PopupCall> popups;
    std::map<std::pair<HWND, uint32_t>, ui::TPopupMenu*> iconMenus;
    int foregroundCalls = 0;
    bool hostRunning = true;       // false: every request is refused, as without a taskbar
    bool refuseWindows = false;    // CreateHandlerWindow fails
    // Runs while a popup menu is open (choose an item with Click, process messages...).
    std::function<void(ui::TPopupMenu&)> onPopup;

    HWND CreateHandlerWindow(WindowProc proc) override;
    void DestroyHandlerWindow(HWND wnd) override;
    bool Shell_NotifyIcon(uint32_t Message, const NotifyIconData& Data) override;
    uint32_t RegisterWindowMessage(const std::u16string& name) override;
    bool SetForegroundWindow(HWND) override {
        ++foregroundCalls;
        return true;
    }
    void TrackPopupMenu(ui::TPopupMenu& menu, Point at) override;
    void SetIconMenu(HWND wnd, uint32_t uID, ui::TPopupMenu* menu) override;
    HWND FindShellTooltip(bool) override { return 0; }
    int CaptionHeight() override { return 19; }
    Point ScreenToClientAt(Point screen) override { return screen; }

    // The one icon in the tray (the first if several), or nothing.
    const Icon* icon() const;
    std::size_t windowCount() const { return FWindows.size(); }
    // Requests of one kind (NIM_ADD...), in order.
    std::vector<const Request*> requestsOf(uint32_t message) const;

    // Delivers callback `code` to the icon `uID` (0: the icon shown, or the last one added).
    // Returns false when there is no icon to deliver to.
    bool send(uint32_t code, uint32_t uID = 0);
    // What the shell sends for a user's gestures.
    void click(uint32_t uID = 0) { send(WM_LBUTTONDOWN, uID), send(WM_LBUTTONUP, uID); }
    void doubleClick(uint32_t uID = 0);
    void rightClick(uint32_t uID = 0) { send(WM_RBUTTONDOWN, uID), send(WM_RBUTTONUP, uID); }
    void middleClick(uint32_t uID = 0) { send(WM_MBUTTONDOWN, uID), send(WM_MBUTTONUP, uID); }
    void mouseMove(uint32_t uID = 0) { send(WM_MOUSEMOVE, uID); }
    void balloonShow(uint32_t uID = 0) { send(NIN_BALLOONSHOW, uID); }
    void balloonHide(uint32_t uID = 0) { send(NIN_BALLOONHIDE, uID); }
    void balloonTimeout(uint32_t uID = 0) { send(NIN_BALLOONTIMEOUT, uID); }
    void balloonClick(uint32_t uID = 0) { send(NIN_BALLOONUSERCLICK, uID); }
    // The tray host dies (its icons go) and comes back, announcing "TaskbarCreated".
    void restartHost();
    // Sends a message to every handler window.
    void broadcast(uint32_t msg, uint64_t wParam = 0, int64_t lParam = 0);

private:
    std::map<HWND, WindowProc> FWindows;
    std::map<std::u16string, uint32_t> FMessages;
    HWND FNextWnd = 0x1000;
    std::optional<std::pair<HWND, uint32_t>> FLastAdded;
};

}  // namespace platform::fake
