#include "ui/Graphics.h"

#include "platform/Platform.h"
#include "ui/ClassBuilder.h"

namespace ui {

const TClassInfo& TBitmap::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TBitmap>(u"TBitmap", &TPersistent::StaticClassInfo()).Build();
    return ci;
}

void TBitmap::Assign(const TPersistent& Source) {
    auto* b = dynamic_cast<const TBitmap*>(&Source);
    if (!b) return TPersistent::Assign(Source);
    SetData(b->FData);
}

void TBitmap::SetData(std::vector<uint8_t> v) {
    if (v == FData) return;
    FData = std::move(v);
    if (OnChange) OnChange(this);
}

bool TBitmap::LoadFromResourceName(const std::string& name) {
    auto data = platform::thePlatform().resources().FindResource(name);
    SetData(data ? std::move(*data) : std::vector<uint8_t>{});
    return data.has_value();
}

}  // namespace ui
