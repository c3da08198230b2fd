// System colours from the desktop's palette, with the classic table when no GUI runs yet.
#include <QGuiApplication>
#include <QPalette>

#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

constexpr uint32_t bgr(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// The classic values, indexed by system colour number.
const uint32_t kClassic[31] = {
    bgr(200, 200, 200), bgr(0, 0, 0),       bgr(153, 180, 209), bgr(191, 205, 219),
    bgr(240, 240, 240), bgr(255, 255, 255), bgr(100, 100, 100), bgr(0, 0, 0),
    bgr(0, 0, 0),       bgr(0, 0, 0),       bgr(180, 180, 180), bgr(244, 247, 252),
    bgr(171, 171, 171), bgr(0, 120, 215),   bgr(255, 255, 255), bgr(240, 240, 240),
    bgr(160, 160, 160), bgr(109, 109, 109), bgr(0, 0, 0),       bgr(0, 0, 0),
    bgr(255, 255, 255), bgr(105, 105, 105), bgr(227, 227, 227), bgr(0, 0, 0),
    bgr(255, 255, 225), bgr(0, 0, 0),       bgr(0, 102, 204),   bgr(185, 209, 234),
    bgr(215, 228, 242), bgr(0, 120, 215),   bgr(240, 240, 240)};

struct Role {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

bool roleOf(int index, Role& r) {
    using P = QPalette;
    static const std::pair<int, Role> map[] = {
        {0, {P::Active, P::Button}},          {4, {P::Active, P::Window}},
        {5, {P::Active, P::Base}},            {6, {P::Active, P::Shadow}},
        {7, {P::Active, P::WindowText}},      {8, {P::Active, P::Text}},
        {9, {P::Active, P::HighlightedText}}, {2, {P::Active, P::Highlight}},
        {13, {P::Active, P::Highlight}},      {14, {P::Active, P::HighlightedText}},
        {15, {P::Active, P::Button}},         {16, {P::Active, P::Dark}},
        {17, {P::Disabled, P::Text}},         {18, {P::Active, P::ButtonText}},
        {20, {P::Active, P::Light}},          {21, {P::Active, P::Shadow}},
        {22, {P::Active, P::Midlight}},       {23, {P::Active, P::ToolTipText}},
        {24, {P::Active, P::ToolTipBase}},    {26, {P::Active, P::Link}},
        {29, {P::Active, P::Highlight}},      {30, {P::Active, P::Window}},
    };
    for (const auto& [i, role] : map)
        if (i == index) {
            r = role;
            return true;
        }
    return false;
}

class QtSystemColors final : public SystemColors {
public:
    uint32_t GetSysColor(int index) override {
        if (index < 0 || index > 30) return 0;
        Role r;
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && roleOf(index, r)) {
            QColor c = QGuiApplication::palette().color(r.group, r.role);
            return bgr(uint32_t(c.red()), uint32_t(c.green()), uint32_t(c.blue()));
        }
        return kClassic[index];
    }
};
}  // namespace

std::unique_ptr<SystemColors> makeSystemColors() { return std::make_unique<QtSystemColors>(); }

}  // namespace platform::linux_
