// Costs of the Linux services the cycle engine calls every minute or at each alert.
// Audio runs on SDL's dummy driver; idle time asks whatever DISPLAY / session bus is there.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/linux/Services.h"
#include "ui/Text.h"

namespace {

long rssKiB() {
    std::ifstream f("/proc/self/statm");
    long pages = 0, resident = 0;
    f >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// A 16-bit stereo 44100 Hz WAV of `seconds` of tone: 10 MB per minute.
std::string makeLongWav(int seconds) {
    std::string path = "/tmp/tovra-bench-" + std::to_string(getpid()) + ".wav";
    uint32_t frames = uint32_t(seconds) * 44100, bytes = frames * 4;
    std::ofstream f(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f << "RIFF";
    u32(36 + bytes);
    f << "WAVEfmt ";
    u32(16); u16(1); u16(2); u32(44100); u32(44100 * 4); u16(4); u16(16);
    f << "data";
    u32(bytes);
    for (uint32_t i = 0; i < frames; ++i) {
        auto v = uint16_t(int16_t(8000 * std::sin(i * 0.0627)));
        u16(v);
        u16(v);
    }
    return path;
}

void BM_LastInputTick(benchmark::State& state) {
    auto idle = platform::linux_::makeIdleTime();
    for (auto _ : state) benchmark::DoNotOptimize(idle->LastInputTick());
}
BENCHMARK(BM_LastInputTick)->Unit(benchmark::kMicrosecond);

void BM_AlertStreamOfAlarmMp3(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto audio = platform::linux_::makeAudio();
    if (!audio->Init(-1, 44100, 0)) {
        state.SkipWithError("no audio device");
        return;
    }
    const std::u16string path = ui::FromUtf8(TOVRA_ALARM_MP3);
    for (auto _ : state) {
        uint32_t h = audio->StreamCreateFile(path, 0, 0, platform::BASS_UNICODE);
        audio->ChannelPlay(h, true);
        audio->ChannelStop(h);
    }
}
BENCHMARK(BM_AlertStreamOfAlarmMp3)->Unit(benchmark::kMicrosecond);

// Memory held by a stream of a ten-minute file: the decoder streams, so it stays small
// whatever the file's length.
void BM_MemoryOfLongStream(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string wav = makeLongWav(600);
    auto audio = platform::linux_::makeAudio();
    if (!audio->Init(-1, 44100, 0)) {
        state.SkipWithError("no audio device");
        return;
    }
    long before = rssKiB(), held = 0;
    for (auto _ : state) {
        uint32_t h = audio->StreamCreateFile(ui::FromUtf8(wav), 0, 0, platform::BASS_UNICODE);
        audio->ChannelPlay(h, true);
        held = std::max(held, rssKiB() - before);
        audio->ChannelStop(h);
    }
    state.counters["file_MiB"] = 600.0 * 44100 * 4 / (1024 * 1024);
    state.counters["held_KiB"] = double(held);
    std::remove(wav.c_str());
}
BENCHMARK(BM_MemoryOfLongStream)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // for the session-bus idle sources
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
