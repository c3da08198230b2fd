// Tray hint, texts and menu commands.
#include "app/Unit1.h"

namespace app {

std::u16string TForm1::MinToStr(int32_t) { return {}; }
std::u16string TForm1::ZeroPad(int32_t, int32_t) { return {}; }
std::u16string TForm1::GetVersionText() { return {}; }
void TForm1::TextTrayIcon1MouseMove(ui::TObject*, uint32_t, int32_t, int32_t) {}
void TForm1::N13Click(ui::TObject*) {}
void TForm1::N12Click(ui::TObject*) {}
void TForm1::N11Click(ui::TObject*) {}
void TForm1::N10Click(ui::TObject*) {}
void TForm1::N14Click(ui::TObject*) {}
void TForm1::BuildLanguageMenu() {}
void TForm1::UpdateStateNotify() {}
void TForm1::LanguageItemClick(ui::TObject*) {}

}  // namespace app
