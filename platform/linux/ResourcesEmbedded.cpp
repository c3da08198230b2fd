// Resources compiled into the executable.
#include "platform/linux/Services.h"
#include "resources/Embedded.h"

namespace platform::linux_ {
namespace {
class EmbeddedResources final : public Resources {
public:
    std::optional<std::vector<uint8_t>> FindResource(const std::string& name) override {
        const tovra::res::Blob* b = tovra::res::find(name);
        if (!b) return std::nullopt;
        return std::vector<uint8_t>(b->data, b->data + b->size);
    }
};
}  // namespace

std::unique_ptr<Resources> makeResources() { return std::make_unique<EmbeddedResources>(); }

}  // namespace platform::linux_
