// The profile-file contract over file text: lookups, buffer sizes, and changes that keep
// every line they do not touch.
#include <gtest/gtest.h>

#include "platform/ProfileFiles.h"
#include "platform/linux/ProfileText.h"
#include "ui/Text.h"

namespace platform::profile {
namespace {

std::string u8(std::u16string_view s) { return ui::ToUtf8(s); }

// The read contract with a buffer of `size` characters; the text up to `n`, NULs shown as '|'.
struct Answer {
    uint32_t n;
    std::string text;
};
Answer get(const std::string* file, const char16_t* section, const char16_t* key,
           const char16_t* def, uint32_t size) {
    std::u16string buf(size + 4, u'#');
    uint32_t n = GetString(file, section, key, def, buf.data(), size);
    std::u16string shown = buf.substr(0, size);
    for (auto& c : shown)
        if (c == 0) c = u'|';
    return {n, u8(shown)};
}

TEST(ProfileTextTest, ValuesAreTrimmedUnquotedAndMatchedIgnoringCase) {
    const std::string file =
        "\xEF\xBB\xBF; comment=not a key\r\n"
        "  [ Work ]  trailing text\r\n"
        "Time = 45 \r\n"
        "Msg=\"  quoted  \"\r\n"
        "Single='x'\r\n"
        "Uneven=\"x'\r\n"
        "One=\"\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        "Dup=first\r\n"
        "dup=second\r\n"
        "Юникод=Значение\r\n"
        "[work]\r\n"
        "Time=99\r\n"
        "[Other]\r\n"
        "Time=15";
    struct Case {
        const char16_t *section, *key;
        std::string value;
    } cases[] = {
        {u"Work", u"Time", "45"},       {u"WORK", u"time", "45"},     {u" Work ", u" Time ", "45"},
        {u"Work", u"Msg", "  quoted  "}, {u"Work", u"Single", "x"},   {u"Work", u"Uneven", "\"x'"},
        {u"Work", u"One", "\""},        {u"Work", u"Empty", ""},      {u"Work", u"Dup", "first"},
        {u"Work", u"юНИКОД", "Значение"}, {u"Other", u"Time", "15"},  {u"Work", u"NoEquals", "dflt"},
        {u"Work", u"; comment", "dflt"}, {u"Missing", u"Time", "dflt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(get(&file, c.section, c.key, u"dflt", 100).text.substr(0, c.value.size()),
                  c.value)
            << u8(c.section) << "/" << u8(c.key);
    const std::string keys = "Time|Msg|Single|Uneven|One|Empty|Dup|dup|Юникод||";
    EXPECT_EQ(get(&file, u"Work", nullptr, nullptr, 100).text.substr(0, keys.size()), keys);
    EXPECT_EQ(get(&file, nullptr, nullptr, nullptr, 100).text.substr(0, 12), "Work|Other||");
}

TEST(ProfileTextTest, BufferSizeRules) {
    const std::string file = "[S]\nKey=abcdef\nK2=x\n[T]\n";
    struct Case {
        const char16_t *section, *key, *def;
        uint32_t size, n;
        std::string text;
    } cases[] = {
        {u"S", u"Key", nullptr, 100, 6, "abcdef|"},
        {u"S", u"Key", nullptr, 7, 6, "abcdef|"},
        {u"S", u"Key", nullptr, 4, 3, "abc|"},
        {u"S", u"Key", nullptr, 1, 0, "|"},
        {u"S", u"Missing", u"dflt  ", 100, 4, "dflt|"},
        {u"S", u"Missing", u"dflt", 3, 2, "df|"},
        {u"S", u"Missing", nullptr, 10, 0, "|"},
        {u"S", nullptr, nullptr, 100, 7, "Key|K2||"},
        {u"S", nullptr, nullptr, 8, 7, "Key|K2||"},
        {u"S", nullptr, nullptr, 7, 5, "Key|K||"},
        {u"S", nullptr, nullptr, 5, 3, "Key||"},
        {u"S", nullptr, nullptr, 2, 0, "||"},
        {u"T", nullptr, nullptr, 10, 0, "||"},
        {nullptr, nullptr, nullptr, 100, 4, "S|T||"},
        {nullptr, nullptr, nullptr, 4, 2, "S|||"},
    };
    for (const auto& c : cases) {
        Answer a = get(&file, c.section, c.key, c.def, c.size);
        EXPECT_EQ(a.n, c.n) << c.size << " " << c.text;
        EXPECT_EQ(a.text.substr(0, c.text.size()), c.text) << c.size;
    }
    EXPECT_EQ(get(nullptr, u"S", u"Key", u"none", 10).text.substr(0, 5), "none|");
    EXPECT_EQ(get(nullptr, u"S", nullptr, nullptr, 10).n, 0u);
    EXPECT_EQ(get(nullptr, nullptr, nullptr, nullptr, 10).n, 0u);
    std::u16string untouched(4, u'#');
    EXPECT_EQ(GetString(&file, u"S", u"Key", nullptr, untouched.data(), 0), 0u);
    EXPECT_EQ(untouched, u"####");
}

TEST(ProfileTextTest, ChangesKeepEveryOtherLineByteForByte) {
    const std::string original =
        "; settings\r\n"
        "[Work]\r\n"
        "Time = 45\r\n"
        "\r\n"
        "; about rest\r\n"
        "[Rest]\r\n"
        "Time=15\r\n"
        "junk line\r\n"
        "[Unknown]\r\n"
        "x=1";
    struct Case {
        const char16_t *section, *key, *value;
        bool changed;
        std::string result;
    } cases[] = {
        {u"work", u"TIME", u"50", true,
         "; settings\r\n[Work]\r\nTime = 50\r\n\r\n; about rest\r\n[Rest]\r\nTime=15\r\njunk "
         "line\r\n[Unknown]\r\nx=1"},
        {u"Work", u"Time", u"45", false, original},
        {u"Work", u"Msg", u"Hi", true,
         "; settings\r\n[Work]\r\nTime = 45\r\nMsg=Hi\r\n\r\n; about rest\r\n[Rest]\r\nTime=15\r\n"
         "junk line\r\n[Unknown]\r\nx=1"},
        {u"Unknown", u"y", u"2", true,
         "; settings\r\n[Work]\r\nTime = 45\r\n\r\n; about rest\r\n[Rest]\r\nTime=15\r\njunk "
         "line\r\n[Unknown]\r\nx=1\r\ny=2\r\n"},
        {u"Param", u"A", u"1", true, original + "\r\n[Param]\r\nA=1\r\n"},
        {u"Rest", u"time", nullptr, true,
         "; settings\r\n[Work]\r\nTime = 45\r\n\r\n; about rest\r\n[Rest]\r\njunk "
         "line\r\n[Unknown]\r\nx=1"},
        {u"Rest", u"Missing", nullptr, false, original},
        {u"REST", nullptr, nullptr, true,
         "; settings\r\n[Work]\r\nTime = 45\r\n\r\n; about rest\r\n[Unknown]\r\nx=1"},
        {u"Missing", nullptr, nullptr, false, original},
    };
    for (const auto& c : cases) {
        std::string file = original;
        EXPECT_EQ(PutString(file, c.section, c.key, c.value), c.changed) << c.result;
        EXPECT_EQ(file, c.result);
    }
}

TEST(ProfileTextTest, NewFilesUseLfAndBomIsKept) {
    std::string file;
    EXPECT_TRUE(PutString(file, u"Work", u"Time", u"45"));
    EXPECT_TRUE(PutString(file, u"Work", u"Msg", u"Мир"));
    EXPECT_TRUE(PutString(file, u"Rest", u"Time", u"15"));
    EXPECT_EQ(file, "[Work]\nTime=45\nMsg=Мир\n[Rest]\nTime=15\n");
    std::string bom = "\xEF\xBB\xBF[A]\nk=1\n";
    EXPECT_TRUE(PutString(bom, u"A", u"k", u"2"));
    EXPECT_EQ(bom, "\xEF\xBB\xBF[A]\nk=2\n");
    EXPECT_TRUE(PutString(bom, u"A", nullptr, nullptr));
    EXPECT_EQ(bom, "\xEF\xBB\xBF");
}

TEST(ProfileTextTest, DuplicatesAreAllRemovedOnDelete) {
    std::string file = "[A]\nk=1\nK=2\n[B]\n[a]\nk=3\n";
    EXPECT_TRUE(PutString(file, u"A", u"k", nullptr));
    EXPECT_EQ(file, "[A]\n[B]\n[a]\nk=3\n");
    EXPECT_TRUE(PutString(file, u"a", nullptr, nullptr));
    EXPECT_EQ(file, "[B]\n");
}

TEST(ProfileTextTest, WritesThatWouldBreakTheStructureAreRefused) {
    struct Case {
        const char16_t *section, *key, *value;
        bool ok;
    } cases[] = {
        {u"S", u"K", u"v", true},          {u"S", u"K", nullptr, true},
        {u"S", nullptr, nullptr, true},    {nullptr, nullptr, nullptr, true},
        {u"S", u"K", u"a\nb", false},      {u"S", u"K", u"a\rb", false},
        {u"S", u"K=x", u"v", false},       {u"S", u"[K", u"v", false},
        {u"S", u";K", u"v", false},        {u"S", u" ", u"v", false},
        {u"S]", u"K", u"v", false},        {u"S\n", u"K", u"v", false},
        {nullptr, u"K", u"v", false},      {u"S", nullptr, u"v", false},
        {u"S", u"K\nX", nullptr, false},   {u"S", u"a b", u"=v=", true},
        {u"S", u" K\n", u"v", true},  // blanks at the ends of a name are trimmed away
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckWrite(c.section, c.key, c.value) == 0, c.ok)
            << (c.section ? u8(c.section) : "null") << "/" << (c.key ? u8(c.key) : "null");
    EXPECT_EQ(CheckWrite(u"S", u"K\nX", u"v"), ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace platform::profile
