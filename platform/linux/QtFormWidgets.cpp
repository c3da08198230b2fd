#include "platform/linux/QtFormWidgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <climits>
#include <exception>
#include <vector>

#include "platform/Platform.h"
#include "platform/linux/QtConvert.h"
#include "platform/linux/QtText.h"
#include "platform/linux/SmallFonts.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/Exceptions.h"
#include "ui/StdCtrls.h"
#include "ui/Text.h"

namespace platform::linux_ {

void guardModelCall(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const ui::Exception& e) {
        thePlatform().messageBoxes().ShowError(e.Message());
    } catch (const std::exception& e) {
        thePlatform().messageBoxes().ShowError(ui::FromUtf8(e.what()));
    }
}

namespace {

// Labels show "&x" as an underlined x and "&&" as "&"; a plain QLabel would show both.
QString labelText(const std::u16string& caption) {
    QString s = toQ(caption), out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('&') && i + 1 < s.size()) ++i;
        out += s[i];
    }
    return out;
}

Qt::Alignment alignmentOf(ui::TAlignment a) {
    switch (a) {
        case ui::taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
        case ui::taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QIcon iconOf(ui::TBitmap& glyph) {
    QPixmap p;
    if (glyph.Empty() || !p.loadFromData(glyph.Data().data(), uint(glyph.Data().size())))
        return {};
    return QIcon(p);
}

// The built-in face's text as a picture, so a preview looks as the tray icon will; a null
// pixmap when the toolkit draws this font or text.
QPixmap builtInText(ui::TControl& c, const std::u16string& text) {
    const ui::TFont& f = c.GetFont();
    FontSpec face;
    face.Name = f.Name();
    face.Height = f.Height();
    face.Style = f.Style();
    face.Color = ui::ColorToRGB(f.Color()) & 0xFFFFFF;
    if (text.empty() || !SmallFonts::Serves(face) || !SmallFonts::Covers(text)) return {};
    uint32_t background = ui::ColorToRGB(c.Color()) & 0xFFFFFF;
    RgbBitmap bmp;
    bmp.Width = SmallFonts::TextWidth(face, text);
    bmp.Height = SmallFonts::Ascent + SmallFonts::Descent;
    std::vector<uint32_t> px(std::size_t(bmp.Width * bmp.Height), background);
    bmp.Pixels = px.data();
    SmallFonts::TextOut(face, bmp, 0, 0, text, background);
    QImage img(bmp.Width, bmp.Height, QImage::Format_RGB32);
    for (int y = 0; y < bmp.Height; ++y)
        for (int x = 0; x < bmp.Width; ++x) {
            uint32_t v = px[std::size_t(y * bmp.Width + x)];
            img.setPixel(x, y, qRgb(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)));
        }
    return QPixmap::fromImage(img);
}

// Colours a widget only where the model's colour is its own choice, so the desktop theme
// keeps the rest.
void applyColors(ui::TControl& c, QWidget& w, bool background) {
    QPalette pal = w.palette();
    if (background) {
        pal.setColor(QPalette::Window, toQColor(c.Color()));
        w.setAutoFillBackground(true);
    }
    if (c.GetFont().Color() != ui::clWindowText) {
        pal.setColor(QPalette::WindowText, toQColor(c.GetFont().Color()));
        pal.setColor(QPalette::Text, toQColor(c.GetFont().Color()));
        pal.setColor(QPalette::ButtonText, toQColor(c.GetFont().Color()));
    }
    w.setPalette(pal);
}

// Only real changes reach the widget: resetting a text would move the user's cursor.
template <class W>
void setText(W& w, const QString& wanted) {
    if (w.text() != wanted) w.setText(wanted);
}

}  // namespace

QWidget* createControlWidget(ui::TControl& c, QWidget* parent) {
    QWidget* w = nullptr;
    if (dynamic_cast<ui::TGroupBox*>(&c)) {
        w = new QGroupBox(parent);
    } else if (dynamic_cast<ui::TStaticText*>(&c) || dynamic_cast<ui::TLabel*>(&c)) {
        w = new QLabel(parent);
    } else if (auto* b = dynamic_cast<ui::TButton*>(&c)) {
        auto* pb = new QPushButton(parent);
        QObject::connect(pb, &QPushButton::clicked, pb, [b] { guardModelCall([b] { b->Click(); }); });
        w = pb;
    } else if (auto* cb = dynamic_cast<ui::TCheckBox*>(&c)) {
        auto* q = new QCheckBox(parent);
        QObject::connect(q, &QCheckBox::clicked, q,
                         [cb](bool on) { guardModelCall([cb, on] { cb->SetChecked(on); }); });
        w = q;
    } else if (auto* e = dynamic_cast<ui::TEdit*>(&c)) {
        auto* q = new QLineEdit(parent);
        QObject::connect(q, &QLineEdit::textEdited, q, [e](const QString& t) {
            guardModelCall([e, &t] { e->SetText(fromQ(t)); });
        });
        w = q;
    } else if (auto* t = dynamic_cast<ui::TTrackBar*>(&c)) {
        auto* q = new QSlider(parent);
        QObject::connect(q, &QSlider::valueChanged, q,
                         [t](int v) { guardModelCall([t, v] { t->SetPosition(v); }); });
        w = q;
    } else if (auto* s = dynamic_cast<ui::TSpinEdit*>(&c)) {
        auto* q = new QSpinBox(parent);
        QObject::connect(q, &QSpinBox::valueChanged, q,
                         [s](int v) { guardModelCall([s, v] { s->SetValue(v); }); });
        w = q;
    } else if (auto* sb = dynamic_cast<ui::TSpeedButton*>(&c)) {
        auto* q = new QToolButton(parent);
        q->setFocusPolicy(Qt::NoFocus);  // flat buttons never take the focus
        QObject::connect(q, &QToolButton::clicked, q, [sb] { guardModelCall([sb] { sb->Click(); }); });
        w = q;
    } else if (dynamic_cast<ui::TWinControl*>(&c)) {
        w = new QWidget(parent);  // an unknown container still holds its children
    }
    if (w) w->setObjectName(toQ(c.Name()));
    return w;
}

void applyControl(ui::TControl& c, QWidget& w) {
    const QSignalBlocker block(&w);
    QFont font = toQFont(c.GetFont());
    if (w.font() != font) w.setFont(font);
    w.setEnabled(c.Enabled());
    QString tip = c.ShowHint() ? toQ(c.Hint()) : QString();
    if (w.toolTip() != tip) w.setToolTip(tip);
    QRect r(c.Left(), c.Top(), c.Width(), c.Height());

    if (auto* g = qobject_cast<QGroupBox*>(&w)) {
        if (g->title() != toQ(c.Caption())) g->setTitle(toQ(c.Caption()));
    } else if (auto* st = dynamic_cast<ui::TStaticText*>(&c)) {
        auto& l = static_cast<QLabel&>(w);
        QPixmap face = builtInText(c, st->Caption());
        if (!face.isNull())
            l.setPixmap(face);
        else if (!l.pixmap().isNull())
            l.setText(labelText(st->Caption()));  // setText also drops the picture
        else
            setText(l, labelText(st->Caption()));
        l.setAlignment(alignmentOf(st->Alignment()));
        switch (st->BorderStyle()) {
            case ui::sbsSingle: l.setFrameStyle(QFrame::Box | QFrame::Plain); break;
            case ui::sbsSunken: l.setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
            default: l.setFrameStyle(QFrame::NoFrame); break;
        }
        l.setLineWidth(1);
        applyColors(c, l, true);
        if (st->AutoSize()) r.setSize(l.sizeHint());
    } else if (auto* lb = dynamic_cast<ui::TLabel*>(&c)) {
        auto& l = static_cast<QLabel&>(w);
        setText(l, labelText(lb->Caption()));
        l.setAlignment((alignmentOf(lb->Alignment()) & ~Qt::AlignVCenter) | Qt::AlignTop);
        l.setWordWrap(lb->WordWrap());
        applyColors(c, l, !lb->Transparent() && c.Color() != ui::clBtnFace);
        // A label that sizes itself grows with its text (the duration labels do).
        if (lb->AutoSize() && !lb->WordWrap()) r.setSize(l.sizeHint());
    } else if (auto* bb = dynamic_cast<ui::TButton*>(&c)) {
        auto& b = static_cast<QPushButton&>(w);
        setText(b, toQ(bb->Caption()));
        b.setDefault(bb->Default());
        if (auto* bit = dynamic_cast<ui::TBitBtn*>(bb)) b.setIcon(iconOf(*bit->Glyph()));
    } else if (auto* cb = dynamic_cast<ui::TCheckBox*>(&c)) {
        auto& q = static_cast<QCheckBox&>(w);
        setText(q, toQ(cb->Caption()));
        q.setChecked(cb->Checked());
        q.setLayoutDirection(cb->Alignment() == ui::taLeftJustify ? Qt::RightToLeft
                                                                  : Qt::LeftToRight);
    } else if (auto* e = dynamic_cast<ui::TEdit*>(&c)) {
        auto& q = static_cast<QLineEdit&>(w);
        QString text = toQ(e->Text());
        // Never cut a text that the program set.
        int max = e->MaxLength() > 0 ? std::max<int>(e->MaxLength(), int(text.size())) : 32767;
        if (q.maxLength() != max) q.setMaxLength(max);
        setText(q, text);
        q.setReadOnly(e->ReadOnly());
    } else if (auto* t = dynamic_cast<ui::TTrackBar*>(&c)) {
        auto& q = static_cast<QSlider&>(w);
        q.setOrientation(t->Orientation() == ui::trVertical ? Qt::Vertical : Qt::Horizontal);
        q.setRange(t->Min(), t->Max());
        q.setValue(t->Position());
        q.setPageStep(t->PageSize());
        q.setSingleStep(t->LineSize());
        q.setTickInterval(t->Frequency());
        QSlider::TickPosition tp = QSlider::TicksBelow;
        if (t->TickStyle() == ui::tsNone)
            tp = QSlider::NoTicks;
        else if (t->TickMarks() == ui::tmTopLeft)
            tp = QSlider::TicksAbove;
        else if (t->TickMarks() == ui::tmBoth)
            tp = QSlider::TicksBothSides;
        q.setTickPosition(tp);
    } else if (auto* s = dynamic_cast<ui::TSpinEdit*>(&c)) {
        auto& q = static_cast<QSpinBox&>(w);
        if (s->MaxValue() > s->MinValue())
            q.setRange(s->MinValue(), s->MaxValue());
        else
            q.setRange(INT_MIN, INT_MAX);
        q.setSingleStep(s->Increment());
        q.setValue(s->Value());
        q.setReadOnly(!s->EditorEnabled());
    } else if (auto* sb = dynamic_cast<ui::TSpeedButton*>(&c)) {
        auto& q = static_cast<QToolButton&>(w);
        setText(q, toQ(sb->Caption()));
        q.setIcon(iconOf(*sb->Glyph()));
        q.setAutoRaise(sb->Flat());
        q.setToolButtonStyle(sb->Caption().empty() ? Qt::ToolButtonIconOnly
                                                   : Qt::ToolButtonTextBesideIcon);
    }
    if (w.geometry() != r) w.setGeometry(r);
    if (w.isVisibleTo(w.parentWidget()) != c.Visible()) w.setVisible(c.Visible());
}

}  // namespace platform::linux_
