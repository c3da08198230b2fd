// Real playback through SDL's disk driver, which writes the mixed output to a file as it
// plays (S16 stereo, 44100 Hz, at the pace of a real device).
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/linux/Services.h"
#include "tests/platform/TestEnv.h"
#include "ui/Text.h"

namespace {

using platform::BASS_SAMPLE_LOOP;
using platform::BASS_UNICODE;
using namespace std::chrono_literals;

constexpr int kRate = 44100;
constexpr size_t kFrameBytes = 4;  // two 16-bit channels
constexpr size_t kBlockFrames = kRate / 20;  // 50 ms

// A mono 16-bit PCM WAV of a 440 Hz tone.
std::string toneWav(double seconds) {
    uint32_t frames = uint32_t(seconds * kRate), dataBytes = frames * 2;
    std::string w;
    auto u32 = [&](uint32_t v) { w.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { w.append(reinterpret_cast<const char*>(&v), 2); };
    w += "RIFF";
    u32(36 + dataBytes);
    w += "WAVEfmt ";
    u32(16);
    u16(1);  // PCM
    u16(1);
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    w += "data";
    u32(dataBytes);
    for (uint32_t i = 0; i < frames; ++i)
        u16(uint16_t(int16_t(12000 * std::sin(2 * M_PI * 440.0 * i / kRate))));
    return w;
}

class AudioTest : public ::testing::Test {
protected:
    testenv::TempHome home;
    std::string out = home.path() + "/output.raw";
    std::unique_ptr<platform::Audio> audio = platform::linux_::makeAudio();

    void SetUp() override {
        home.env().set("SDL_AUDIODRIVER", "disk");
        home.env().set("SDL_DISKAUDIOFILE", out);
    }

    std::u16string file(const std::string& name, const std::string& bytes) {
        std::string path = home.path() + "/Звуки и мелодии/" + name;
        testenv::writeText(path, bytes);
        return ui::FromUtf8(path);
    }

    // Closes the device (so every buffer reached the file), then tells for each 50 ms of
    // output whether it held sound.
    std::vector<bool> loudBlocks() {
        audio.reset();
        std::string raw = testenv::readText(out);
        std::vector<bool> r;
        for (size_t b = 0; (b + 1) * kBlockFrames * kFrameBytes <= raw.size(); ++b) {
            int peak = 0;
            for (size_t f = 0; f < kBlockFrames * 2; ++f) {
                int16_t v;
                std::memcpy(&v, raw.data() + b * kBlockFrames * kFrameBytes + f * 2, 2);
                peak = std::max(peak, std::abs(int(v)));
            }
            r.push_back(peak > 1000);
        }
        return r;
    }
    static int count(const std::vector<bool>& v) { return int(std::count(v.begin(), v.end(), true)); }
};

TEST_F(AudioTest, WavAndMp3FilesReallySound) {
    struct Case {
        const char* what;
        std::u16string path;
    };
    const Case cases[] = {
        {"wav", file("tone one.wav", toneWav(0.4))},
        {"the default chime", ui::FromUtf8(TOVRA_ALARM_MP3)},
    };
    for (const auto& c : cases) {
        audio = platform::linux_::makeAudio();
        std::remove(out.c_str());
        ASSERT_TRUE(audio->Init(-1, 44100, 0));
        uint32_t h = audio->StreamCreateFile(c.path, 0, 0, BASS_UNICODE);
        ASSERT_NE(h, 0u) << c.what;
        EXPECT_TRUE(audio->ChannelPlay(h, true));
        std::this_thread::sleep_for(500ms);
        audio->ChannelStop(h);
        EXPECT_GE(count(loudBlocks()), 4) << c.what << " left the output silent";
    }
}

TEST_F(AudioTest, LoopingStreamPlaysUntilStopped) {
    auto tone = file("short.wav", toneWav(0.15));
    ASSERT_TRUE(audio->Init(-1, 44100, 0));
    uint32_t h = audio->StreamCreateFile(tone, 0, 0, BASS_UNICODE | BASS_SAMPLE_LOOP);
    ASSERT_NE(h, 0u);
    audio->ChannelPlay(h, true);
    std::this_thread::sleep_for(1200ms);
    EXPECT_TRUE(audio->ChannelStop(h));
    std::size_t atStop = loudBlocks().size();
    std::this_thread::sleep_for(400ms);
    auto blocks = loudBlocks();
    // 0.15 s of tone played once fills about 3 blocks; looped for 1.2 s, over 20.
    EXPECT_GE(count(blocks), 14);
    // Whatever comes out after the stop (nothing, once the idle device is closed) is silence;
    // two blocks of slack for what was already buffered.
    std::size_t from = std::min(blocks.size(), atStop + 2);
    EXPECT_EQ(count(std::vector<bool>(blocks.begin() + long(from), blocks.end())), 0)
        << "still playing";
}

TEST_F(AudioTest, StreamWithoutLoopPlaysOnceAndEnds) {
    auto tone = file("short.wav", toneWav(0.15));
    ASSERT_TRUE(audio->Init(-1, 44100, 0));
    uint32_t h = audio->StreamCreateFile(tone, 0, 0, BASS_UNICODE);
    audio->ChannelPlay(h, true);
    std::this_thread::sleep_for(800ms);
    EXPECT_NO_THROW(audio->ChannelStop(h)) << "stopping a finished stream is harmless";
    int loud = count(loudBlocks());
    EXPECT_GE(loud, 2);
    EXPECT_LE(loud, 6);
}

TEST_F(AudioTest, StopAndPlayAreHarmlessOnBadHandles) {
    ASSERT_TRUE(audio->Init(-1, 44100, 0));
    EXPECT_FALSE(audio->ChannelStop(0));
    EXPECT_FALSE(audio->ChannelPlay(0, true));
    EXPECT_FALSE(audio->ChannelStop(12345));
    EXPECT_EQ(audio->StreamCreateFile(file("not sound.mp3", "just text, no frames"), 0, 0,
                                      BASS_UNICODE), 0u);
    EXPECT_EQ(audio->StreamCreateFile(ui::FromUtf8(home.path() + "/missing.wav"), 0, 0,
                                      BASS_UNICODE), 0u);
    EXPECT_EQ(audio->StreamCreateFile(ui::FromUtf8(home.path()), 0, 0, BASS_UNICODE), 0u);

    auto tone = file("t.wav", toneWav(0.2));
    uint32_t first = audio->StreamCreateFile(tone, 0, 0, BASS_UNICODE);
    audio->ChannelPlay(first, true);
    // The engine's order for a second alert: stop the old stream, then create and play.
    audio->ChannelStop(first);
    EXPECT_FALSE(audio->ChannelStop(first)) << "a second stop finds nothing to stop";
    uint32_t second = audio->StreamCreateFile(tone, 0, 0, BASS_UNICODE);
    EXPECT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_TRUE(audio->ChannelPlay(second, true));
}

TEST_F(AudioTest, PartOfAFileCanBeStreamed) {
    // A WAV stored after 1000 bytes of something else in the same file.
    std::string wav = toneWav(0.4);
    auto path = file("container.bin", std::string(1000, 'x') + wav);
    ASSERT_TRUE(audio->Init(-1, 44100, 0));
    EXPECT_EQ(audio->StreamCreateFile(path, 0, 0, BASS_UNICODE), 0u);
    uint32_t h = audio->StreamCreateFile(path, 1000, wav.size(), BASS_UNICODE);
    ASSERT_NE(h, 0u);
    audio->ChannelPlay(h, true);
    std::this_thread::sleep_for(400ms);
    EXPECT_GE(count(loudBlocks()), 3);
}

TEST_F(AudioTest, FailedDeviceLeavesEverythingSilentAndHarmless) {
    // The libraries load, and the device opens, only on the first sound: that is where each
    // of these shows, the same way.
    struct Case {
        const char* what;
        const char* driver;
        const char* sdl;
        const char* mixer;
    };
    const Case cases[] = {
        {"no such driver", "no-such-driver", "libSDL2-2.0.so.0", "libSDL2_mixer-2.0.so.0"},
        {"no SDL library", "disk", "libSDL2-no-such.so.0", "libSDL2_mixer-2.0.so.0"},
        {"no mixer library", "disk", "libSDL2-2.0.so.0", "libSDL2_mixer-no-such.so.0"},
    };
    auto tone = file("t.wav", toneWav(0.2));
    for (const auto& c : cases) {
        home.env().set("SDL_AUDIODRIVER", c.driver);
        audio = platform::linux_::makeSdlAudio(c.sdl, c.mixer);
        audio->Init(-1, 44100, 0);
        for (int attempt = 0; attempt < 2; ++attempt) {
            uint32_t h = audio->StreamCreateFile(tone, 0, 0, BASS_UNICODE);
            EXPECT_EQ(h, 0u) << c.what;
            EXPECT_FALSE(audio->ChannelPlay(h, true)) << c.what;
            EXPECT_FALSE(audio->ChannelStop(h)) << c.what;
        }
        audio.reset();  // tearing down a service that never started
    }
    // A later, working start in the same process is not spoilt.
    home.env().set("SDL_AUDIODRIVER", "disk");
    audio = platform::linux_::makeAudio();
    ASSERT_TRUE(audio->Init(-1, 44100, 0));
    uint32_t h = audio->StreamCreateFile(tone, 0, 0, BASS_UNICODE);
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(audio->ChannelPlay(h, true));
    std::this_thread::sleep_for(300ms);
    audio->ChannelStop(h);
    EXPECT_GE(count(loudBlocks()), 2);
}

TEST_F(AudioTest, NoSdlLibraryIsMappedUntilTheFirstSound) {
    // A process of its own: this one has loaded SDL in the tests before.
    std::string tone = home.path() + "/probe tone.wav";
    testenv::writeText(tone, toneWav(0.4));
    std::string r = testenv::runCapture({TOVRA_AUDIO_PROBE, tone});
    int ready = -1, atInit = -1, played = -1, atPlay = -1, stopped = -1;
    unsigned handle = 0;
    ASSERT_EQ(std::sscanf(r.c_str(), "init %d %d play %u %d %d stop %d", &ready, &atInit, &handle,
                          &played, &atPlay, &stopped), 6) << r;
    EXPECT_EQ(ready, 1);
    EXPECT_EQ(atInit, 0) << "SDL mapped before anything played";
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(played, 1);
    EXPECT_EQ(atPlay, 1);
    EXPECT_EQ(stopped, 1);
    EXPECT_GE(count(loudBlocks()), 4) << "the lazily loaded library left the output silent";
}

TEST_F(AudioTest, StartingAudioLeavesSignalDispositionsAlone) {
    // At their default, SIGTERM and SIGINT end the program; SDL would catch them for an
    // event queue nobody reads, and the program could no longer be stopped.
    struct sigaction dfl{}, seen{}, oldTerm{}, oldInt{};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    sigaction(SIGTERM, &dfl, &oldTerm);
    sigaction(SIGINT, &dfl, &oldInt);
    ASSERT_TRUE(audio->Init(-1, 44100, 0));
    // SDL starts with the first sound, and again with each sound after the device was let go.
    auto tone = file("t.wav", toneWav(0.1));
    for (int sound = 0; sound < 2; ++sound) {
        uint32_t h = audio->StreamCreateFile(tone, 0, 0, BASS_UNICODE);
        ASSERT_NE(h, 0u);
        audio->ChannelPlay(h, true);
        for (int sig : {SIGTERM, SIGINT}) {
            sigaction(sig, nullptr, &seen);
            EXPECT_EQ(seen.sa_handler, SIG_DFL) << "signal " << sig << " while playing";
        }
        audio->ChannelStop(h);
    }
    audio.reset();
    sigaction(SIGTERM, &oldTerm, nullptr);
    sigaction(SIGINT, &oldInt, nullptr);
}

}  // namespace
