// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubNotifyArea final : public NotifyArea {
public:
    HWND CreateHandlerWindow(WindowProc) override { return 0; }
    void DestroyHandlerWindow(HWND) override {}
    bool Shell_NotifyIcon(uint32_t, const NotifyIconData&) override { return false; }
    uint32_t RegisterWindowMessage(const std::u16string&) override { return 0; }
    bool SetForegroundWindow(HWND) override { return false; }
    void TrackPopupMenu(ui::TPopupMenu&, Point) override {}
    void SetIconMenu(HWND, uint32_t, ui::TPopupMenu*) override {}
    HWND FindShellTooltip(bool) override { return 0; }
    int CaptionHeight() override { return 0; }
    Point ScreenToClientAt(Point p) override { return p; }
};
}  // namespace

std::unique_ptr<NotifyArea> makeNotifyArea() { return std::make_unique<StubNotifyArea>(); }

}  // namespace platform::linux_
