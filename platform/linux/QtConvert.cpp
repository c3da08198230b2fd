#include "platform/linux/QtConvert.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include <cmath>

#include "platform/linux/QtText.h"

namespace platform::linux_ {

QFont toQFont(const ui::TFont& f) {
    QFont q(toQ(f.Name()));
    int h = f.Height();
    if (h < 0) {
        q.setPixelSize(-h);
    } else if (h > 0) {
        // A cell height: the largest character size whose line fits in it.
        int px = h;
        q.setPixelSize(px);
        while (px > 1 && QFontMetrics(q).height() > h) q.setPixelSize(--px);
    }
    q.setBold(f.Style() & ui::fsBold);
    q.setItalic(f.Style() & ui::fsItalic);
    q.setUnderline(f.Style() & ui::fsUnderline);
    q.setStrikeOut(f.Style() & ui::fsStrikeOut);
    if (f.Pitch() == ui::fpFixed) {
        q.setFixedPitch(true);
        q.setStyleHint(QFont::TypeWriter);
    }
    return q;
}

void assignFromQFont(ui::TFont& f, const QFont& q) {
    f.BeginUpdate();
    f.SetName(fromQ(q.family()));
    if (q.pixelSize() > 0)
        f.SetHeight(-q.pixelSize());
    else if (q.pointSizeF() > 0)
        f.SetHeight(-int32_t(std::lround(q.pointSizeF() * f.PixelsPerInch() / 72.0)));
    ui::TFontStyles s = 0;
    if (q.bold()) s |= ui::fsBold;
    if (q.italic()) s |= ui::fsItalic;
    if (q.underline()) s |= ui::fsUnderline;
    if (q.strikeOut()) s |= ui::fsStrikeOut;
    f.SetStyle(s);
    if (q.fixedPitch())
        f.SetPitch(ui::fpFixed);
    else if (f.Pitch() == ui::fpFixed)
        f.SetPitch(ui::fpDefault);
    f.EndUpdate();
}

QColor toQColor(ui::TColor c) {
    uint32_t rgb = ui::ColorToRGB(c);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

ui::TColor fromQColor(const QColor& c) { return ui::RGB(c.red(), c.green(), c.blue()); }

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!p.trimmed().isEmpty()) patterns << p.trimmed();
        QString name = parts[i].trimmed();
        if (name.isEmpty()) name = patterns.join(QLatin1Char(' '));
        out << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

}  // namespace platform::linux_
