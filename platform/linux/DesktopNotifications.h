#pragma once
// Balloon hints as desktop notifications (org.freedesktop.Notifications on the session bus).
// Each balloon reports, posted and never nested, that it was shown and then exactly one end:
// clicked, hidden or timed out. A service that is missing or stays silent past the time-out
// plus a grace still gives the time-out notice, so nothing waits on a balloon forever.
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace platform::linux_ {

class NotificationSignals;

class DesktopNotifications {
public:
    // NIN_BALLOONSHOW, then one of NIN_BALLOONUSERCLICK, NIN_BALLOONHIDE, NIN_BALLOONTIMEOUT.
    using Notice = std::function<void(uint32_t code)>;
    static constexpr int kGraceMs = 2000;  // a service's own time-out may come a little late

    DesktopNotifications();
    ~DesktopNotifications();
    // Answers the balloon's key (never 0). `infoFlags` is the NIIF_ icon kind.
    int Show(const QString& title, const QString& text, uint32_t infoFlags, uint32_t timeoutMs,
             Notice notice);
    // Removes a balloon; one that has not ended yet ends with the hide notice.
    void Close(int key);

private:
    struct Balloon;
    // Off the screen (or never on it) and its end notice sent with `code`.
    void TakeDown(int key, uint32_t code);
    void End(int key, uint32_t code);
    Balloon* ByServerId(uint id);
    void SendClose(uint serverId);
    std::map<int, std::unique_ptr<Balloon>> FBalloons;
    std::unique_ptr<NotificationSignals> FSignals;
    int FNextKey = 0;
};

}  // namespace platform::linux_
