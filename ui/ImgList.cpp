#include "ui/ImgList.h"

#include "ui/ClassBuilder.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace ui {

const TClassInfo& TIcon::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TIcon>(u"TIcon", &TPersistent::StaticClassInfo()).Build();
    return ci;
}

void TIcon::Assign(const TPersistent& Source) {
    if (auto* icon = dynamic_cast<const TIcon*>(&Source)) {
        SetImage(icon->FImage);
        return;
    }
    TPersistent::Assign(Source);
}

void TIcon::SetImage(platform::IconImage image) {
    FImage = std::move(image);
    if (FImage.Pixels.size() != std::size_t(FImage.Width > 0 && FImage.Height > 0
                                                ? FImage.Width * FImage.Height
                                                : 0))
        FImage = {};  // a picture whose pixels do not match its size is no picture
    if (OnChange) OnChange(this);
}

platform::IconImage ScaleImage(const platform::IconImage& src, int width, int height) {
    platform::IconImage out;
    if (src.Width <= 0 || src.Height <= 0 || width <= 0 || height <= 0 ||
        src.Pixels.size() < std::size_t(src.Width * src.Height))
        return out;
    out.Width = width;
    out.Height = height;
    out.Pixels.resize(std::size_t(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.Pixels[std::size_t(y * width + x)] =
                src.Pixels[std::size_t((y * src.Height / height) * src.Width +
                                       x * src.Width / width)];
    return out;
}

const TClassInfo& TImageList::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TImageList>(u"TImageList", &TComponent::StaticClassInfo())
            .Creatable()
            .Build();
    return ci;
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

std::vector<uint8_t> EncodePicture(const platform::IconImage& image) {
    std::vector<uint8_t> out;
    out.reserve(4 + image.Pixels.size() * 4);
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
    };
    put(uint32_t(image.Width), 2);
    put(uint32_t(image.Height), 2);
    for (uint32_t p : image.Pixels) put(p, 4);
    return out;
}

platform::IconImage DecodePicture(const std::vector<uint8_t>& data) {
    if (data.size() < 4) throw EReadError(u"A picture needs at least 4 bytes, not %d",
                                         {(unsigned long long)data.size()});
    auto at = [&](std::size_t i, int bytes) {
        uint32_t v = 0;
        for (int b = 0; b < bytes; ++b) v |= uint32_t(data[i + std::size_t(b)]) << (8 * b);
        return v;
    };
    int w = int(at(0, 2)), h = int(at(2, 2));
    // Sizes are checked before anything is allocated: a wrong count cannot ask for much.
    std::size_t want = 4 + std::size_t(w) * std::size_t(h) * 4;
    if (w == 0 || h == 0) throw EReadError(u"A %dx%d picture has no pixels", {w, h});
    if (data.size() != want)
        throw EReadError(u"A %dx%d picture takes %d bytes, not %d",
                         {w, h, (unsigned long long)want, (unsigned long long)data.size()});
    platform::IconImage img;
    img.Width = w;
    img.Height = h;
    img.Pixels.resize(std::size_t(w) * std::size_t(h));
    for (std::size_t i = 0; i < img.Pixels.size(); ++i) img.Pixels[i] = at(4 + 4 * i, 4);
    return img;
}

bool TImageList::ReadBinaryProperty(const std::u16string& Name, const std::vector<uint8_t>& Data) {
    if (!SameTextAscii(Name, u"Picture")) return TComponent::ReadBinaryProperty(Name, Data);
    platform::IconImage img = DecodePicture(Data);
    if (img.Width != Width() || img.Height != Height())
        throw EReadError(u"Picture %d is %dx%d pixels; the list holds %dx%d",
                         {Count(), img.Width, img.Height, Width(), Height()});
    FImages.push_back(std::move(img));
    return true;
}

int TImageList::Add(const platform::IconImage& image) {
    if (image.Width == Width() && image.Height == Height() &&
        image.Pixels.size() == std::size_t(Width() * Height()))
        FImages.push_back(image);
    else
        FImages.push_back(ScaleImage(image, Width(), Height()));
    return Count() - 1;
}

const platform::IconImage* TImageList::Image(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    return &FImages[std::size_t(Index)];
}

bool TImageList::GetIcon(int Index, TIcon& Icon) const {
    const platform::IconImage* img = Image(Index);
    if (!img) return false;
    Icon.SetImage(*img);
    return true;
}

}  // namespace ui

namespace {
const bool registered = (ui::RegisterClass(ui::TImageList::StaticClassInfo()), true);
}  // namespace
