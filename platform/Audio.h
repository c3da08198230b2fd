#pragma once
// Playing MP3 and WAV files: the four calls the alert sound relies on.
#include <cstdint>
#include <string>

namespace platform {

constexpr uint32_t BASS_SAMPLE_LOOP = 4, BASS_UNICODE = 0x80000000;

class Audio {
public:
    virtual ~Audio() = default;
    // device -1: the default output. False: playback impossible.
    virtual bool Init(int device, uint32_t freq, uint32_t flags) = 0;
    // 0 on failure. flags: BASS_UNICODE, BASS_SAMPLE_LOOP.
    virtual uint32_t StreamCreateFile(const std::u16string& path, uint64_t offset, uint64_t length,
                                      uint32_t flags) = 0;
    virtual bool ChannelPlay(uint32_t handle, bool restart) = 0;
    // Harmless on 0, stopped or finished handles.
    virtual bool ChannelStop(uint32_t handle) = 0;
};

}  // namespace platform
