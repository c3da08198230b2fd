// Loading and saving tovra.ini.
#include "app/Unit1.h"

namespace app {

void TForm1::LoadSettings() {}
void TForm1::SaveSettings() {}

}  // namespace app
