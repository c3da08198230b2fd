#pragma once
// Conversions between the component model's descriptions and Qt's: fonts, colours, filters.
#include <QColor>
#include <QFont>
#include <QString>

#include "ui/Color.h"
#include "ui/Font.h"

namespace platform::linux_ {

// Negative heights are the character height in pixels (QFont pixel size); positive ones the
// cell height, which the chosen pixel size does not exceed.
QFont toQFont(const ui::TFont& f);
// Takes name, height, style and pitch from `q`; colour and character set stay as they are.
void assignFromQFont(ui::TFont& f, const QFont& q);

// RGB colours as they are; system colours through the platform's table.
QColor toQColor(ui::TColor c);
ui::TColor fromQColor(const QColor& c);

// "MP3, WAV|*.mp3; *.wav|All files|*.*" -> "MP3, WAV (*.mp3 *.wav);;All files (*.*)".
QString toQtFilter(const QString& filter);

}  // namespace platform::linux_
