// The tray icon's ties to the application's windows: hidden start, re-adding after the tray
// host restarts, minimise-to-tray and restore, and the window-finding operations.
#include "platform/Platform.h"
#include "tray/CoolTrayIcon.h"
#include "ui/Forms.h"

namespace tray {
namespace {
TTrayApplication* gApplication = nullptr;

constexpr uint32_t WM_SIZE = 0x05, WM_SHOWWINDOW = 0x18, WM_WINDOWPOSCHANGED = 0x47,
                   WM_SYSCOMMAND = 0x112;
constexpr uint64_t SIZE_MINIMIZED = 1, SC_MINIMIZE = 0xF020, SC_RESTORE = 0xF120;
}  // namespace

void SetTrayApplication(TTrayApplication* app) { gApplication = app; }
TTrayApplication* TrayApplication() { return gApplication; }

bool TCoolTrayIcon::OwnerIsWindow() const {
    return Owner() && gApplication && gApplication->IsWindow(Owner());
}

void TCoolTrayIcon::HideTaskbarIcon() {
    if (gApplication && gApplication->TaskbarButtonVisible())
        gApplication->SetTaskbarButtonVisible(false);
}

void TCoolTrayIcon::ShowTaskbarIcon() {
    if (gApplication && !gApplication->TaskbarButtonVisible())
        gApplication->SetTaskbarButtonVisible(true);
}

void TCoolTrayIcon::ShowMainForm() {
    if (!OwnerIsWindow() || !gApplication->MainFormExists()) return;
    gApplication->Restore();
    if (gApplication->MainFormMinimized()) gApplication->SetMainFormNormal();
    gApplication->SetMainFormVisible(true);
    gApplication->BringToFront(nullptr);
}

void TCoolTrayIcon::HideMainForm() {
    if (!OwnerIsWindow() || !gApplication->MainFormExists()) return;
    gApplication->SetMainFormVisible(false);
    HideTaskbarIcon();
}

void TCoolTrayIcon::DoMinimizeToTray() {
    HideMainForm();
    SetIconVisible(true);
}

void TCoolTrayIcon::ApplicationWindowHook(uint32_t Msg, uint64_t wParam, int64_t) {
    if (!FHooked) return;
    if (TaskbarCreatedMessage() != 0 && Msg == TaskbarCreatedMessage()) {
        if (FIconVisible) AddTrayIcon();
        return;
    }
    switch (Msg) {
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED && FMinimizeToTray) DoMinimizeToTray();
            break;
        case WM_WINDOWPOSCHANGED:
            if (SettingMDIForm && gApplication && gApplication->MainFormExists()) {
                if (gApplication->MainFormIsMDIFrame()) {
                    bool show = true;
                    if (OnStartup) OnStartup(this, show);
                    if (!show) HideTaskbarIcon();
                }
                SettingMDIForm = false;
            }
            break;
        case WM_SYSCOMMAND:
            if (wParam == SC_RESTORE && gApplication && gApplication->MainFormExists()) {
                if (gApplication->MainFormMinimized()) gApplication->SetMainFormNormal();
                gApplication->SetMainFormVisible(true);
            }
            break;
        default:
            break;
    }
}

void TCoolTrayIcon::HookOwnerWindow() {
    if (auto* form = dynamic_cast<ui::TForm*>(Owner()))
        FOwnerHook = form->AddWindowHook([this](uint32_t Msg, uint64_t wParam, int64_t lParam) {
            return OwnerWindowProc(Msg, wParam, lParam);
        });
}

void TCoolTrayIcon::UnhookOwnerWindow() {
    // The owner frees its components while it is still whole, so it is still a form here.
    if (auto* form = dynamic_cast<ui::TForm*>(Owner()); form && FOwnerHook)
        form->RemoveWindowHook(FOwnerHook);
    FOwnerHook = 0;
}

bool TCoolTrayIcon::OwnerWindowProc(uint32_t Msg, uint64_t wParam, int64_t lParam) {
    if (!FHooked || !OwnerIsWindow()) return false;
    if (Msg == WM_SHOWWINDOW && wParam == 1 && lParam == 0) {
        gApplication->BringToFront(nullptr);
        gApplication->BringToFront(Owner());
        return false;
    }
    bool parentClosing = Msg == WM_SHOWWINDOW && wParam == 0 && lParam == 1 &&
                         !gApplication->Terminated();
    bool minimize = Msg == WM_SYSCOMMAND && wParam == SC_MINIMIZE;
    if ((parentClosing || minimize) && FMinimizeToTray && OnMinimizeToTray) {
        OnMinimizeToTray(this);
        DoMinimizeToTray();
        return true;
    }
    return false;
}

platform::HWND TCoolTrayIcon::GetTooltipHandle() {
    return platform::thePlatform().notifyArea().FindShellTooltip(false);
}

platform::HWND TCoolTrayIcon::GetBalloonHintHandle() {
    return platform::thePlatform().notifyArea().FindShellTooltip(true);
}

platform::Point TCoolTrayIcon::GetClientIconPos(int X, int Y) {
    auto& area = platform::thePlatform().notifyArea();
    int c = area.CaptionHeight() - 1;
    platform::Point p = area.ScreenToClientAt({X, Y});
    if (c <= 0) return {p.X - 1, p.Y - 1};  // no caption: nothing to divide by
    return {p.X % c - 1, p.Y % c - 1};  // % keeps the dividend's sign
}

}  // namespace tray
