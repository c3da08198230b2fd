#pragma once
// One Qt widget per control of the component model. The model holds the state; the widget
// shows it and hands the user's edits back to the model, whose events then fire.
#include <functional>

class QWidget;
namespace ui {
class TControl;
}

namespace platform::linux_ {

// Creates the widget that renders `c` inside `parent`; null for a control with no rendering.
QWidget* createControlWidget(ui::TControl& c, QWidget* parent);
// Brings `w` up to date with `c` (geometry, text, value, state, font, colour) without echoing
// anything back into the model.
void applyControl(ui::TControl& c, QWidget& w);
// Runs a model call from a Qt signal: an error is shown in the standard error box instead of
// crossing the toolkit's event loop.
void guardModelCall(const std::function<void()>& fn);

}  // namespace platform::linux_
