#include <gtest/gtest.h>

#include "lang/DKLang.h"
#include "platform/fake/FakePlatform.h"
#include "resources/Embedded.h"
#include "ui/Text.h"

namespace {

using lang::TBytesStream;
using lang::TDKLang_Constants;

const char16_t* const kNames[] = {u"Sh",        u"Smin",       u"Shour",    u"Spinfo",
                                  u"Spauset",   u"Srestmsg",   u"Sresttime", u"Sresttimes",
                                  u"Sworkmsg",  u"Sworktime",  u"Sworktimes", u"Scancel"};
const char16_t* const kTexts[] = {u"h",
                                  u"min",
                                  u"hr",
                                  u"The program for the protection of your eyesight.",
                                  u"pause",
                                  u"Rest!",
                                  u"Time for rest",
                                  u"Time left for rest",
                                  u"Work!",
                                  u"Time for work",
                                  u"Time left for work",
                                  u"Cancel"};

std::vector<uint8_t> EmbeddedConsts() {
    const tovra::res::Blob* b = tovra::res::find("DKLANG_CONSTS");
    if (!b) return {};
    return {b->data, b->data + b->size};
}

TEST(ConstantsResourceTest, HoldsTheTwelveConstantsInOrderIn500Bytes) {
    std::vector<uint8_t> bytes = EmbeddedConsts();
    ASSERT_EQ(bytes.size(), 500u);
    EXPECT_EQ(bytes[0], 3);  // version
    EXPECT_EQ(bytes[1], 1);  // auto-save flag
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 2, bytes.begin() + 16),
              (std::vector<uint8_t>{12, 0, 0, 0, 0x02, 0x00, 0x53, 0x00, 0x68, 0x00, 0x01, 0x00,
                                    0x68, 0x00}));
    EXPECT_EQ(bytes[498], 0);
    EXPECT_EQ(bytes[499], 0);

    TDKLang_Constants c;
    TBytesStream s(bytes);
    c.LoadFromStream(s);
    EXPECT_EQ(s.Position(), 498u) << "the two trailing zero bytes are not read";
    ASSERT_EQ(c.Count(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(c.Items(i).wsName, kNames[i]);
        EXPECT_EQ(c.Items(i).wsValue, kTexts[i]);
        EXPECT_EQ(c.Items(i).wsDefValue, kTexts[i]);
    }
    EXPECT_TRUE(c.AutoSaveLangSource());
    EXPECT_EQ(c.GetValues(u"Sworkmsg"), u"Work!");
    EXPECT_EQ(c.GetValues(u"SWORKMSG"), u"Work!");

    // Writing it back gives the same bytes, less the two spare ones.
    EXPECT_EQ(c.AsRawString(), std::vector<uint8_t>(bytes.begin(), bytes.end() - 2));
}

TEST(ConstantsTest, AddChecksNamesAndDuplicatesIgnoringCase) {
    struct Case {
        std::u16string name;
        const char16_t* error;  // nullptr: accepted
    };
    const Case cases[] = {
        {u"Sworkmsg", nullptr},
        {u"sworkmsg", u"Duplicate constant name (\"sworkmsg\")"},
        {u"1abc", u"Invalid constant name (\"1abc\")"},
        {u"a-b", u"Invalid constant name (\"a-b\")"},
        {u"", u"Invalid constant name (\"\")"},
        {u"Größe_2", nullptr},
        {u"_x9", nullptr},
        {u"Имя", nullptr},
        {u"a b", u"Invalid constant name (\"a b\")"},
    };
    TDKLang_Constants c;
    for (const Case& k : cases) {
        SCOPED_TRACE(ui::ToUtf8(k.name));
        if (!k.error) {
            EXPECT_NO_THROW(c.Add(k.name, u"v", 0));
            continue;
        }
        try {
            c.Add(k.name, u"v", 0);
            ADD_FAILURE() << "accepted";
        } catch (const ui::EDKLangError& e) {
            EXPECT_EQ(e.Message(), k.error);
        }
    }
    EXPECT_EQ(c.Count(), 4);
}

TEST(ConstantsTest, MissingNamesRaiseTheirErrors) {
    TDKLang_Constants c;
    c.Add(u"Sh", u"h", 0);
    try {
        c.GetValues(u"Nope");
        ADD_FAILURE();
    } catch (const ui::EDKLangError& e) {
        EXPECT_EQ(e.Message(), u"Constant \"Nope\" not found");
    }
    EXPECT_THROW(c.SetValues(u"Nope", u"x"), ui::EListError);
    c.SetValues(u"SH", u"ч");
    EXPECT_EQ(c.GetValues(u"sh"), u"ч");
    EXPECT_EQ(c.FindConstName(u"sH")->wsDefValue, u"h");
}

std::vector<uint8_t> Utf8Str(const std::string& s) {
    std::vector<uint8_t> r = {uint8_t(s.size()), uint8_t(s.size() >> 8)};
    for (char c : s) r.push_back(uint8_t(c));
    return r;
}
std::vector<uint8_t> Utf16Str(const std::u16string& s) {
    std::vector<uint8_t> r = {uint8_t(s.size()), uint8_t(s.size() >> 8)};
    for (char16_t c : s) {
        r.push_back(uint8_t(c));
        r.push_back(uint8_t(c >> 8));
    }
    return r;
}
std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> r;
    for (const auto& p : parts) r.insert(r.end(), p.begin(), p.end());
    return r;
}

TEST(ConstantsStreamTest, ReadsEveryVersionAndRefusesNewerOnes) {
    const std::vector<uint8_t> one = {1, 0, 0, 0};
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        bool autoSave;
    };
    const Case cases[] = {
        {"version 0: no flag byte, flag false", Cat({{0}, one, Utf8Str("Sh"), Utf8Str("ч")}), false},
        {"version 1: no flag byte, flag true", Cat({{1}, one, Utf8Str("Sh"), Utf8Str("ч")}), true},
        {"version 2: UTF-8 name, UTF-16 value", Cat({{2, 0}, one, Utf8Str("Sh"), Utf16Str(u"ч")}), false},
        {"version 3: UTF-16 both", Cat({{3, 7}, one, Utf16Str(u"Sh"), Utf16Str(u"ч")}), true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TDKLang_Constants c;
        c.SetAutoSaveLangSource(!k.autoSave);
        TBytesStream s(k.bytes);
        c.LoadFromStream(s);
        EXPECT_EQ(c.AutoSaveLangSource(), k.autoSave);
        ASSERT_EQ(c.Count(), 1);
        EXPECT_EQ(c.GetValues(u"sh"), u"ч");
    }

    TDKLang_Constants c;
    TBytesStream v4(std::vector<uint8_t>{4, 1, 0, 0, 0, 0});
    try {
        c.LoadFromStream(v4);
        ADD_FAILURE();
    } catch (const ui::EDKLangError& e) {
        EXPECT_EQ(e.Message(), u"Stream version (4) is greater than the current one (3)");
    }
}

TEST(ConstantsStreamTest, DamagedStreamsKeepWhatWasReadBefore) {
    const std::vector<uint8_t> two = {2, 0, 0, 0};
    // Second entry cut short.
    TDKLang_Constants c;
    TBytesStream cut(Cat({{3, 1}, two, Utf16Str(u"A"), Utf16Str(u"x"), {5, 0, 'B', 0}}));
    EXPECT_THROW(c.LoadFromStream(cut), ui::EReadError);
    ASSERT_EQ(c.Count(), 1);
    EXPECT_EQ(c.GetValues(u"A"), u"x");
    // Second entry repeats the first name.
    TBytesStream dup(Cat({{3, 1}, two, Utf16Str(u"A"), Utf16Str(u"x"), Utf16Str(u"a"), Utf16Str(u"y")}));
    EXPECT_THROW(c.LoadFromStream(dup), ui::EDKLangError);
    EXPECT_EQ(c.Count(), 1);
    // A negative count means none; an empty raw string changes nothing.
    TBytesStream neg(std::vector<uint8_t>{3, 1, 0xFF, 0xFF, 0xFF, 0xFF});
    c.LoadFromStream(neg);
    EXPECT_EQ(c.Count(), 0);
    c.Add(u"Keep", u"me", 0);
    c.SetAsRawString({});
    EXPECT_EQ(c.Count(), 1);
}

TEST(ConstantsTest, TranslateFromKeepsMissingTextsAndNoneRestoresDefaults) {
    TDKLang_Constants c;
    c.Add(u"Sworkmsg", u"Work!", 0);
    c.Add(u"Srestmsg", u"Rest!", 0);
    TDKLang_Constants de;
    de.Add(u"Sworkmsg", u"An die Arbeit!", 0);
    de.Add(u"Srestmsg", u"Pause!", 0);
    de.Add(u"Sunknown", u"ignored", 0);
    c.TranslateFrom(&de);
    TDKLang_Constants partial;
    partial.Add(u"SWORKMSG", u"Au travail !", 0);
    c.TranslateFrom(&partial);
    EXPECT_EQ(c.GetValues(u"Sworkmsg"), u"Au travail !");
    EXPECT_EQ(c.GetValues(u"Srestmsg"), u"Pause!") << "kept from the language applied before";
    EXPECT_EQ(c.FindConstName(u"Sunknown"), nullptr);
    c.TranslateFrom(nullptr);
    EXPECT_EQ(c.GetValues(u"Sworkmsg"), u"Work!");
    EXPECT_EQ(c.GetValues(u"Srestmsg"), u"Rest!");
}

TEST(ConstantsTest, SavedTextsComeBackAsDefaultsAndAsLanguageSource) {
    TDKLang_Constants c;
    c.Add(u"Sh", u"h", 0);
    c.Add(u"Sline", u"a\r\nb\\", lang::StateBit(lang::dktsUntranslated));
    c.SetValues(u"Sh", u"ч");
    c.SetAutoSaveLangSource(false);
    TDKLang_Constants back;
    back.SetAsRawString(c.AsRawString());
    EXPECT_FALSE(back.AutoSaveLangSource());
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.FindConstName(u"Sh")->wsDefValue, u"ч");
    EXPECT_EQ(back.GetValues(u"Sline"), u"a\r\nb\\");

    ui::TStringList all, translated;
    c.WriteLangSource(all, 0);
    c.WriteLangSource(translated, lang::StateBit(lang::dktsUntranslated));
    EXPECT_EQ(all.Text(), u"Sh=ч\r\nSline=a\\nb\\\\\r\n");
    EXPECT_EQ(translated.Text(), u"Sh=ч\r\n");
    EXPECT_EQ(c.GetLangSourceSectionName(), u"$CONSTANTS");
}

TEST(ConstantsTest, LoadFromResourceReportsAbsence) {
    platform::fake::FakePlatform fp;
    TDKLang_Constants c;
    EXPECT_TRUE(c.LoadFromResource(0, u"DKLANG_CONSTS"));
    EXPECT_EQ(c.Count(), 12);
    EXPECT_FALSE(c.LoadFromResource(0, u"NO_SUCH_RESOURCE"));
    EXPECT_EQ(c.Count(), 12);
}

}  // namespace
