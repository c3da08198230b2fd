#pragma once
// Showing a form of the component model on screen.
namespace ui { class TForm; }

namespace platform {

class FormDisplay {
public:
    virtual ~FormDisplay() = default;
    // Shows `form` modally and processes messages until its ModalResult is set (or the user
    // closes it, which sets mrCancel). The form is hidden again before this returns.
    virtual void ShowModal(ui::TForm& form) = 0;
    // The form's controls changed state outside the user's edits (captions, values).
    virtual void FormChanged(ui::TForm& form) = 0;
    // Raises and activates the form's window, over other programs' windows too; asked just
    // before the form comes on screen, it is done as it comes.
    virtual void BringToFront(ui::TForm& form) { (void)form; }
};

}  // namespace platform
