#include "ui/Register.h"

#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/Timer.h"

namespace ui {

void RegisterStandardClasses() {
    static const bool done = [] {
        for (const TClassInfo* ci :
             {&TForm::StaticClassInfo(), &TLabel::StaticClassInfo(), &TEdit::StaticClassInfo(),
              &TButton::StaticClassInfo(), &TCheckBox::StaticClassInfo(),
              &TGroupBox::StaticClassInfo(), &TStaticText::StaticClassInfo(),
              &TTrackBar::StaticClassInfo(), &TSpinEdit::StaticClassInfo(),
              &TSpeedButton::StaticClassInfo(), &TBitBtn::StaticClassInfo(),
              &TOpenDialog::StaticClassInfo(), &TColorDialog::StaticClassInfo(),
              &TFontDialog::StaticClassInfo(), &TTimer::StaticClassInfo()})
            RegisterClass(*ci);
        return true;
    }();
    (void)done;
}

}  // namespace ui
