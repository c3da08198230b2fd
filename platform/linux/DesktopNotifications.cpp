#include "platform/linux/DesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include "platform/NotifyArea.h"
#include "platform/linux/NotificationSignals.h"

namespace platform::linux_ {
namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

void post(std::function<void()> fn) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(fn), Qt::QueuedConnection);
}

QString iconName(uint32_t infoFlags) {
    switch (infoFlags & 0xF) {
        case NIIF_INFO: return QStringLiteral("dialog-information");
        case NIIF_WARNING: return QStringLiteral("dialog-warning");
        case NIIF_ERROR: return QStringLiteral("dialog-error");
        default: return QString();
    }
}
}  // namespace

struct DesktopNotifications::Balloon {
    uint serverId = 0;
    bool ended = false;
    bool pending = false;      // Notify sent, no answer yet
    bool closeWanted = false;  // closed before the service told its number
    uint32_t timeoutMs = 0;
    Notice notice;
    QTimer fallback;
};

DesktopNotifications::DesktopNotifications() : FSignals(std::make_unique<NotificationSignals>()) {
    FSignals->onClosed = [this](uint id, uint reason) {
        Balloon* b = ByServerId(id);
        if (!b) return;
        for (auto& [key, balloon] : FBalloons)
            if (balloon.get() == b) {
                // 1: expired; 2: dismissed by the user; 3: closed by a call; others: gone.
                End(key, reason == 1 ? NIN_BALLOONTIMEOUT : NIN_BALLOONHIDE);
                return;
            }
    };
    FSignals->onAction = [this](uint id, const QString& action) {
        if (action != QStringLiteral("default")) return;
        for (auto& [key, balloon] : FBalloons)
            if (balloon->serverId == id && !balloon->ended) {
                End(key, NIN_BALLOONUSERCLICK);
                return;
            }
    };
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"),
                    FSignals.get(), SLOT(closed(uint, uint)));
        bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), FSignals.get(),
                    SLOT(action(uint, QString)));
    }
}

DesktopNotifications::~DesktopNotifications() {
    for (auto& [key, b] : FBalloons)
        if (!b->ended && b->serverId) SendClose(b->serverId);
}

DesktopNotifications::Balloon* DesktopNotifications::ByServerId(uint id) {
    for (auto& [key, b] : FBalloons)
        if (b->serverId == id && !b->ended) return b.get();
    return nullptr;
}

void DesktopNotifications::SendClose(uint serverId) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage msg =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"));
    msg << serverId;
    bus.asyncCall(msg);
}

int DesktopNotifications::Show(const QString& title, const QString& text, uint32_t infoFlags,
                               uint32_t timeoutMs, Notice notice) {
    int key = ++FNextKey;
    auto owned = std::make_unique<Balloon>();
    Balloon* b = owned.get();
    FBalloons[key] = std::move(owned);
    b->notice = std::move(notice);
    b->timeoutMs = timeoutMs;
    b->fallback.setSingleShot(true);
    QObject::connect(&b->fallback, &QTimer::timeout,
                     [this, key] { TakeDown(key, NIN_BALLOONTIMEOUT); });
    b->fallback.start(int(timeoutMs + kGraceMs));

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        b->fallback.start(int(timeoutMs));  // nobody to show it: it times out unseen
        return key;
    }
    QDBusMessage msg =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    msg << QStringLiteral("QV Tovra") << uint(0) << iconName(infoFlags) << title << text
        << QStringList{QStringLiteral("default"), QString()} << QVariantMap()
        << int(timeoutMs);
    b->pending = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(msg));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [this, key, watcher] {
        watcher->deleteLater();
        auto it = FBalloons.find(key);
        if (it == FBalloons.end()) return;
        Balloon& balloon = *it->second;
        balloon.pending = false;
        QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) {
            if (!balloon.ended) balloon.fallback.start(int(balloon.timeoutMs));
            if (balloon.closeWanted) FBalloons.erase(it);
            return;
        }
        balloon.serverId = reply.value();
        if (balloon.closeWanted) {  // ended before it was shown: take it off the screen
            SendClose(balloon.serverId);
            FBalloons.erase(it);
            return;
        }
        if (balloon.ended) return;
        Notice n = balloon.notice;
        post([n] { n(NIN_BALLOONSHOW); });
    });
    return key;
}

void DesktopNotifications::Close(int key) { TakeDown(key, NIN_BALLOONHIDE); }

void DesktopNotifications::TakeDown(int key, uint32_t code) {
    auto it = FBalloons.find(key);
    if (it == FBalloons.end() || it->second->ended) return;
    if (it->second->serverId)
        SendClose(it->second->serverId);
    else if (it->second->pending)
        it->second->closeWanted = true;  // the reply to Notify will take it off the screen
    End(key, code);
}

void DesktopNotifications::End(int key, uint32_t code) {
    auto it = FBalloons.find(key);
    if (it == FBalloons.end() || it->second->ended) return;
    Balloon& b = *it->second;
    b.ended = true;
    b.fallback.stop();
    Notice n = b.notice;
    post([n, code] { n(code); });
    // Kept a while, so the service's late signals for it find it ended rather than unknown;
    // a closed-early balloon also waits for the service's number to close it.
    post([this, key] {
        auto i = FBalloons.find(key);
        if (i != FBalloons.end() && i->second->ended && !i->second->closeWanted) FBalloons.erase(i);
    });
}

}  // namespace platform::linux_
