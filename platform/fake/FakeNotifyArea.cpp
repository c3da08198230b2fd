#include "platform/fake/FakeNotifyArea.h"

namespace platform::fake {

HWND FakeNotifyArea::CreateHandlerWindow(WindowProc proc) {
    if (refuseWindows) return 0;
    HWND w = ++FNextWnd;
    FWindows[w] = std::move(proc);
    return w;
}

void FakeNotifyArea::DestroyHandlerWindow(HWND wnd) { FWindows.erase(wnd); }

bool FakeNotifyArea::Shell_NotifyIcon(uint32_t Message, const NotifyIconData& Data) {
    Request r{Message, Data, Data.hIcon ? *Data.hIcon : IconImage{}, false};
    r.Data.hIcon = nullptr;
    auto key = std::make_pair(Data.hWnd, Data.uID);
    auto it = icons.find(key);
    bool ok = hostRunning && Data.cbSize == sizeof(NotifyIconData);
    auto apply = [&](Icon& ic) {
        if (Data.uFlags & NIF_MESSAGE) ic.CallbackMessage = Data.uCallbackMessage;
        if (Data.uFlags & NIF_ICON) ic.Image = r.Image;
        if (Data.uFlags & NIF_TIP) ic.Tip = Data.szTip;
        if (Data.uFlags & NIF_INFO) {
            ic.BalloonText = Data.szInfo;
            ic.BalloonTitle = Data.szInfoTitle;
            ic.BalloonTimeout = Data.uTimeout;
            ic.BalloonFlags = Data.dwInfoFlags;
        }
    };
    if (ok) switch (Message) {
            case NIM_ADD:
                if (it != icons.end()) {
                    ok = false;
                    break;
                }
                {
                    Icon ic;
                    ic.Wnd = Data.hWnd;
                    ic.ID = Data.uID;
                    apply(ic);
                    icons[key] = ic;
                    FLastAdded = key;
                }
                break;
            case NIM_MODIFY:
                if (it == icons.end())
                    ok = false;
                else
                    apply(it->second);
                break;
            case NIM_DELETE:
                if (it == icons.end())
                    ok = false;
                else
                    icons.erase(it);
                break;
            case NIM_SETVERSION:
                if (it == icons.end())
                    ok = false;
                else
                    it->second.Version = Data.uVersion;
                break;
            case NIM_SETFOCUS:
                ok = it != icons.end();
                break;
            default:
                ok = false;
        }
    r.Accepted = ok;
    requests.push_back(std::move(r));
    return ok;
}

uint32_t FakeNotifyArea::RegisterWindowMessage(const std::u16string& name) {
    auto it = FMessages.find(name);
    if (it != FMessages.end()) return it->second;
    uint32_t n = 0xC000 + uint32_t(FMessages.size());
    FMessages[name] = n;
    return n;
}

void FakeNotifyArea::TrackPopupMenu(ui::TPopupMenu& menu, Point at) {
    popups.push_back({&menu, at});
    if (onPopup) onPopup(menu);
}

void FakeNotifyArea::SetIconMenu(HWND wnd, uint32_t uID, ui::TPopupMenu* menu) {
    if (menu)
        iconMenus[{wnd, uID}] = menu;
    else
        iconMenus.erase({wnd, uID});
}

const FakeNotifyArea::Icon* FakeNotifyArea::icon() const {
    return icons.empty() ? nullptr : &icons.begin()->second;
}

std::vector<const FakeNotifyArea::Request*> FakeNotifyArea::requestsOf(uint32_t message) const {
    std::vector<const Request*> out;
    for (const Request& r : requests)
        if (r.Message == message) out.push_back(&r);
    return out;
}

bool FakeNotifyArea::send(uint32_t code, uint32_t uID) {
    std::optional<std::pair<HWND, uint32_t>> key;
    if (uID) {
        for (auto& [k, ic] : icons)
            if (k.second == uID) key = k;
        if (!key && FLastAdded && FLastAdded->second == uID) key = FLastAdded;
    } else if (!icons.empty()) {
        key = icons.begin()->first;
    } else {
        key = FLastAdded;
    }
    if (!key) return false;
    auto w = FWindows.find(key->first);
    if (w == FWindows.end()) return false;
    auto ic = icons.find(*key);
    uint32_t msg = ic != icons.end() && ic->second.CallbackMessage ? ic->second.CallbackMessage
                                                                   : 0x800;
    WindowProc proc = w->second;  // the handler may destroy its window
    proc(msg, key->second, int64_t(code));
    return true;
}

void FakeNotifyArea::doubleClick(uint32_t uID) {
    send(WM_LBUTTONDOWN, uID);
    send(WM_LBUTTONUP, uID);
    send(WM_LBUTTONDBLCLK, uID);
    send(WM_LBUTTONUP, uID);
}

void FakeNotifyArea::broadcast(uint32_t msg, uint64_t wParam, int64_t lParam) {
    auto copy = FWindows;
    for (auto& [w, proc] : copy)
        if (FWindows.count(w)) proc(msg, wParam, lParam);
}

void FakeNotifyArea::restartHost() {
    icons.clear();
    hostRunning = true;
    broadcast(RegisterWindowMessage(u"TaskbarCreated"));
}

}  // namespace platform::fake
