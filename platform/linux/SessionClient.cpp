#include "platform/linux/SessionClient.h"

#include <stdlib.h>

#include <utility>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace platform::linux_ {
namespace {

const QString kService = QStringLiteral("org.gnome.SessionManager");
const QString kPath = QStringLiteral("/org/gnome/SessionManager");
const QString kManager = QStringLiteral("org.gnome.SessionManager");
const QString kClient = QStringLiteral("org.gnome.SessionManager.ClientPrivate");
// The desktop entry's name, by which the manager knows the program.
const QString kAppId = QStringLiteral("qv-tovra");
// At exit only; the manager answers at once or is gone.
constexpr int kExitCallTimeoutMs = 1000;
// A manager that does not answer the registration in this time is taken for none.
constexpr int kRegisterTimeoutMs = 5000;

QDBusMessage managerCall(const QString& path, const QString& iface, const QString& method) {
    QDBusMessage m = QDBusMessage::createMethodCall(kService, path, iface, method);
    m.setAutoStartService(false);  // never start a session manager for this
    return m;
}

}  // namespace

SessionClient::SessionClient(std::function<void()> onEnd) : FOnEnd(std::move(onEnd)) {
    // The start-up ID is the manager's for this process only; programs it opens get none.
    QString startupId = QString::fromLocal8Bit(qgetenv("DESKTOP_AUTOSTART_ID"));
    unsetenv("DESKTOP_AUTOSTART_ID");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage m = managerCall(kPath, kManager, QStringLiteral("RegisterClient"));
    m << kAppId << startupId;
    FRegistering = new QDBusPendingCallWatcher(bus.asyncCall(m, kRegisterTimeoutMs), this);
    QObject::connect(FRegistering, &QDBusPendingCallWatcher::finished, this,
                     [this](QDBusPendingCallWatcher* w) {
                         QDBusPendingReply<QDBusObjectPath> reply = *w;
                         w->deleteLater();
                         if (w != FRegistering) return;
                         FRegistering = nullptr;
                         if (reply.isValid()) Registered(reply.value().path());
                     });
}

SessionClient::~SessionClient() {
    if (QDBusPendingCallWatcher* pending = std::exchange(FRegistering, nullptr)) {
        // A program that ends at once still hears the answer: the manager would otherwise
        // keep a client that left without a word (and the toolkit the unanswered call).
        pending->waitForFinished();
        QDBusPendingReply<QDBusObjectPath> reply = *pending;
        if (reply.isValid()) FClient = reply.value().path();
    }
    if (FClient.isEmpty()) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (FEnding) {
        Respond(true);
    } else if (!FStopped) {
        // Leaving on our own: the manager should not take this for a crash.
        QDBusMessage m = managerCall(kPath, kManager, QStringLiteral("UnregisterClient"));
        m << QVariant::fromValue(QDBusObjectPath(FClient));
        bus.call(m, QDBus::Block, kExitCallTimeoutMs);
    }
}

void SessionClient::Registered(const QString& path) {
    FClient = path;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(kService, path, kClient, QStringLiteral("QueryEndSession"), this,
                SLOT(queryEndSession(uint)));
    bus.connect(kService, path, kClient, QStringLiteral("EndSession"), this,
                SLOT(endSession(uint)));
    bus.connect(kService, path, kClient, QStringLiteral("CancelEndSession"), this,
                SLOT(cancelEndSession()));
    bus.connect(kService, path, kClient, QStringLiteral("Stop"), this, SLOT(stop()));
}

void SessionClient::Respond(bool wait) {
    QDBusMessage m = managerCall(FClient, kClient, QStringLiteral("EndSessionResponse"));
    m << true << QString();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (wait)
        bus.call(m, QDBus::Block, kExitCallTimeoutMs);
    else
        bus.asyncCall(m);
}

// Nothing here objects to the end: the settings are saved on the way out.
void SessionClient::queryEndSession(uint) { Respond(false); }

void SessionClient::endSession(uint) {
    if (FEnding) return;
    FEnding = true;
    if (FOnEnd) FOnEnd();
}

void SessionClient::cancelEndSession() {}

void SessionClient::stop() {
    FStopped = true;
    if (FOnEnd) FOnEnd();
}

}  // namespace platform::linux_
