// The alert sound: MP3 and WAV files through the audio library, everything else (and every
// file when the user prefers it) through the program the desktop associates with the file.
#include "app/Unit1.h"
#include "platform/Platform.h"
#include "ui/StdCtrls.h"
#include "ui/Text.h"

namespace app {

namespace {

// The extension of the file name, dot included; empty when the name has none. Dots in folder
// names do not count.
std::u16string ExtractFileExt(const std::u16string& path) {
    const auto slash = path.find_last_of(u'/');
    const auto dot = path.find_last_of(u'.');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash)) return {};
    return path.substr(dot);
}

}  // namespace

void TForm1::PlayAlertSound(const std::u16string& file) {
    auto& p = platform::thePlatform();
    if (file.empty() || !p.fileSystem().FileExists(file)) return;
    if (!CheckBox1->Checked()) {
        const std::u16string ext = ui::UpperAscii(ExtractFileExt(file));
        if (ext == u".MP3" || ext == u".WAV") {
            PlayMusic(file, CheckBox2->Checked());
            return;
        }
    }
    // Not tracked: the program opened keeps running after the switch.
    p.shell().ShellExecute(file, platform::SW_RESTORE);
}

void TForm1::PlayMusic(const std::u16string& filename, bool loop) {
    if (!AudioAvailable) return;
    auto& audio = platform::thePlatform().audio();
    audio.ChannelStop(strs);
    // 0 (the file could not be opened) plays nothing and stops harmlessly later.
    strs = audio.StreamCreateFile(filename, 0, 0,
                                  platform::BASS_UNICODE | (loop ? platform::BASS_SAMPLE_LOOP : 0));
    audio.ChannelPlay(strs, true);
}

void TForm1::StopMusic() {
    if (AudioAvailable) platform::thePlatform().audio().ChannelStop(strs);
}

}  // namespace app
