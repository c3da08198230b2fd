// The colour, font and file pickers on Qt's standard dialogs.
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/linux/QtConvert.h"
#include "platform/linux/QtText.h"
#include "platform/linux/SmallFonts.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

// The font picker with the text colour beside the face, as the tray's digits and the
// previews take both from one font. Qt's own font dialog has no colour.
class FontPicker : public QDialog {
public:
    explicit FontPicker(const ui::TFont& font) : FColor(toQColor(font.Color())) {
        setWindowTitle(QFontDialog::tr("Select Font"));
        FFace = new QFontDialog(toQFont(font), this);
        FFace->setObjectName(QStringLiteral("face"));
        FFace->setWindowFlags(Qt::Widget);
        FFace->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        auto* colourRow = new QHBoxLayout;
        auto* label = new QLabel(QStringLiteral("&Color:"));
        FSwatch = new QPushButton;
        FSwatch->setObjectName(QStringLiteral("colour"));
        label->setBuddy(FSwatch);
        colourRow->addWidget(label);
        colourRow->addWidget(FSwatch);
        colourRow->addStretch();
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(FFace);
        layout->addLayout(colourRow);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(FSwatch, &QPushButton::clicked, this, [this] {
            QColor c = QColorDialog::getColor(FColor, this);
            if (c.isValid()) SetColor(c);
        });
        SetColor(FColor);
    }
    QFontDialog& Face() { return *FFace; }
    QColor Color() const { return FColor; }
    void SetColor(const QColor& c) {
        FColor = c;
        QPixmap sample(32, 16);
        sample.fill(c);
        FSwatch->setIcon(QIcon(sample));
        FSwatch->setIconSize(sample.size());
    }

private:
    QFontDialog* FFace = nullptr;
    QPushButton* FSwatch = nullptr;
    QColor FColor;
};

// The tray's built-in face joins the picker's list the first time it opens, so a user who
// tried another font can come back to it. Only then: the list needs the toolkit's whole font
// database, which the program otherwise does without.
void OfferBuiltInFace() {
    static const bool offered =
        QFontDatabase::addApplicationFontFromData(QByteArray::fromStdString(SmallFonts::Bdf())) >= 0;
    (void)offered;
}

class QtPickers final : public Pickers {
public:
    std::optional<int32_t> PickColor(int32_t initial) override {
        QColor c = QColorDialog::getColor(toQColor(initial));
        if (!c.isValid()) return std::nullopt;
        return fromQColor(c);
    }

    bool PickFont(ui::TFont& font) override {
        OfferBuiltInFace();
        FontPicker dlg(font);
        // A font the system lacks is shown as the nearest one it has: OK without a change in
        // the picker keeps the user's font, not that stand-in.
        const QFont shown = dlg.Face().currentFont();
        const QColor colour = dlg.Color();
        if (dlg.exec() != QDialog::Accepted) return false;
        QFont chosen = dlg.Face().currentFont();
        font.BeginUpdate();
        if (chosen != shown) assignFromQFont(font, chosen);
        if (dlg.Color() != colour) font.SetColor(fromQColor(dlg.Color()));
        font.EndUpdate();
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
