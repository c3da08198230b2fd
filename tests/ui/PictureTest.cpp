// Pictures written into a form description: what the reader makes of them, and what it refuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "ui/Exceptions.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Text.h"

namespace {

using namespace ui;

// A form with one image list whose pictures are `body` (already indented lines).
std::string listForm(const std::string& body) {
    return "object Form1: TForm\n  object ImageList1: TImageList\n" + body + "  end\nend\n";
}

// A picture block of `rows`, with the given palette lines in front.
std::string picture(const std::string& palette, const std::vector<std::string>& rows) {
    std::string s = "    Picture = picture\n" + palette;
    for (auto& r : rows) s += "      \"" + r + "\"\n";
    return s + "    end\n";
}

std::vector<std::string> blank(int n = 16, int width = 16) {
    return std::vector<std::string>(std::size_t(n), std::string(std::size_t(width), '.'));
}

const std::string kPalette =
    "      \".\" = None\n      \"k\" = $FF102030\n      \"r\" = 0x80FF0000  # half-covering red\n";

class PictureTest : public ::testing::Test {
protected:
    TImageList* list() { return dynamic_cast<TImageList*>(form->FindComponent(u"ImageList1")); }
    platform::fake::FakePlatform fp;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
};

TEST_F(PictureTest, RowsAndPaletteGiveExactPixelsInOrder) {
    auto first = blank();
    first[0] = "kr..............";
    first[15] = "...............k";
    auto second = blank();
    second[7][8] = 'r';
    ReadComponentUtf8(*form, listForm(picture(kPalette, first) + "    # the second\n" +
                                      picture(kPalette, second)));
    ASSERT_NE(list(), nullptr);
    ASSERT_EQ(list()->Count(), 2);
    const platform::IconImage* a = list()->Image(0);
    ASSERT_EQ(a->Width, 16);
    ASSERT_EQ(a->Height, 16);
    ASSERT_EQ(a->Pixels.size(), 256u);
    EXPECT_EQ(a->Pixels[0], 0xFF102030u);
    EXPECT_EQ(a->Pixels[1], 0x80FF0000u);
    EXPECT_EQ(a->Pixels[2], 0u);  // transparent
    EXPECT_EQ(a->Pixels[255], 0xFF102030u);
    EXPECT_EQ(a->Pixels[240], 0u);
    const platform::IconImage* b = list()->Image(1);
    for (std::size_t i = 0; i < 256; ++i)
        EXPECT_EQ(b->Pixels[i], i == 7 * 16 + 8 ? 0x80FF0000u : 0u) << i;

    // The bytes a picture becomes read back as the same picture, also as a hex block.
    std::vector<uint8_t> bytes = EncodePicture(*a);
    EXPECT_EQ(bytes.size(), 4u + 256u * 4u);
    EXPECT_EQ(DecodePicture(bytes).Pixels, a->Pixels);
    std::string hex;
    for (uint8_t c : bytes) hex += "0123456789ABCDEF"[c >> 4], hex += "0123456789ABCDEF"[c & 15];
    auto again = std::make_unique<TForm>(nullptr);
    ReadComponentUtf8(*again, listForm("    Picture = {" + hex + "}\n"));
    auto* l = dynamic_cast<TImageList*>(again->FindComponent(u"ImageList1"));
    ASSERT_EQ(l->Count(), 1);
    EXPECT_EQ(l->Image(0)->Pixels, a->Pixels);
}

TEST_F(PictureTest, BadPicturesAreRefusedWithTheirLineAndLeaveNothing) {
    auto shortRow = blank();
    shortRow[2] = "...";
    auto unknown = blank();
    unknown[4][9] = 'z';
    std::string many;
    for (int i = 0; i < 65; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "\\u%04X", 0x100 + i);  // one UTF-16 unit each
        many += "      \"" + std::string(key) + "\" = 0\n";
    }
    struct Case {
        std::string text;
        const char* message;
    };
    // Line numbers: 1 object Form1, 2 object ImageList1, 3 Picture, 4.. palette and rows.
    const Case cases[] = {
        {listForm(picture(kPalette, shortRow)), "Line 9: Picture row 3 has 3 pixels, not 16"},
        {listForm(picture(kPalette, unknown)),
         "Line 11: Picture row 5, column 10: \"z\" is not in the palette"},
        {listForm(picture("      \"kk\" = 0\n", blank())),
         "Line 4: Picture: a palette entry is one character, not \"kk\""},
        {listForm(picture("      \".\" = 0\n      \".\" = 1\n", blank())),
         "Line 5: Picture: \".\" is in the palette twice"},
        {listForm(picture("      \".\" = clRed\n", blank())),
         "Line 4: Picture: a colour $AARRGGBB or None expected"},
        {listForm(picture("      \".\" = $1FFFFFFFF\n", blank())),
         "Line 4: Picture: $1FFFFFFFF is not a colour $AARRGGBB"},
        {listForm(picture("      \".\" = -1\n", blank())),
         "Line 4: Picture: -1 is not a colour $AARRGGBB"},
        {listForm("    Picture = picture\n      \".\" = 0\n      \"..\"\n      \"k\" = 0\n    end\n"),
         "Line 6: Picture: the palette comes before the rows"},
        {listForm("    Picture = picture\n      \".\" = 0\n    end\n"), "Line 3: Picture without rows"},
        {listForm("    Picture = picture\n      \".\" = 0\n      \"\"\n    end\n"),
         "Line 5: Picture: a row has 1 to 256 pixels, not 0"},
        {listForm(picture("      \".\" = 0\n", blank(1, 257))),
         "Line 5: Picture: a row has 1 to 256 pixels, not 257"},
        {listForm(picture("      \".\" = 0\n", blank(257, 1))), "Line 261: Picture: more than 256 rows"},
        {listForm(picture(many, blank())), "Line 68: Picture: more than 64 palette entries"},
        {listForm("    Picture = picture\n      \".\" = 0\n      12\n    end\n"),
         "Line 5: Picture: a palette entry or a row in quotes expected"},
        {"object Form1: TForm\n  object ImageList1: TImageList\n    Picture = picture\n"
         "      \".\" = 0\n      \"..\"\n",
         "Line 6: 'end' of the picture expected"},
        // The list takes its own size only.
        {listForm(picture("      \".\" = 0\n", blank(8, 8))),
         "Line 3: Picture: Picture 0 is 8x8 pixels; the list holds 16x16"},
        // Hex bytes are checked before anything is made of them: a huge size asks for nothing.
        {listForm("    Picture = {FFFF FFFF 00000000}\n"),
         "Line 3: Picture: A 65535x65535 picture takes 17179344904 bytes, not 8"},
        {listForm("    Picture = {100010}\n"), "Line 3: Picture: A picture needs at least 4 bytes, not 3"},
        {listForm("    Picture = {0000 1000}\n"), "Line 3: Picture: A 0x16 picture has no pixels"},
        {listForm("    Pictures = {00}\n"), "Line 3: Unknown binary property Pictures of TImageList"},
    };
    for (const Case& c : cases) {
        try {
            ReadComponentUtf8(*form, c.text);
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const EReadError& e) {
            EXPECT_EQ(ToUtf8(e.Message()), c.message);
        }
        EXPECT_EQ(form->ComponentCount(), 0) << c.text;
    }
}

}  // namespace
