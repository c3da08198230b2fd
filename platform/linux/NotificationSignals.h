#pragma once
// Receives the notification service's signals (D-Bus signals need real slots) and hands them
// to plain callbacks.
#include <QObject>
#include <QString>
#include <functional>

namespace platform::linux_ {

class NotificationSignals : public QObject {
    Q_OBJECT
public:
    std::function<void(uint id, uint reason)> onClosed;
    std::function<void(uint id, const QString& action)> onAction;
public slots:
    void closed(uint id, uint reason) {
        if (onClosed) onClosed(id, reason);
    }
    void action(uint id, const QString& key) {
        if (onAction) onAction(id, key);
    }
};

}  // namespace platform::linux_
