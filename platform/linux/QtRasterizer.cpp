// Text into small pictures with QPainter. Fonts come from the font record; "Small Fonts" at its
// own size is built in, other names the system lacks go through the toolkit's font matching.
// Edges are not smoothed: at 16x16 pixels sharp digits read better than grey ones.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "platform/linux/QtText.h"
#include "platform/linux/SmallFonts.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

QColor fromBgr(uint32_t c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

class QtRasterizer final : public TextRasterizer {
public:
    int TextWidth(const FontSpec& font, const std::u16string& s) override {
        if (s.empty()) return 0;
        if (SmallFonts::Serves(font) && SmallFonts::Covers(s)) return SmallFonts::TextWidth(font, s);
        return QFontMetrics(toQFont(font)).horizontalAdvance(toQ(s));
    }

    int TextHeight(const FontSpec& font) override {
        if (SmallFonts::Serves(font)) return SmallFonts::Ascent + SmallFonts::Descent;
        QFontMetrics m(toQFont(font));
        return m.ascent() + m.descent();
    }

    void TextOut(const FontSpec& font, RgbBitmap& target, int x, int y, const std::u16string& s,
                 uint32_t background) override {
        if (target.Width <= 0 || target.Height <= 0 || !target.Pixels) return;
        bool builtIn = SmallFonts::Serves(font);
        if (builtIn && SmallFonts::Covers(s)) {
            SmallFonts::TextOut(font, target, x, y, s, background);
            return;
        }
        // Drawn on a copy of the target, so clipping and the cell fill are the painter's.
        QImage img(target.Width, target.Height, QImage::Format_RGB32);
        for (int py = 0; py < target.Height; ++py)
            for (int px = 0; px < target.Width; ++px) {
                uint32_t c = target.Pixels[py * target.Width + px];
                img.setPixel(px, py, fromBgr(c).rgb());
            }
        QFont f = toQFont(font);
        QFontMetrics m(f);
        // Characters the built-in face lacks are the toolkit's, in the built-in face's cell.
        int ascent = builtIn ? SmallFonts::Ascent : m.ascent();
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::TextAntialiasing, false);
            p.fillRect(QRect(x, y, TextWidth(font, s), TextHeight(font)), fromBgr(background));
            p.setFont(f);
            p.setPen(fromBgr(font.Color));
            p.drawText(QPoint(x, y + ascent), toQ(s));
        }
        for (int py = 0; py < target.Height; ++py)
            for (int px = 0; px < target.Width; ++px) {
                QRgb c = img.pixel(px, py);
                target.Pixels[py * target.Width + px] =
                    uint32_t(qRed(c)) | (uint32_t(qGreen(c)) << 8) | (uint32_t(qBlue(c)) << 16);
            }
    }

private:
    QFont toQFont(const FontSpec& fs) {
        QFont f(toQ(fs.Name));
        f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
        f.setHintingPreference(QFont::PreferFullHinting);
        if (fs.Pitch == 2) f.setFixedPitch(true);
        f.setBold(fs.Style & 1);
        f.setItalic(fs.Style & 2);
        f.setUnderline(fs.Style & 4);
        f.setStrikeOut(fs.Style & 8);
        int h = fs.Height == 0 ? -11 : fs.Height;
        if (h < 0) {
            // Character height without internal leading: the em size in pixels.
            f.setPixelSize(-h);
        } else {
            // Cell height: the em size whose ascent plus descent comes to h pixels.
            f.setPixelSize(h);
            QFontMetrics m(f);
            int cell = m.ascent() + m.descent();
            if (cell > 0 && cell != h) f.setPixelSize(std::max(1, h * h / cell));
        }
        return f;
    }
};

}  // namespace

std::unique_ptr<TextRasterizer> makeRasterizer() { return std::make_unique<QtRasterizer>(); }

}  // namespace platform::linux_
