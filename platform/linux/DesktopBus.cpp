#include "platform/linux/DesktopBus.h"

#include <stdlib.h>
#include <string.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariant>

namespace platform::linux_ {

bool waylandSession() {
    const char* type = getenv("XDG_SESSION_TYPE");
    if (type && strcmp(type, "wayland") == 0) return true;
    const char* wl = getenv("WAYLAND_DISPLAY");
    return wl && *wl;
}

static std::optional<QDBusMessage> call(const QDBusMessage& msg) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return std::nullopt;
    QDBusMessage reply = bus.call(msg, QDBus::Block, kDesktopCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) return std::nullopt;
    return reply;
}

std::optional<uint64_t> callUnsigned(const char* service, const char* path, const char* iface,
                                     const char* method) {
    auto reply = call(QDBusMessage::createMethodCall(QString::fromLatin1(service),
                                                     QString::fromLatin1(path),
                                                     QString::fromLatin1(iface),
                                                     QString::fromLatin1(method)));
    if (!reply || reply->arguments().isEmpty()) return std::nullopt;
    const QVariant& v = reply->arguments().first();
    switch (v.metaType().id()) {
        case QMetaType::UInt: return v.toUInt();
        case QMetaType::ULongLong: return v.toULongLong();
        default: return std::nullopt;  // not the interface it claims to be
    }
}

bool callWithString(const char* service, const char* path, const char* iface,
                    const char* method, const char* arg) {
    QDBusMessage msg = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(path), QString::fromLatin1(iface),
        QString::fromLatin1(method));
    if (arg) msg << QString::fromUtf8(arg);
    return call(msg).has_value();
}

bool setIntProperty(const char* service, const char* path, const char* iface,
                    const char* property, int32_t value) {
    QDBusMessage msg = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(path),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    msg << QString::fromLatin1(iface) << QString::fromLatin1(property)
        << QVariant::fromValue(QDBusVariant(QVariant::fromValue(value)));
    return call(msg).has_value();
}

}  // namespace platform::linux_
