#pragma once
// The notification area ("tray"): Shell_NotifyIcon requests and the callbacks they produce.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Screen.h"

namespace ui { class TPopupMenu; }

namespace platform {

// A picture: 0xAARRGGBB per pixel, row by row from the top. Alpha 0 shows what lies beneath.
struct IconImage {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;
};

using HWND = uintptr_t;  // a hidden window of this process; 0 is none

constexpr uint32_t NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2, NIM_SETFOCUS = 3,
                   NIM_SETVERSION = 4;
constexpr uint32_t NIF_MESSAGE = 0x1, NIF_ICON = 0x2, NIF_TIP = 0x4, NIF_INFO = 0x10;
constexpr uint32_t NIIF_NONE = 0, NIIF_INFO = 1, NIIF_WARNING = 2, NIIF_ERROR = 3, NIIF_USER = 4;

// Callback codes, delivered as the low 32 bits of lParam.
constexpr uint32_t WM_MOUSEMOVE = 0x200, WM_LBUTTONDOWN = 0x201, WM_LBUTTONUP = 0x202,
                   WM_LBUTTONDBLCLK = 0x203, WM_RBUTTONDOWN = 0x204, WM_RBUTTONUP = 0x205,
                   WM_MBUTTONDOWN = 0x207, WM_MBUTTONUP = 0x208, WM_CONTEXTMENU = 0x7B,
                   NIN_SELECT = 0x400, NIN_KEYSELECT = 0x401, NIN_BALLOONSHOW = 0x402,
                   NIN_BALLOONHIDE = 0x403, NIN_BALLOONTIMEOUT = 0x404,
                   NIN_BALLOONUSERCLICK = 0x405;
// Other messages a hidden window may be sent.
constexpr uint32_t WM_NULL = 0x00, WM_DESTROY = 0x02, WM_CLOSE = 0x10,
                   WM_QUERYENDSESSION = 0x11, WM_QUIT = 0x12, WM_ENDSESSION = 0x16,
                   WM_NCDESTROY = 0x82;

// The notification record, in the shell's layout (952 bytes in a 64-bit process).
struct NotifyIconData {
    uint32_t cbSize;
    HWND hWnd;
    uint32_t uID;
    uint32_t uFlags;
    uint32_t uCallbackMessage;
    const IconImage* hIcon;  // read during the request only; the area keeps its own copy
    char16_t szTip[128];
    uint32_t dwState;
    uint32_t dwStateMask;
    char16_t szInfo[256];
    union {
        uint32_t uTimeout;  // ms
        uint32_t uVersion;  // 0 or 3
    };
    char16_t szInfoTitle[64];
    uint32_t dwInfoFlags;
};
static_assert(sizeof(void*) != 8 || sizeof(NotifyIconData) == 952);

class NotifyArea {
public:
    // A hidden window's procedure: (message, wParam, lParam) -> answer.
    using WindowProc = std::function<intptr_t(uint32_t Msg, uint64_t wParam, int64_t lParam)>;
    virtual ~NotifyArea() = default;

    // A zero-size, never-shown window that receives the callbacks of the icons added with it
    // (uCallbackMessage, wParam = uID, lParam = code) and the "TaskbarCreated" notice when the
    // tray host (re)appears. 0 when none can be made.
    virtual HWND CreateHandlerWindow(WindowProc proc) = 0;
    virtual void DestroyHandlerWindow(HWND wnd) = 0;
    // Shell_NotifyIconW: true when the area accepted the request.
    virtual bool Shell_NotifyIcon(uint32_t Message, const NotifyIconData& Data) = 0;
    // RegisterWindowMessageW: one number per name for the process's life; 0 if unsupported.
    virtual uint32_t RegisterWindowMessage(const std::u16string& name) = 0;
    virtual bool SetForegroundWindow(HWND wnd) = 0;
    // Shows `menu` at a screen point and returns once it has closed (after the chosen item's
    // Click); messages go on being processed meanwhile.
    virtual void TrackPopupMenu(ui::TPopupMenu& menu, Point at) = 0;
    // Menus a desktop shows by itself on a right click need to be known in advance; the icon
    // tells which menu belongs to it (nullptr: none).
    virtual void SetIconMenu(HWND wnd, uint32_t uID, ui::TPopupMenu* menu) = 0;

    // The shell's tooltip or balloon window (0: none), the caption height and the window
    // under a screen point in client coordinates: desktops without those windows answer 0,
    // and the point unchanged.
    virtual HWND FindShellTooltip(bool balloon) = 0;
    virtual int CaptionHeight() = 0;
    virtual Point ScreenToClientAt(Point screen) = 0;
};

}  // namespace platform
