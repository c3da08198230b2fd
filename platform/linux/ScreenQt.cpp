// Cursor position, double-click time, modifier and button state and the screen's density,
// all from the toolkit.
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <cmath>

#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

bool haveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

class QtScreen final : public Screen {
public:
    int PixelsPerInch() override {
        if (!haveGui() || !QGuiApplication::primaryScreen()) return 96;
        int dpi = int(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
        return dpi > 0 ? dpi : 96;
    }
    Point CursorPos() override {
        if (!haveGui()) return {};
        QPoint p = QCursor::pos();
        return {p.x(), p.y()};
    }
    uint32_t DoubleClickTime() override {
        if (!haveGui()) return 500;
        int ms = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        return ms > 0 ? uint32_t(ms) : 500;
    }
    uint32_t ShiftState() override {
        if (!haveGui()) return 0;
        uint32_t s = 0;
        Qt::KeyboardModifiers k = QGuiApplication::queryKeyboardModifiers();
        if (k & Qt::ShiftModifier) s |= ssShift;
        if (k & Qt::AltModifier) s |= ssAlt;
        if (k & Qt::ControlModifier) s |= ssCtrl;
        Qt::MouseButtons b = QGuiApplication::mouseButtons();
        if (b & Qt::LeftButton) s |= ssLeft;
        if (b & Qt::RightButton) s |= ssRight;
        if (b & Qt::MiddleButton) s |= ssMiddle;
        return s;
    }
};

}  // namespace

std::unique_ptr<Screen> makeScreen() { return std::make_unique<QtScreen>(); }

}  // namespace platform::linux_
