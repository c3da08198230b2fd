// The colour, font and file pickers on Qt's standard dialogs.
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

#include "platform/linux/QtConvert.h"
#include "platform/linux/QtText.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class QtPickers final : public Pickers {
public:
    std::optional<int32_t> PickColor(int32_t initial) override {
        QColor c = QColorDialog::getColor(toQColor(initial));
        if (!c.isValid()) return std::nullopt;
        return fromQColor(c);
    }

    bool PickFont(ui::TFont& font) override {
        QFontDialog dlg(toQFont(font));
        // A font the system lacks ("Small Fonts") is shown as the nearest one it has: OK
        // without a change in the picker keeps the user's font, not that stand-in.
        const QFont shown = dlg.currentFont();
        if (dlg.exec() != QDialog::Accepted) return false;
        QFont chosen = dlg.selectedFont();
        if (chosen != shown) assignFromQFont(font, chosen);
        return true;
    }

    std::optional<std::u16string> PickOpenFile(const std::u16string& filter,
                                               const std::u16string& initialPath) override {
        QString path = QFileDialog::getOpenFileName(nullptr, QString(), toQ(initialPath),
                                                    toQtFilter(toQ(filter)));
        if (path.isEmpty()) return std::nullopt;
        return fromQ(path);
    }
};
}  // namespace

std::unique_ptr<Pickers> makePickers() { return std::make_unique<QtPickers>(); }

}  // namespace platform::linux_
