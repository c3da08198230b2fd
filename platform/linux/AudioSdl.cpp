// Alert sounds on SDL2_mixer. A "stream" is a decoder on one file; the program plays one
// at a time on the mixer's music channel, which decodes while it plays instead of loading
// the whole file into memory (a sound file can be an hour of music).
//
// Nothing of SDL is linked into the program: most runs never sound an alert before the next
// one is due, and SDL with its sound servers' libraries is about 1.5 MiB of mappings and a
// few ms of start-up. The libraries are loaded on the first sound, the audio subsystem runs
// only while a sound is loaded, and a library that cannot be loaded is a missing device.
#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/linux/PosixPaths.h"
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {

constexpr int kChannels = 2;
constexpr int kChunkFrames = 2048;  // about 46 ms at 44100 Hz: alerts need no low latency

// The calls used, resolved from the loaded libraries. The declarations of the headers give
// the types; calling one of them directly would fail to link, which keeps this table whole.
struct SdlApi {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_GetAudioDeviceName) GetAudioDeviceName;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&Mix_Init) MixInit;
    decltype(&Mix_OpenAudioDevice) MixOpenAudioDevice;
    decltype(&Mix_CloseAudio) MixCloseAudio;
    decltype(&Mix_LoadMUS) MixLoadMUS;
    decltype(&Mix_LoadMUS_RW) MixLoadMUS_RW;
    decltype(&Mix_FreeMusic) MixFreeMusic;
    decltype(&Mix_PlayMusic) MixPlayMusic;
    decltype(&Mix_HaltMusic) MixHaltMusic;
    decltype(&Mix_PlayingMusic) MixPlayingMusic;
};

template <class F>
bool resolve(void* lib, const char* name, F& fn) {
    fn = reinterpret_cast<F>(dlsym(lib, name));
    return fn != nullptr;
}

// The table for this pair of libraries, loaded once per process and never unloaded (SDL keeps
// process-wide state); null when a library or a call is missing. A failure is tried again on
// the next sound, so a library installed meanwhile is found.
const SdlApi* loadSdl(const std::string& sdlName, const std::string& mixerName) {
    static std::mutex lock;
    static std::map<std::pair<std::string, std::string>, SdlApi> loaded;
    std::lock_guard<std::mutex> hold(lock);
    auto key = std::make_pair(sdlName, mixerName);
    if (auto it = loaded.find(key); it != loaded.end()) return &it->second;
    void* sdl = dlopen(sdlName.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* mix = sdl ? dlopen(mixerName.c_str(), RTLD_NOW | RTLD_LOCAL) : nullptr;
    SdlApi a{};
    bool ok = mix && resolve(sdl, "SDL_SetHint", a.SetHint) &&
              resolve(sdl, "SDL_InitSubSystem", a.InitSubSystem) &&
              resolve(sdl, "SDL_QuitSubSystem", a.QuitSubSystem) &&
              resolve(sdl, "SDL_GetAudioDeviceName", a.GetAudioDeviceName) &&
              resolve(sdl, "SDL_RWFromConstMem", a.RWFromConstMem) &&
              resolve(mix, "Mix_Init", a.MixInit) &&
              resolve(mix, "Mix_OpenAudioDevice", a.MixOpenAudioDevice) &&
              resolve(mix, "Mix_CloseAudio", a.MixCloseAudio) &&
              resolve(mix, "Mix_LoadMUS", a.MixLoadMUS) &&
              resolve(mix, "Mix_LoadMUS_RW", a.MixLoadMUS_RW) &&
              resolve(mix, "Mix_FreeMusic", a.MixFreeMusic) &&
              resolve(mix, "Mix_PlayMusic", a.MixPlayMusic) &&
              resolve(mix, "Mix_HaltMusic", a.MixHaltMusic) &&
              resolve(mix, "Mix_PlayingMusic", a.MixPlayingMusic);
    if (!ok) {
        if (mix) dlclose(mix);
        if (sdl) dlclose(sdl);
        return nullptr;
    }
    // SDL would otherwise take SIGINT and SIGTERM for its own event queue, which nobody
    // reads here: the program could no longer be ended by a signal.
    a.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    a.SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "QV Tovra");
    return &loaded.emplace(key, a).first->second;
}

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
    SdlAudio(std::string sdlName, std::string mixerName)
        : FSdlName(std::move(sdlName)), FMixerName(std::move(mixerName)) {}

    ~SdlAudio() override {
        if (!FSdl) return;
        if (FOpen) FSdl->MixHaltMusic();
        for (auto& [h, s] : FStreams) FSdl->MixFreeMusic(s.music);
        FStreams.clear();
        stopIfIdle();
    }

    // Only what needs no library is checked here; whether a device plays shows on the first
    // sound, which fails as a missing device does.
    bool Init(int device, uint32_t freq, uint32_t) override {
        if (FReady) return true;
        if (device == 0 || device < -1) return false;
        FFreq = freq ? int(freq) : 44100;
        if (device > 0) {
            // A device chosen by number: its name is asked of SDL once, now.
            if (!start()) return false;
            const char* name = FSdl->GetAudioDeviceName(device - 1, 0);
            FName = name ? name : "";
            stopIfIdle();
            if (!name) return false;
        }
        FReady = true;
        return true;
    }

    uint32_t StreamCreateFile(const std::u16string& path, uint64_t offset, uint64_t length,
                              uint32_t flags) override {
        if (!FReady || path.empty()) return 0;
        if (FSdl) releaseFinished();
        if (!openDevice()) {
            stopIfIdle();
            return 0;
        }
        uint32_t h = createStream(path, offset, length, flags);
        if (h == 0) stopIfIdle();
        return h;
    }

    bool ChannelPlay(uint32_t handle, bool restart) override {
        auto it = FStreams.find(handle);
        if (!FReady || it == FStreams.end()) return false;
        if (!restart && handle == FPlaying && FSdl->MixPlayingMusic()) return true;
        // Loops: -1 forever, 0 once.
        if (FSdl->MixPlayMusic(it->second.music, it->second.loop ? -1 : 0) != 0) return false;
        it->second.started = true;
        FPlaying = handle;
        return true;
    }

    bool ChannelStop(uint32_t handle) override {
        auto it = FStreams.find(handle);
        if (!FReady || handle == 0 || it == FStreams.end()) return false;
        if (handle == FPlaying) {
            FSdl->MixHaltMusic();
            FPlaying = 0;
        }
        // A stopped stream is never played again by the program: release its decoder and
        // file now rather than keeping one per alert for as long as the program runs.
        FSdl->MixFreeMusic(it->second.music);
        FStreams.erase(it);
        stopIfIdle();
        return true;
    }

private:
    uint32_t createStream(const std::u16string& path, uint64_t offset, uint64_t length,
                          uint32_t flags) {
        Stream s;
        s.loop = (flags & BASS_SAMPLE_LOOP) != 0;
        std::string native = toNative(path);
        if (offset == 0 && length == 0) {
            struct stat st{};
            // Only regular files: a FIFO or a device would block the GUI thread.
            if (stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
            s.music = FSdl->MixLoadMUS(native.c_str());
        } else {
            auto bytes = readRange(native, offset, length);
            if (!bytes) return 0;
            s.bytes = std::move(*bytes);
            SDL_RWops* rw = FSdl->RWFromConstMem(s.bytes.data(), int(s.bytes.size()));
            if (rw) s.music = FSdl->MixLoadMUS_RW(rw, 1);
        }
        if (!s.music) return 0;
        if (++FLast == 0) ++FLast;
        // The vector's buffer does not move when the Stream does.
        FStreams.emplace(FLast, std::move(s));
        return FLast;
    }

    // Loads the libraries when first needed and starts SDL's audio subsystem.
    bool start() {
        if (FStarted) return true;
        if (!FSdl && !(FSdl = loadSdl(FSdlName, FMixerName))) return false;
        if (FSdl->InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        // Whatever decoders are missing only make those files fail to open.
        FSdl->MixInit(MIX_INIT_MP3);
        FStarted = true;
        return true;
    }

    bool openDevice() {
        if (FOpen) return true;
        if (!start()) return false;
        FOpen = FSdl->MixOpenAudioDevice(FFreq, AUDIO_S16SYS, kChannels, kChunkFrames,
                                      FName.empty() ? nullptr : FName.c_str(), 0) == 0;
        return FOpen;
    }

    // An open device keeps SDL's mixing thread waking many times a second, and some drivers
    // watch for new devices while the subsystem runs: both go when no sound is loaded.
    void stopIfIdle() {
        if (!FStreams.empty()) return;
        if (FOpen) {
            FSdl->MixCloseAudio();
            FOpen = false;
        }
        if (FStarted) {
            FSdl->QuitSubSystem(SDL_INIT_AUDIO);
            FStarted = false;
        }
    }

    // Streams that played to their end, or were cut off by a later one, and were never stopped.
    void releaseFinished() {
        bool playing = FOpen && FSdl->MixPlayingMusic() != 0;
        for (auto it = FStreams.begin(); it != FStreams.end();) {
            if (it->second.started && (it->first != FPlaying || !playing)) {
                if (it->first == FPlaying) FPlaying = 0;
                FSdl->MixFreeMusic(it->second.music);
                it = FStreams.erase(it);
            } else {
                ++it;
            }
        }
    }

    std::string FSdlName, FMixerName;
    const SdlApi* FSdl = nullptr;  // loaded on the first sound
    bool FReady = false;    // Init succeeded
    bool FStarted = false;  // SDL's audio subsystem runs
    bool FOpen = false;     // the output device is open
    int FFreq = 44100;
    std::string FName;  // empty: the default output
    std::map<uint32_t, Stream> FStreams;
    uint32_t FLast = 0;
    uint32_t FPlaying = 0;
};

}  // namespace

std::unique_ptr<Audio> makeAudio() {
    return makeSdlAudio("libSDL2-2.0.so.0", "libSDL2_mixer-2.0.so.0");
}

std::unique_ptr<Audio> makeSdlAudio(const std::string& sdlLibrary,
                                    const std::string& mixerLibrary) {
    return std::make_unique<SdlAudio>(sdlLibrary, mixerLibrary);
}

}  // namespace platform::linux_
