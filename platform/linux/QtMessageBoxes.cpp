// Message boxes on QMessageBox. exec() runs a nested event loop, so timers and posted work go
// on while a box is open, as the callers expect.
#include <QCoreApplication>
#include <QMessageBox>

#include "platform/linux/QtText.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

constexpr uint32_t MB_ICONMASK = 0xF0, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30;

QMessageBox::Icon iconOf(uint32_t flags) {
    switch (flags & MB_ICONMASK) {
        case MB_ICONERROR: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONWARNING: return QMessageBox::Warning;
        case MB_ICONINFORMATION: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

int runBox(const QString& text, const QString& caption, uint32_t flags) {
    QMessageBox box(iconOf(flags), caption, text, QMessageBox::Ok);
    if (flags & MB_TOPMOST) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
    return IDOK;
}

class QtMessageBoxes final : public MessageBoxes {
public:
    int MessageBox(const ui::TComponent*, const std::u16string& text, const std::u16string& caption,
                   uint32_t flags) override {
        return runBox(toQ(text), toQ(caption), flags);
    }
    void ShowError(const std::u16string& text) override {
        // The toolkit's own error box: the critical icon and the standard "Error" caption.
        runBox(toQ(text), QCoreApplication::translate("QMessageBox", "Error"),
               MB_ICONERROR);
    }
};
}  // namespace

std::unique_ptr<MessageBoxes> makeMessageBoxes() { return std::make_unique<QtMessageBoxes>(); }

}  // namespace platform::linux_
