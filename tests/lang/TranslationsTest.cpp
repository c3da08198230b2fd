#include <gtest/gtest.h>

#include "lang/DKLang.h"
#include "platform/fake/FakePlatform.h"
#include "ui/Text.h"

namespace {

using lang::TBytesStream;
using lang::TDKLang_CompTranslations;

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> Utf16(const std::u16string& s, bool le, bool bom) {
    std::vector<uint8_t> r;
    if (bom) r = le ? std::vector<uint8_t>{0xFF, 0xFE} : std::vector<uint8_t>{0xFE, 0xFF};
    for (char16_t c : s) {
        uint8_t lo = uint8_t(c), hi = uint8_t(c >> 8);
        r.push_back(le ? lo : hi);
        r.push_back(le ? hi : lo);
    }
    return r;
}

void Load(TDKLang_CompTranslations& t, const std::vector<uint8_t>& b, bool paramsOnly = false) {
    TBytesStream s(b);
    t.Text_LoadFromStream(s, paramsOnly);
}

std::u16string LoadError(const std::string& text) {
    TDKLang_CompTranslations t;
    try {
        Load(t, Bytes(text));
    } catch (const ui::EDKLangError& e) {
        return e.Message();
    }
    return u"(no error)";
}

TEST(TranslationReaderTest, EveryByteOrderMarkReadsTheSameAndNoMarkMeans1252) {
    const std::u16string text =
        u"LANGID=1031\r\n[Form1]\r\n00000001=Größe – ok\n[$CONSTANTS]\rSh=Std.\r\n";
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> utf8 = {0xEF, 0xBB, 0xBF};
    std::string u8 = ui::ToUtf8(text);
    utf8.insert(utf8.end(), u8.begin(), u8.end());
    // Windows-1252: ö = F6, ß = DF, en dash = 96.
    std::string ansi = "LANGID=1031\r\n[Form1]\r\n00000001=Gr\xF6\xDF" "e \x96 ok\n[$CONSTANTS]\rSh=Std.\r\n";
    const Case cases[] = {{"UTF-16 LE with mark", Utf16(text, true, true)},
                          {"UTF-16 BE with mark", Utf16(text, false, true)},
                          {"UTF-8 with mark", utf8},
                          {"8-bit without mark", Bytes(ansi)}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TDKLang_CompTranslations t;
        Load(t, k.bytes);
        EXPECT_EQ(lang::ParamValue(t.Params(), u"LANGID"), u"1031");
        ASSERT_EQ(t.Count(), 1);
        EXPECT_EQ(t.Items(0).FindPropByID(1)->wsValue, u"Größe – ok");
        EXPECT_EQ(t.Constants().GetValues(u"Sh"), u"Std.");
    }
    // UTF-16 text without its mark is taken for 8-bit text: no usable line survives.
    TDKLang_CompTranslations t;
    Load(t, Utf16(text, true, false));
    EXPECT_EQ(t.Count(), 0);
}

TEST(TranslationReaderTest, ParsedContentOfAWellFormedFile) {
    TDKLang_CompTranslations t;
    Load(t, Bytes("; header comment\r\n"
                  "LANGID=1049\r\n"
                  "Author = Someone \r\n"
                  "NoEquals\r\n"
                  "=novalue\r\n"
                  "[Form1]\r\n"
                  "   ; note\r\n"
                  "00000007 =  Hello  \r\n"
                  "[]\r\n"
                  "[Form1\r\n"
                  "8=after broken headers\r\n"
                  "0=x\r\n"
                  "-3=x\r\n"
                  "abc=x\r\n"
                  "$A=hex\r\n"
                  "0x0B=hex too\r\n"
                  "\t9=a\\tb\\nc\\\\d\\65\t\r\n"
                  "[ Other ]\r\n"
                  "1=o\r\n"
                  "[form1]\r\n"
                  "2=merged\r\n"
                  "[$constants]\r\n"
                  "Smsg=Line1\\nLine2\r\n"
                  "[Form1_2]\r\n"
                  "3=numeric suffix continues Form1\r\n"));
    EXPECT_EQ(t.Params().Text(), u"LANGID=1049\r\nAuthor=Someone\r\n");
    ASSERT_EQ(t.Count(), 2);
    const auto& f = t.Items(0);
    EXPECT_EQ(f.ComponentName(), u"Form1");
    std::vector<std::pair<int, std::u16string>> got;
    for (int i = 0; i < f.Count(); ++i) got.push_back({f.Items(i).iID, f.Items(i).wsValue});
    EXPECT_EQ(got, (std::vector<std::pair<int, std::u16string>>{
                       {2, u"merged"},
                       {3, u"numeric suffix continues Form1"},
                       {7, u"Hello"},
                       {8, u"after broken headers"},
                       {9, u"a\tb\r\nc\\dA"},
                       {10, u"hex"},
                       {11, u"hex too"}}));
    EXPECT_EQ(t.Items(1).ComponentName(), u"Other");
    EXPECT_EQ(t.Constants().GetValues(u"Smsg"), u"Line1\r\nLine2");
}

TEST(TranslationReaderTest, ErrorsNameTheZeroBasedLineAndKeepWhatCameBefore) {
    struct Case {
        std::string text;
        const char16_t* message;
    };
    const Case cases[] = {
        {"LANGID=1\r\n[Form1]\r\n5=a\r\n\r\n5=b\r\n",
         u"Loading translations failed.\r\nLine 4: Duplicate property value translation ID (5)"},
        {"[Form1]\n5=a\n[Other]\n1=x\n[form1]\n; c\n00000005=b\n",
         u"Loading translations failed.\r\nLine 6: Duplicate property value translation ID (5)"},
        {"[$CONSTANTS]\nSh=h\nsh=again\n",
         u"Loading translations failed.\r\nLine 2: Duplicate constant name (\"sh\")"},
        {"[$CONSTANTS]\n\n\n1bad=x\n",
         u"Loading translations failed.\r\nLine 3: Invalid constant name (\"1bad\")"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        EXPECT_EQ(LoadError(k.text), k.message);
    }
    TDKLang_CompTranslations t;
    EXPECT_THROW(Load(t, Bytes("LANGID=7\n[Form1]\n1=a\n1=b\n2=never\n")), ui::EDKLangError);
    EXPECT_EQ(lang::ParamValue(t.Params(), u"LANGID"), u"7");
    ASSERT_EQ(t.Count(), 1);
    EXPECT_EQ(t.Items(0).Count(), 1);
    EXPECT_EQ(t.Items(0).FindPropByID(1)->wsValue, u"a");
}

TEST(TranslationReaderTest, HeaderOnlyReadingStopsAtTheFirstBracket) {
    struct Case {
        std::string text;
        std::u16string params;
    };
    const Case cases[] = {
        {"LANGID=1049", u"LANGID=1049\r\n"},
        {"LANGID=1049\n[Form1\nLANGID=5\n", u"LANGID=1049\r\n"},
        {"A=1\n[$CONSTANTS]\n1bad=x\n", u"A=1\r\n"},  // the bad line is never reached
        {"LANGID=1\nLANGID=\n", u""},
        {"LANGID=1\nlangid=2\n", u"langid=2\r\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        TDKLang_CompTranslations t;
        Load(t, Bytes(k.text), true);
        EXPECT_EQ(t.Params().Text(), k.params);
        EXPECT_EQ(t.Count(), 0);
        EXPECT_EQ(t.Constants().Count(), 0);
    }
}

TEST(TranslationReaderTest, NulEndsTheTextAndBreaksOfEveryKindCount) {
    TDKLang_CompTranslations t;
    std::string s = "[F]\r\r1=a\n\n2=b\r\n3=c";
    s += '\0';
    s += "\n4=after nul\n";
    Load(t, Bytes(s));
    ASSERT_EQ(t.Count(), 1);
    EXPECT_EQ(t.Items(0).Count(), 3);
    EXPECT_EQ(LoadError("[F]\r\r1=a\n\n1=b"),
              u"Loading translations failed.\r\nLine 4: Duplicate property value translation ID (1)");
}

TEST(TranslationFindTest, NumericSuffixFallsBackOnce) {
    TDKLang_CompTranslations t;
    Load(t, Bytes("[Form1]\n1=a\n"));
    t.Add(u"Form1_2");  // added directly: while reading, '[Form1_2]' would continue Form1
    struct Case {
        const char16_t* name;
        const char16_t* found;  // nullptr: none
    };
    const Case cases[] = {{u"Form1_2", u"Form1_2"}, {u"FORM1_2", u"Form1_2"}, {u"Form1_3", u"Form1"},
                          {u"Form1_", u"Form1"},    {u"Form1_x", nullptr},    {u"Form1_2_3", u"Form1_2"},
                          {u"Form1_٣", u"Form1"},   {u"Form2", nullptr},      {u"form1", u"Form1"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(ui::ToUtf8(k.name));
        auto* s = t.FindComponentName(k.name);
        if (!k.found)
            EXPECT_EQ(s, nullptr);
        else {
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->ComponentName(), k.found);
        }
    }
    EXPECT_EQ(t.IndexOfComponentName(u"FORM1"), 0);
    EXPECT_EQ(t.IndexOfComponentName(u"Form1_3"), -1);
}

TEST(ControlCharsTest, DecodeTable) {
    struct Case {
        std::u16string in, out;
    };
    const Case cases[] = {
        {u"a\\nb", u"a\r\nb"}, {u"\\\\", u"\\"},  {u"\\9", u"\\9"},    {u"\\65", u"A"},
        {u"x\\", u"x\\"},      {u"\\N", u"\\N"},  {u"\\T", u"\\T"},    {u"\\t", u"\t"},
        {u"\\00", std::u16string(1, u'\0')},      {u"\\99x", u"\x63x"}, {u"\\6a", u"\\6a"},
        {u"\\\\n", u"\\n"},    {u"", u""},        {u"plain", u"plain"}, {u"\\x", u"\\x"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(ui::ToUtf8(k.in));
        EXPECT_EQ(lang::DecodeControlChars(k.in), k.out);
    }
}

TEST(ControlCharsTest, EncodeTableAndRoundTrip) {
    struct Case {
        std::u16string in, out;
    };
    const Case cases[] = {
        {u"\r\n\r\n", u"\\n\\n"}, {u"\n\r", u"\\n"},   {u"\r", u"\\n"},     {u"\n", u"\\n"},
        {u"\x1b", u"\\27"},       {u"\x01", u"\\01"},  {u"a\tb", u"a\\tb"}, {u"c:\\x", u"c:\\\\x"},
        {u"Größe", u"Größe"},     {u"\n\n", u"\\n\\n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(ui::ToUtf8(k.in));
        EXPECT_EQ(lang::EncodeControlChars(k.in), k.out);
    }
    const std::u16string samples[] = {u"a\tb\\c\x01\x1f", u"line1\r\nline2", u"\\n literal"};
    for (const auto& s : samples) EXPECT_EQ(lang::DecodeControlChars(lang::EncodeControlChars(s)), s);
}

TEST(TranslationWriterTest, LaysOutParamsSectionsAndConstantsInUtf16) {
    TDKLang_CompTranslations t;
    lang::SetParamValue(t.Params(), u"LANGID", u"2057");
    auto& f = t.Add(u"Form1");
    f.Add(8, u"Background color...", 0);
    f.Add(2, u"The time of user inactivity (min):", 0);
    f.Add(5, u"skip me", lang::StateBit(lang::dktsUntranslated));
    t.Constants().Add(u"Sworkmsg", u"Work!\r\nNow", 0);
    t.Constants().Add(u"Scancel", u"Cancel", lang::StateBit(lang::dktsUntranslated));

    const std::u16string expected =
        u"LANGID=2057\r\n\r\n[Form1]\r\n00000002=The time of user inactivity (min):\r\n"
        u"00000008=Background color...\r\n\r\n[$CONSTANTS]\r\nSworkmsg=Work!\\nNow\r\n";
    TBytesStream s;
    t.Text_SaveToStream(s, true, true);
    EXPECT_EQ(s.Bytes(), Utf16(expected, true, true));
    TBytesStream plain;
    t.Text_SaveToStream(plain, false, true);
    EXPECT_EQ(plain.Bytes(), Utf16(expected, true, false));

    // Everything written reads back.
    TBytesStream all;
    t.Text_SaveToStream(all, true, false);
    TDKLang_CompTranslations back;
    back.Text_LoadFromStream(all);
    EXPECT_EQ(back.Items(0).Count(), 3);
    EXPECT_EQ(back.Constants().GetValues(u"Sworkmsg"), u"Work!\r\nNow");
    EXPECT_EQ(back.Constants().GetValues(u"Scancel"), u"Cancel");

    TDKLang_CompTranslations empty;
    TBytesStream e;
    empty.Text_SaveToStream(e, false, false);
    EXPECT_EQ(e.Bytes(), Utf16(u"[$CONSTANTS]\r\n", true, false));
}

TEST(TranslationSectionTest, IdsStaySortedAndUnique) {
    lang::TDKLang_CompTranslation s(u"F");
    EXPECT_EQ(s.Add(5, u"e", 0), 0);
    EXPECT_EQ(s.Add(1, u"a", 0), 0);
    EXPECT_EQ(s.Add(3, u"c", 0), 1);
    int idx = -1;
    EXPECT_FALSE(s.FindID(4, idx));
    EXPECT_EQ(idx, 2);
    EXPECT_TRUE(s.FindID(5, idx));
    EXPECT_EQ(idx, 2);
    EXPECT_EQ(s.IndexOfID(2), -1);
    EXPECT_EQ(s.FindPropByID(3)->wsValue, u"c");
    try {
        s.Add(3, u"again", 0);
        ADD_FAILURE();
    } catch (const ui::EDKLangError& e) {
        EXPECT_EQ(e.Message(), u"Duplicate property value translation ID (3)");
    }
}

TEST(TranslationSourcesTest, FilesAndResourcesReportTheirOwnErrors) {
    platform::fake::FakePlatform fp;
    TDKLang_CompTranslations t;
    EXPECT_THROW(t.Text_LoadFromFile(u"/nowhere/x.lng"), lang::EFOpenError);
    fp.fileSystemFake.addFile(u"/d/ru.lng", "LANGID=1049\n[Form1]\n1=QV Tovra\n");
    t.Text_LoadFromFile(u"/d/ru.lng");
    EXPECT_EQ(t.Count(), 1);
    EXPECT_THROW(t.Text_LoadFromResource(0, u"NO_SUCH"), lang::EResNotFound);
    std::string res = "LANGID=7\n";
    fp.resourcesFake.overrides["#42"] = std::vector<uint8_t>(res.begin(), res.end());
    t.Text_LoadFromResource(0, 42, true);
    EXPECT_EQ(lang::ParamValue(t.Params(), u"LANGID"), u"7");
}

}  // namespace
