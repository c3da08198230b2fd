// Alert sounds on SDL2_mixer. A "stream" is a decoder on one file; the program plays one
// at a time on the mixer's music channel, which decodes while it plays instead of loading
// the whole file into memory (a sound file can be an hour of music).
#include <SDL.h>
#include <SDL_mixer.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "platform/linux/PosixPaths.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

constexpr int kChannels = 2;
constexpr int kChunkFrames = 2048;  // about 46 ms at 44100 Hz: alerts need no low latency

struct Stream {
    Mix_Music* music = nullptr;
    std::vector<uint8_t> bytes;  // a part of a file, when only a part was asked for
    bool loop = false;
    bool started = false;
};

std::optional<std::vector<uint8_t>> readRange(const std::string& path, uint64_t offset,
                                              uint64_t length) {
    Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st{};
    if (!fd || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    uint64_t size = uint64_t(st.st_size);
    if (offset >= size) return std::nullopt;
    uint64_t n = length == 0 ? size - offset : std::min(length, size - offset);
    std::vector<uint8_t> data(static_cast<size_t>(n));
    size_t got = 0;
    while (got < data.size()) {
        ssize_t r = pread(fd.get(), data.data() + got, data.size() - got, off_t(offset + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return std::nullopt;
        got += size_t(r);
    }
    return data;
}

class SdlAudio final : public Audio {
public:
    ~SdlAudio() override {
        if (!FReady) return;
        Mix_HaltMusic();
        for (auto& [h, s] : FStreams) Mix_FreeMusic(s.music);
        FStreams.clear();
        if (FOpen) Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Init(int device, uint32_t freq, uint32_t) override {
        if (FReady) return true;
        // SDL would otherwise take SIGINT and SIGTERM for its own event queue, which
        // nobody reads here: the program could no longer be ended by a signal.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "QV Tovra");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        const char* name = nullptr;  // device -1: the default output
        if (device == 0 || device < -1) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        if (device > 0 && !(name = SDL_GetAudioDeviceName(device - 1, 0))) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        FFreq = freq ? int(freq) : 44100;
        FName = name ? name : "";
        // Whatever decoders are missing only make those files fail to open.
        Mix_Init(MIX_INIT_MP3);
        if (!openDevice()) {
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        FReady = true;
        // An open device keeps SDL's mixing thread waking many times a second all day; it is
        // opened again only while a sound is loaded.
        closeDeviceIfIdle();
        return true;
    }

    uint32_t StreamCreateFile(const std::u16string& path, uint64_t offset, uint64_t length,
                              uint32_t flags) override {
        if (!FReady || path.empty()) return 0;
        releaseFinished();
        if (!openDevice()) return 0;
        uint32_t h = createStream(path, offset, length, flags);
        if (h == 0) closeDeviceIfIdle();
        return h;
    }

    uint32_t createStream(const std::u16string& path, uint64_t offset, uint64_t length,
                          uint32_t flags) {
        Stream s;
        s.loop = (flags & BASS_SAMPLE_LOOP) != 0;
        std::string native = toNative(path);
        if (offset == 0 && length == 0) {
            struct stat st{};
            // Only regular files: a FIFO or a device would block the GUI thread.
            if (stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
            s.music = Mix_LoadMUS(native.c_str());
        } else {
            auto bytes = readRange(native, offset, length);
            if (!bytes) return 0;
            s.bytes = std::move(*bytes);
            SDL_RWops* rw = SDL_RWFromConstMem(s.bytes.data(), int(s.bytes.size()));
            if (rw) s.music = Mix_LoadMUS_RW(rw, 1);
        }
        if (!s.music) return 0;
        if (++FLast == 0) ++FLast;
        // The vector's buffer does not move when the Stream does.
        FStreams.emplace(FLast, std::move(s));
        return FLast;
    }

    bool ChannelPlay(uint32_t handle, bool restart) override {
        auto it = FStreams.find(handle);
        if (!FReady || it == FStreams.end()) return false;
        if (!restart && handle == FPlaying && Mix_PlayingMusic()) return true;
        // Loops: -1 forever, 0 once.
        if (Mix_PlayMusic(it->second.music, it->second.loop ? -1 : 0) != 0) return false;
        it->second.started = true;
        FPlaying = handle;
        return true;
    }

    bool ChannelStop(uint32_t handle) override {
        auto it = FStreams.find(handle);
        if (!FReady || handle == 0 || it == FStreams.end()) return false;
        if (handle == FPlaying) {
            Mix_HaltMusic();
            FPlaying = 0;
        }
        // A stopped stream is never played again by the program: release its decoder and
        // file now rather than keeping one per alert for as long as the program runs.
        Mix_FreeMusic(it->second.music);
        FStreams.erase(it);
        closeDeviceIfIdle();
        return true;
    }

private:
    bool openDevice() {
        if (FOpen) return true;
        FOpen = Mix_OpenAudioDevice(FFreq, AUDIO_S16SYS, kChannels, kChunkFrames,
                                    FName.empty() ? nullptr : FName.c_str(), 0) == 0;
        return FOpen;
    }

    void closeDeviceIfIdle() {
        if (FOpen && FStreams.empty()) {
            Mix_CloseAudio();
            FOpen = false;
        }
    }

    // Streams that played to their end, or were cut off by a later one, and were never stopped.
    void releaseFinished() {
        bool playing = Mix_PlayingMusic() != 0;
        for (auto it = FStreams.begin(); it != FStreams.end();) {
            if (it->second.started && (it->first != FPlaying || !playing)) {
                if (it->first == FPlaying) FPlaying = 0;
                Mix_FreeMusic(it->second.music);
                it = FStreams.erase(it);
            } else {
                ++it;
            }
        }
    }

    bool FReady = false;
    bool FOpen = false;  // the output device is open
    int FFreq = 44100;
    std::string FName;  // empty: the default output
    std::map<uint32_t, Stream> FStreams;
    uint32_t FLast = 0;
    uint32_t FPlaying = 0;
};

}  // namespace

std::unique_ptr<Audio> makeAudio() { return std::make_unique<SdlAudio>(); }

}  // namespace platform::linux_
