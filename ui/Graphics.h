#pragma once
// A picture held as the bytes of an image file (PNG, BMP...); the platform decodes it.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Classes.h"

namespace ui {

class TBitmap : public TPersistent {
    TOVRA_CLASS(TBitmap)
public:
    void Assign(const TPersistent& Source) override;
    const std::vector<uint8_t>& Data() const { return FData; }
    void SetData(std::vector<uint8_t> v);
    bool Empty() const { return FData.empty(); }
    // The embedded resource `name`; false (and empty) when the program carries none.
    bool LoadFromResourceName(const std::string& name);

    TNotifyEvent OnChange;

private:
    std::vector<uint8_t> FData;
};

}  // namespace ui
