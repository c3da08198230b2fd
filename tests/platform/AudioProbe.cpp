// Starts the audio service the way the program does and reports, at each step, whether any
// SDL library is mapped into the process; then plays the file given for 400 ms.
// Prints: "init <mapped> play <handle> <played> <mapped> stop <stopped>".
#include <stdio.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/linux/Services.h"
#include "ui/Text.h"

namespace {

bool sdlMapped() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("libSDL2") != std::string::npos) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 64;
    auto audio = platform::linux_::makeAudio();
    bool ready = audio->Init(-1, 44100, 0);
    printf("init %d %d ", int(ready), int(sdlMapped()));
    uint32_t h = audio->StreamCreateFile(ui::FromUtf8(argv[1]), 0, 0, platform::BASS_UNICODE);
    bool played = audio->ChannelPlay(h, true);
    printf("play %u %d %d ", h, int(played), int(sdlMapped()));
    usleep(400 * 1000);
    printf("stop %d\n", int(audio->ChannelStop(h)));
    return 0;
}
