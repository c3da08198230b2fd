#pragma once
// Small pictures: an icon picture with a change notice, and a list of 16x16 pictures for menus
// and the tray icon's cycling.
#include <cstdint>
#include <vector>

#include "platform/NotifyArea.h"
#include "ui/Classes.h"

namespace ui {

// An icon picture: colour pixels with alpha (0xAARRGGBB), empty until given one.
class TIcon : public TPersistent {
    TOVRA_CLASS(TIcon)
public:
    void Assign(const TPersistent& Source) override;
    bool Empty() const { return FImage.Width <= 0 || FImage.Height <= 0; }
    int Width() const { return FImage.Width; }
    int Height() const { return FImage.Height; }
    const platform::IconImage& Image() const { return FImage; }
    void SetImage(platform::IconImage image);
    void Clear() { SetImage({}); }
    // What the notification area is handed: the picture, or nothing while it is empty.
    const platform::IconImage* Handle() const { return Empty() ? nullptr : &FImage; }

    TNotifyEvent OnChange;

private:
    platform::IconImage FImage;
};

// The bytes of one picture as a form description carries it: width and height (16 bits each),
// then width x height pixels 0xAARRGGBB (32 bits each), row by row, all little-endian.
std::vector<uint8_t> EncodePicture(const platform::IconImage& image);
// EReadError for bytes that are not such a picture (short, long, or a side of 0).
platform::IconImage DecodePicture(const std::vector<uint8_t>& data);

// A form description fills the list through the binary property "Picture", once per picture,
// in index order; each must be 16x16.
class TImageList : public TComponent {
    TOVRA_CLASS(TImageList)
public:
    explicit TImageList(TComponent* AOwner);
    bool ReadBinaryProperty(const std::u16string& Name, const std::vector<uint8_t>& Data) override;
    int Width() const { return 16; }
    int Height() const { return 16; }
    int Count() const { return int(FImages.size()); }
    // Pictures of another size are scaled to 16x16 (nearest pixel). Answers the new index.
    int Add(const platform::IconImage& image);
    void Clear() { FImages.clear(); }
    // False (and `Icon` untouched) for an index out of range.
    bool GetIcon(int Index, TIcon& Icon) const;
    const platform::IconImage* Image(int Index) const;

private:
    std::vector<platform::IconImage> FImages;
};

// Nearest-pixel scaling; an empty source gives an empty picture.
platform::IconImage ScaleImage(const platform::IconImage& src, int width, int height);

}  // namespace ui
