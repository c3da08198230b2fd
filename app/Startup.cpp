// Start-up and shut-down of the main window.
#include "app/Unit1.h"

namespace app {

void TForm1::FormCreate(ui::TObject*) {}
void TForm1::FormDestroy(ui::TObject*) {}
std::u16string TForm1::GetSpecialFolderPath(int) { return {}; }

}  // namespace app
