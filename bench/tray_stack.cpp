// Our own tray stack with nothing of the program around it: the Linux platform, a text tray
// icon showing the minutes, and a one-minute tick that counts them down. Measured beside the
// floor, it separates what the tray layer costs from what the program adds.
#include <QApplication>
#include <string>

#include "platform/linux/LinuxPlatform.h"
#include "tray/TextTrayIcon.h"
#include "ui/Timer.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::linux_::LinuxPlatform p;
    ui::TComponent owner(nullptr);
    auto* icon = new tray::TTextTrayIcon(&owner);
    icon->SetColor(ui::clWhite);
    // The program's own face: the built-in raster font.
    icon->Font()->SetName(u"Small Fonts");
    icon->Font()->SetHeight(-9);
    icon->SetText(u"45");
    icon->SetIconVisible(true);
    int minutes = 45;
    auto* tick = new ui::TTimer(&owner);
    tick->SetInterval(60000);  // ms: one minute per tick
    tick->OnTimer = [&](ui::TObject*) {
        minutes = minutes > 1 ? minutes - 1 : 45;
        std::string s = std::to_string(minutes);
        icon->SetText(std::u16string(s.begin(), s.end()));
    };
    tick->SetEnabled(true);
    p.loop().OnEndRequest([&] { p.loop().Quit(0); });
    return p.loop().Run();
}
