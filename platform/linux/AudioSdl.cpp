// Placeholder until the real service lands: does nothing, reports failure where it can.
#include "platform/linux/Services.h"

namespace platform::linux_ {
namespace {
class StubAudio final : public Audio {
public:
    bool Init(int, uint32_t, uint32_t) override { return false; }
    uint32_t StreamCreateFile(const std::u16string&, uint64_t, uint64_t, uint32_t) override { return 0; }
    bool ChannelPlay(uint32_t, bool) override { return false; }
    bool ChannelStop(uint32_t) override { return false; }
};
}  // namespace

std::unique_ptr<Audio> makeAudio() { return std::make_unique<StubAudio>(); }

}  // namespace platform::linux_
