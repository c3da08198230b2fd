#pragma once
// The desktop session's end as the GNOME session manager announces it on the session bus:
// the program registers as a client, agrees to every query to end, and ends when the session
// does. Its answer to the end goes out when the client is destroyed, which is after the
// program has saved its settings.
#include <QObject>
#include <QString>
#include <functional>

class QDBusPendingCallWatcher;

namespace platform::linux_ {

class SessionClient : public QObject {
    Q_OBJECT
public:
    // Registration is asynchronous: without a session manager nothing waits and nothing shows.
    // `onEnd` runs on the GUI thread when the session ends or the manager stops the client.
    explicit SessionClient(std::function<void()> onEnd);
    ~SessionClient() override;

public slots:
    void queryEndSession(uint flags);
    void endSession(uint flags);
    void cancelEndSession();
    void stop();

private:
    void Registered(const QString& path);
    void Respond(bool wait);
    std::function<void()> FOnEnd;
    QString FClient;  // the manager's object for this client; empty until registered
    QDBusPendingCallWatcher* FRegistering = nullptr;  // the registration, while unanswered
    bool FEnding = false, FStopped = false;
};

}  // namespace platform::linux_
