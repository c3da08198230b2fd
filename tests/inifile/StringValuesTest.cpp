// Stored text values: markers, quotes, chunks and their hash, hex, binary and wide strings.
#include <cstring>
#include <vector>

#include "tests/inifile/IniFixture.h"

namespace inifile::testing {
namespace {

TEST(ChunkHashTest, KnownValues) {
    EXPECT_EQ(ChunkHash(u""), 0u);
    EXPECT_EQ(ChunkHash(u"abc"), 397824173u);
    EXPECT_EQ(ChunkHash(u"a"), 4294172769u);
    EXPECT_EQ(int32_t(ChunkHash(u"a")), -794527);
}

TEST(IntegerTextTest, Forms) {
    struct Case {
        std::u16string text;
        std::optional<int32_t> value;
    } cases[] = {
        {u"12", 12},        {u"  12", 12},          {u"-12", -12},
        {u"+7", 7},         {u"$1F", 31},           {u"x1f", 31},
        {u"X1F", 31},       {u"0x1F", 31},          {u"0X1f", 31},
        {u"$FFFFFFFF", -1}, {u"-$10", -16},         {u"2147483647", INT32_MAX},
        {u"-2147483648", INT32_MIN},                {u"2147483648", std::nullopt},
        {u"4294967296", std::nullopt},              {u"$123456789", std::nullopt},
        {u"", std::nullopt}, {u"   ", std::nullopt}, {u"12abc", std::nullopt},
        {u"12 ", std::nullopt}, {u"$", std::nullopt}, {u"0x", std::nullopt},
        {u"-", std::nullopt}, {u"1.5", std::nullopt}, {u"\t1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseIntegerText(c.text), c.value) << u8(c.text);
}

TEST_F(IniTest, ValuesRoundTripWithTheirEdges) {
    const std::u16string cases[] = {
        u"plain",
        u" leading blank",
        u"trailing blank ",
        u"\ttab",
        u"\"quoted\"",
        u"\"",
        u"\"\"",
        u"a\"b",
        u"x\x01",
        u"line one\r\nline two",
        u"\r\nstarts with a break",
        u"ends with a break\r\n",
        u"Мир ÄÖÜ €",
        u"=equals=sign=",
        u"[bracket]",
        u";semicolon",
    };
    for (const auto& v : cases) {
        ini->WriteString(u"S", u"K", v);
        EXPECT_EQ(u8(ini->ReadString(u"S", u"K", u"default")), u8(v));
    }
}

TEST_F(IniTest, LineBreaksAreStoredAsMarkers) {
    struct Case {
        std::u16string written, read;
        std::string stored;
    } cases[] = {
        {u"a\r\nb", u"a\r\nb", "a<@\\n@>b"},
        {u"a\nb", u"a\r\nb", "a<@\\n@>b"},
        {u"a\rb", u"ab", "ab"},
        {u"a<@\\n@>b", u"a\r\nb", "a<@\\n@>b"},
        {u"\r", u"", ""},
    };
    for (const auto& c : cases) {
        ini->WriteString(u"S", u"K", c.written);
        EXPECT_EQ(stored(), "[S]\nK=" + c.stored + "\n");
        EXPECT_EQ(u8(ini->ReadString(u"S", u"K", u"d")), u8(c.read));
    }
}

TEST_F(IniTest, EdgeBlanksAndQuotesGetAnExtraPairOfQuotes) {
    struct Case {
        std::u16string written;
        std::string stored;
        std::u16string read;
    } cases[] = {
        {u" x", "\" x\"", u" x"},
        {u"x\t", "\"x\t\"", u"x\t"},
        {u"\"x\"", "\"\"x\"\"", u"\"x\""},
        {u"'x'", "'x'", u"x"},  // nothing protects single quotes
        {u"", "", u""},
    };
    for (const auto& c : cases) {
        ini->WriteString(u"S", u"K", c.written);
        EXPECT_EQ(stored(), "[S]\nK=" + c.stored + "\n");
        EXPECT_EQ(u8(ini->ReadString(u"S", u"K", u"default")), u8(c.read));
    }
    EXPECT_EQ(ini->ReadString(u"S", u"Absent", u"default"), u"default");
    EXPECT_EQ(ini->ReadString(u"S", u"Absent", u"trailing  "), u"trailing");
}

TEST_F(IniTest, ChunkBoundaries) {
    ui::TStringList keys;
    ini->WriteString(u"S", u"K", std::u16string(65532, u'a'));
    ini->ReadSection(u"S", keys);
    EXPECT_EQ(keys.Count(), 1);
    EXPECT_EQ(ini->ReadString(u"S", u"K", u"").size(), 65532u);

    const std::u16string v65533 = std::u16string(65533, u'a');
    ini->WriteString(u"S", u"K", v65533);
    ini->ReadSection(u"S", keys);
    ASSERT_EQ(keys.Count(), 4);
    EXPECT_EQ(keys.Strings(1), u"K__$Count");
    EXPECT_EQ(keys.Strings(2), u"K__$Hash");
    EXPECT_EQ(keys.Strings(3), u"K__$Line2");
    EXPECT_EQ(ini->ReadString(u"S", u"K__$Count", u""), u"2");
    EXPECT_EQ(ini->ReadString(u"S", u"K__$Hash", u""),
              ui::IntToStr(int32_t(ChunkHash(std::u16string(65532, u'a')))));
    EXPECT_EQ(ini->ReadString(u"S", u"K__$Line2", u""), u"a");
    EXPECT_EQ(ini->ReadString(u"S", u"K", u""), v65533);

    ini->SetTrimLongStrings(true);
    ini->WriteString(u"S", u"T", v65533);
    EXPECT_EQ(ini->ReadString(u"S", u"T", u""), std::u16string(65532, u'a'));
    EXPECT_EQ(ini->ReadString(u"S", u"K", u""), std::u16string(65532, u'a'));  // chunks ignored
    ini->SetTrimLongStrings(false);
    ini->ReadSection(u"S", keys);
    EXPECT_EQ(keys.Count(), 5);
}

TEST_F(IniTest, ValuesAroundAThousandCharactersComeBackWhole) {
    // A read takes up to 1023 characters first and reads a longer value again: nothing may be
    // cut at that edge, by the value, its line-break markers, its quotes or a long default.
    struct Case {
        const char* what;
        std::u16string value;
    };
    std::vector<Case> cases;
    for (std::size_t n : {1021u, 1022u, 1023u, 1024u, 1025u, 2047u, 2048u})
        cases.push_back({"plain", std::u16string(n, u'v')});
    for (std::size_t at : {1015u, 1018u, 1020u, 1023u})
        cases.push_back({"a break across the edge",
                         std::u16string(at, u'w') + u"\r\n" + std::u16string(40, u'x')});
    cases.push_back({"edge blanks, stored quoted", u" " + std::u16string(1021, u'q') + u" "});
    cases.push_back({"edge blanks, longer", u" " + std::u16string(1030, u'q') + u" "});
    for (const auto& c : cases) {
        ini->WriteString(u"S", u"K", c.value);
        EXPECT_EQ(ini->ReadString(u"S", u"K", u"default"), c.value)
            << c.what << ", " << c.value.size() << " characters";
    }
    for (std::size_t n : {1022u, 1023u, 1024u, 3000u}) {
        std::u16string def(n, u'd');
        EXPECT_EQ(ini->ReadString(u"S", u"Missing", def), def) << "default of " << n;
    }
}

TEST_F(IniTest, MarkersAreNeverSplitAndQuotedChunksStillFit) {
    // 65530 letters and a line break: the marker does not fit behind them, so it opens chunk 2.
    std::u16string v = std::u16string(65530, u'b') + u"\n" + u"tail";
    ini->WriteString(u"S", u"K", v);
    EXPECT_EQ(ini->ReadString(u"S", u"K__$Line2", u""), u"\r\ntail");
    EXPECT_EQ(ini->ReadString(u"S", u"K", u""), std::u16string(65530, u'b') + u"\r\ntail");
    // A chunk that begins and ends with a blank is stored as 65534 characters with its quotes.
    std::u16string blanks = u" " + std::u16string(65530, u'c') + u" " + u" more ";
    ini->WriteString(u"S", u"B", blanks);
    EXPECT_EQ(ini->ReadString(u"S", u"B", u""), blanks);
    // Three chunks and back to one: the chunk keys go.
    ini->WriteString(u"S", u"Msg", std::u16string(65532 * 2 + 5, u'm'));
    EXPECT_EQ(ini->ReadString(u"S", u"Msg__$Count", u""), u"3");
    EXPECT_EQ(ini->ReadString(u"S", u"Msg", u"").size(), 65532u * 2 + 5);
    ini->WriteString(u"S", u"Msg", u"short");
    ui::TStringList keys;
    ini->ReadSection(u"S", keys);
    for (int i = 0; i < keys.Count(); ++i)
        EXPECT_EQ(keys.Strings(i).find(u"Msg__"), std::u16string::npos) << u8(keys.Strings(i));
}

TEST_F(IniTest, HashMismatchOrDamagedChunkKeysGiveChunkOneAlone) {
    const std::u16string v = std::u16string(65532, u'h') + u"second";
    struct Case {
        std::function<void()> damage;
        std::u16string read;
    } cases[] = {
        {[&] { fp.profileFilesFake.WritePrivateProfileString(u"S", u"K", u"changed", path); },
         u"changed"},
        {[&] { fp.profileFilesFake.WritePrivateProfileString(u"S", u"K__$Hash", u"12x", path); },
         std::u16string(65532, u'h')},
        {[&] { fp.profileFilesFake.WritePrivateProfileString(u"S", u"K__$Hash", nullptr, path); },
         std::u16string(65532, u'h')},
        {[&] { fp.profileFilesFake.WritePrivateProfileString(u"S", u"K__$Count", u"two", path); },
         std::u16string(65532, u'h')},
        {[&] { fp.profileFilesFake.WritePrivateProfileString(u"S", u"K__$Line2", nullptr, path); },
         std::u16string(65532, u'h')},
        {[&] { fp.profileFilesFake.WritePrivateProfileString(u"S", u"K__$Count", u"3", path); },
         v},
    };
    for (const auto& c : cases) {
        ini->WriteString(u"S", u"K", v);
        c.damage();
        EXPECT_EQ(u8(ini->ReadString(u"S", u"K", u"")), u8(c.read));
    }
    // A count that is no integer keeps its count and hash keys on delete.
    ini->WriteString(u"S", u"K", v);
    fp.profileFilesFake.WritePrivateProfileString(u"S", u"K__$Count", u"two", path);
    ini->DeleteKey(u"S", u"K");
    ui::TStringList keys;
    ini->ReadSection(u"S", keys);
    ASSERT_EQ(keys.Count(), 3);
    EXPECT_EQ(keys.Strings(0), u"K__$Count");
}

TEST_F(IniTest, PartlyWrittenLongValueKeepsWhatWasWritten) {
    int allowed = 3;  // the key, its count and its hash; the second chunk fails
    files.writeFault = [&](const char16_t*, const char16_t*, const char16_t*) {
        return allowed-- > 0 ? 0u : platform::ERROR_DISK_FULL;
    };
    EXPECT_THROW(ini->WriteString(u"S", u"K", std::u16string(65532, u'p') + u"q"),
                 ui::EIniFileException);
    files.writeFault = nullptr;
    EXPECT_EQ(ini->ReadString(u"S", u"K", u""), std::u16string(65532, u'p'));
}

TEST_F(IniTest, QuotedStrings) {
    ini->WriteQuotedString(u"S", u"K", u"x", u'\0');
    EXPECT_EQ(stored(), "[S]\nK=\"\"x\"\"\n");
    EXPECT_EQ(ini->ReadQuotedString(u"S", u"K", u"", u'\0'), u"x");
    EXPECT_EQ(ini->ReadString(u"S", u"K", u""), u"\"x\"");
    ini->WriteQuotedString(u"S", u"K", u"y", u'#');
    EXPECT_EQ(ini->ReadQuotedString(u"S", u"K", u"", u'#'), u"y");
    ini->WriteString(u"S", u"K", u"#");
    EXPECT_EQ(ini->ReadQuotedString(u"S", u"K", u"", u'#'), u"");
    EXPECT_EQ(ini->ReadQuotedString(u"S", u"Absent", u"#d#", u'#'), u"d");
}

TEST_F(IniTest, HexStrings) {
    ini->WriteHexString(u"S", u"K", u"Aé€");
    EXPECT_EQ(stored(), "[S]\nK=41E980\n");
    EXPECT_EQ(ini->ReadHexString(u"S", u"K", u""), u"Aé€");
    store("[S]\nK=4G41\nOdd=414\nLower=6a6B\n");
    EXPECT_EQ(ini->ReadHexString(u"S", u"K", u""), u"?A");
    EXPECT_EQ(ini->ReadHexString(u"S", u"Odd", u""), u"A");
    EXPECT_EQ(ini->ReadHexString(u"S", u"Lower", u""), u"jk");
    EXPECT_EQ(ini->ReadHexString(u"S", u"Absent", u"dflt"), u"dflt");
    ini->WriteHexString(u"S", u"Cyr", u"Ж");
    EXPECT_EQ(ini->ReadHexString(u"S", u"Cyr", u""), u"?");
}

TEST(AnsiCodePageTest, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    std::u16string text = AnsiToText(all);
    EXPECT_EQ(TextToAnsi(text), all);
    EXPECT_EQ(text[0x80], u'€');
    EXPECT_EQ(text[0x81], u'\x81');
    EXPECT_EQ(text[0x9F], u'Ÿ');
    EXPECT_EQ(StringToHex(text).size(), 512u);
    EXPECT_EQ(HexToString(StringToHex(text)), text);
}

TEST_F(IniTest, BinaryData) {
    const uint8_t three[] = {0x00, 0x7F, 0xFF};
    ini->WriteBinaryData(u"S", u"B", three, 3);
    EXPECT_EQ(stored(), "[S]\nB=007FFF\n");
    uint8_t buf[10];
    std::memset(buf, 0xAA, sizeof buf);
    EXPECT_EQ(ini->ReadBinaryData(u"S", u"B", buf, 10), 3);
    EXPECT_EQ(std::memcmp(buf, three, 3), 0);
    for (int i = 3; i < 10; ++i) EXPECT_EQ(buf[i], 0) << i;

    std::memset(buf, 0xAA, sizeof buf);
    EXPECT_EQ(ini->ReadBinaryData(u"S", u"Absent", buf, 10), 0);
    EXPECT_EQ(buf[0], 0xAA);

    uint8_t twelve[12];
    for (int i = 0; i < 12; ++i) twelve[i] = uint8_t(0x80 + i);
    ini->WriteBinaryData(u"S", u"B", twelve, 12);
    EXPECT_EQ(ini->ReadBinaryData(u"S", u"B", buf, 10), 10);
    EXPECT_EQ(std::memcmp(buf, twelve, 10), 0);
    // Sizes below zero hold nothing and write nothing.
    EXPECT_EQ(ini->ReadBinaryData(u"S", u"B", buf, -5), 0);
    ini->WriteBinaryData(u"S", u"N", twelve, -1);
    EXPECT_EQ(ini->ReadString(u"S", u"N", u"d"), u"");
}

TEST_F(IniTest, WideStrings) {
    ini->WriteWideString(u"S", u"Hi", u"Hi");
    ini->WriteWideString(u"S", u"Er", u"\u0420");
    ini->WriteWideString(u"S", u"Empty", u"");
    EXPECT_EQ(stored(), "[S]\nHi=48006900\nEr=2004\nEmpty=\n");
    EXPECT_EQ(ini->ReadWideString(u"S", u"Hi", u"X"), u"Hi");
    EXPECT_EQ(ini->ReadWideString(u"S", u"Er", u"X"), u"\u0420");
    EXPECT_EQ(ini->ReadWideString(u"S", u"Empty", u"X"), u"");
    EXPECT_EQ(ini->ReadWideString(u"S", u"Absent", u"X"), u"X");

    std::u16string big;
    for (int i = 0; i < 20000; ++i) big += char16_t(0x20 + i % 0xFFD0);
    big += u"\r\n\U0001F600 \xD800";  // line break, a surrogate pair and a lone surrogate
    ini->WriteWideString(u"S", u"Big", big);
    EXPECT_EQ(ini->ReadString(u"S", u"Big__$Count", u""), u"2");
    EXPECT_EQ(ini->ReadWideString(u"S", u"Big", u""), big);
    store("[S]\nOdd=414243\nText=hello\n");
    EXPECT_EQ(ini->ReadWideString(u"S", u"Odd", u""), u"\u4241");
    EXPECT_EQ(ini->ReadWideString(u"S", u"Text", u""), u"\u3F3F");  // decoded as hex regardless
}

TEST_F(IniTest, PutTextToListTouchesNoFile) {
    ui::TStringList l;
    ini->PutTextToList(u"", l);
    EXPECT_EQ(l.Count(), 0);
    ini->PutTextToList(std::u16string(65532, u'a') + u" ", l);
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Strings(1), u"\" \"");
    EXPECT_EQ(uintptr_t(l.Objects(0)), uintptr_t(ChunkHash(std::u16string(65532, u'a'))));
    EXPECT_TRUE(files.files.empty());
}

}  // namespace
}  // namespace inifile::testing
