// Opening files and links through xdg-open, started detached from an argument vector.
#include <QProcess>
#include <QString>
#include <QStringList>

#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

class XdgOpenShell final : public Shell {
public:
    // The show command has no meaning here: the opened program places its own window.
    bool ShellExecute(const std::u16string& fileOrUrl, int) override {
        if (fileOrUrl.empty()) return false;
        QString target = QString::fromUtf16(fileOrUrl.data(), qsizetype(fileOrUrl.size()));
        // A name starting with '-' would be taken for an option; no address scheme starts so.
        if (target.startsWith(u'-')) target.prepend(u"./");
        // Detached: Qt forks twice, so the opener is never left as a zombie and the call
        // does not wait. False when the program cannot be started at all.
        return QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{target});
    }
};

}  // namespace

std::unique_ptr<Shell> makeShell() { return std::make_unique<XdgOpenShell>(); }

}  // namespace platform::linux_
