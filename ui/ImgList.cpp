#include "ui/ImgList.h"

#include "ui/ClassBuilder.h"

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
