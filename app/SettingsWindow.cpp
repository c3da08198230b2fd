// The settings window.
#include "app/Unit1.h"

namespace app {

void TForm1::TextTrayIcon1DblClick(ui::TObject*) {}
void TForm1::TrackBar1Change(ui::TObject*) {}
void TForm1::TrackBar2Change(ui::TObject*) {}
void TForm1::SpeedButton1Click(ui::TObject*) {}
void TForm1::SpeedButton2Click(ui::TObject*) {}
void TForm1::SpeedButton3Click(ui::TObject*) {}
void TForm1::SpeedButton4Click(ui::TObject*) {}
void TForm1::Button1Click(ui::TObject*) {}
void TForm1::Button2Click(ui::TObject*) {}
void TForm1::CheckBox1Click(ui::TObject*) {}
void TForm1::CheckBox5Click(ui::TObject*) {}
void TForm1::CheckBox6Click(ui::TObject*) {}
void TForm1::dklcMainLanguageChanged(ui::TObject*) {}

}  // namespace app
