// Typed values: their stored text and what malformed text reads back as.
#include <cmath>

#include "tests/inifile/IniFixture.h"

namespace inifile::testing {
namespace {

TEST_F(IniTest, IntegersAndBooleansFromStoredText) {
    struct Case {
        std::string stored;
        int32_t integer;  // read with default 99
        bool boolean;     // read with default false
    } cases[] = {
        {"0x1F", 31, true},  {"0X1f", 31, true},  {"$1F", 31, true},
        {"  12", 12, true},  {"12abc", 99, false}, {"4294967296", 99, false},
        {"2", 2, true},      {"-1", -1, true},    {"$10", 16, true},
        {"0", 0, false},     {"yes", 99, false},  {"true", 99, false},
        {"", 99, false},     {"\"7\"", 7, true},
    };
    for (const auto& c : cases) {
        store("[P]\nK=" + c.stored + "\n");
        EXPECT_EQ(ini->ReadInteger(u"P", u"K", 99), c.integer) << c.stored;
        EXPECT_EQ(ini->ReadBool(u"P", u"K", false), c.boolean) << c.stored;
    }
    store("");
    EXPECT_TRUE(ini->ReadBool(u"P", u"Absent", true));
    ini->WriteBool(u"P", u"T", true);
    ini->WriteBool(u"P", u"F", false);
    ini->WriteInteger(u"P", u"N", -2147483647 - 1);
    EXPECT_EQ(stored(), "[P]\nT=1\nF=0\nN=-2147483648\n");
}

TEST(FloatTextTest, GeneralNotation) {
    struct Case {
        double v;
        const char* text;
    } cases[] = {
        {0, "0"},          {0.1, "0.1"},          {1.5, "1.5"},
        {-1.5, "-1.5"},    {0.00012, "0.00012"},  {0.00001, "1E-5"},
        {1e20, "1E20"},    {1.5e-10, "1.5E-10"},  {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},    {1234567890123456.0, "1.23456789012346E15"},
        {1.0 / 3, "0.333333333333333"},           {100, "100"},
        {-2.5e-300, "-2.5E-300"},
    };
    for (const auto& c : cases) EXPECT_EQ(u8(FloatToText(c.v)), c.text);
}

TEST_F(IniTest, FloatsRoundTripAndBadTextGivesTheDefault) {
    for (double v : {0.1, 1e20, 0.00001, -123.456, 1e-300, 6.02214076e23}) {
        ini->WriteFloat(u"F", u"V", v);
        EXPECT_DOUBLE_EQ(ini->ReadFloat(u"F", u"V", -1), v);
    }
    struct Case {
        std::string stored;
        double read;
    } cases[] = {
        {"1,5", 7}, {"", 7},    {"abc", 7},  {"1.5", 1.5}, {"-2E3", -2000},
        {"2e-3", 0.002}, {".5", 0.5}, {"5.", 5}, {"1e", 7}, {"1.5x", 7}, {"1e999", 7}, {"1e-999", 0},
    };
    for (const auto& c : cases) {
        store("[F]\nV=" + c.stored + "\n");
        EXPECT_DOUBLE_EQ(ini->ReadFloat(u"F", u"V", 7), c.read) << c.stored;
    }
    ini->WriteFloat(u"F", u"Inf", INFINITY);
    EXPECT_TRUE(std::isinf(ini->ReadFloat(u"F", u"Inf", 0)));
}

TEST_F(IniTest, DatesAndTimes) {
    const TDateTime when = *EncodeDateTime(2026, 12, 8, 7, 5, 9, 7);
    ini->WriteDate(u"D", u"Date", when);
    ini->WriteTime(u"D", u"Time", when);
    ini->WriteDateTime(u"D", u"DateTime", when);
    ini->WriteDateTime(u"D", u"Midnight", std::trunc(when));
    EXPECT_EQ(stored(),
              "[D]\nDate=08.12.2026\nTime=07:05:09.007\nDateTime=08.12.2026 07:05:09.007\n"
              "Midnight=08.12.2026\n");
    EXPECT_DOUBLE_EQ(ini->ReadDate(u"D", u"Date", 0), std::trunc(when));
    EXPECT_NEAR(ini->ReadTime(u"D", u"Time", 0), when - std::trunc(when), 1e-9);
    EXPECT_NEAR(ini->ReadDateTime(u"D", u"DateTime", 0), when, 1e-9);
    EXPECT_DOUBLE_EQ(ini->ReadDateTime(u"D", u"Midnight", 0), std::trunc(when));

    struct Case {
        std::string stored;
        double date, time;  // read with default -1
    } cases[] = {
        {"31.12.1899", 1, -1},   {"30.12.1899", 0, -1},    {"1.1.26", *EncodeDateTime(2026, 1, 1), -1},
        {"31.02.2026", -1, -1},  {"2026-12-08", -1, -1},   {"", -1, -1},
        {"12:30", -1, 0.5 + 1.0 / 48},                     {"25:00", -1, -1},
        {"06:00:00", -1, 0.25},  {"xx", -1, -1},
    };
    for (const auto& c : cases) {
        store("[D]\nV=" + c.stored + "\n");
        EXPECT_NEAR(ini->ReadDate(u"D", u"V", -1), c.date, 1e-9) << c.stored;
        EXPECT_NEAR(ini->ReadTime(u"D", u"V", -1), c.time, 1e-9) << c.stored;
    }
    // Before 1899-12-30 the fraction still counts from midnight.
    const TDateTime old = *EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
    EXPECT_DOUBLE_EQ(old, -1.25);
    EXPECT_EQ(u8(DateTimeToText(old)), "29.12.1899 06:00:00.000");
    ini->WriteDateTime(u"D", u"Old", old);
    EXPECT_DOUBLE_EQ(ini->ReadDateTime(u"D", u"Old", 0), old);
}

TEST_F(IniTest, Colours) {
    ini->WriteColor(u"C", u"Face", ui::clBtnFace);
    ini->WriteColor(u"C", u"Green", ui::RGB(128, 255, 128));
    ini->WriteColor(u"C", u"Black", ui::clBlack);
    ini->WriteColor(u"C", u"None", ui::clNone);
    EXPECT_EQ(stored(), "[C]\nFace=clBtnFace\nGreen=$0080FF80\nBlack=clBlack\nNone=clNone\n");
    struct Case {
        std::string stored;
        ui::TColor read;  // default clAqua
    } cases[] = {
        {"CLRED", ui::clRed},         {"255", ui::clRed},           {"$000000FF", ui::clRed},
        {"reddish", ui::clAqua},      {"", ui::clAqua},             {"clwindowtext", ui::clWindowText},
        {"$FF000008", ui::clWindowText}, {"-16777201", ui::clBtnFace},
    };
    for (const auto& c : cases) {
        store("[C]\nV=" + c.stored + "\n");
        EXPECT_EQ(ini->ReadColor(u"C", u"V", ui::clAqua), c.read) << c.stored;
    }
    EXPECT_EQ(ini->ReadColor(u"C", u"Absent", ui::clMoneyGreen), ui::clMoneyGreen);
    ASSERT_EQ(ui::ColorNames().size(), 52u);
    for (const auto& n : ui::ColorNames()) {
        EXPECT_EQ(ColorToText(n.Value), n.Name);
        EXPECT_EQ(TextToColor(ui::UpperAscii(n.Name)), n.Value);
    }
    EXPECT_THROW(TextToColor(u"clReddish"), ui::EConvertError);
}

TEST_F(IniTest, FontsRoundTripAndFireOneChange) {
    ui::TFont f;
    f.SetName(u"Tahoma");
    f.SetSize(8);
    f.SetStyle(ui::fsBold);
    f.SetColor(ui::clWindowText);
    f.SetCharset(1);
    ini->WriteFont(u"Work", u"Font", f);
    EXPECT_EQ(stored(), "[Work]\nFont=Tahoma,8,B,0,clWindowText,1\n");

    f.SetName(u"Small Fonts");
    f.SetHeight(-9);
    f.SetStyle(ui::fsBold | ui::fsItalic | ui::fsUnderline | ui::fsStrikeOut);
    f.SetPitch(ui::fpFixed);
    f.SetColor(ui::RGB(1, 2, 3));
    f.SetCharset(204);
    ini->WriteFont(u"Work", u"Font2", f);
    EXPECT_EQ(ini->ReadString(u"Work", u"Font2", u""), u"Small Fonts,7,BIUS,2,$00030201,204");
    ui::TFont g;
    int changes = 0;
    g.OnChange = [&](ui::TObject*) { ++changes; };
    ini->ReadFont(u"Work", u"Font2", g);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(g.Name(), u"Small Fonts");
    EXPECT_EQ(g.Size(), 7);
    EXPECT_EQ(g.Style(), f.Style());
    EXPECT_EQ(g.Pitch(), ui::fpFixed);
    EXPECT_EQ(g.Color(), ui::RGB(1, 2, 3));
    EXPECT_EQ(g.Charset(), 204);
    ASSERT_TRUE(g.OnChange);

    ui::TFont before;
    ini->ReadFont(u"Work", u"Absent", g);
    EXPECT_EQ(g.Name(), u"Small Fonts");
}

TEST(FontTextTest, MalformedFields) {
    struct Case {
        std::u16string text;
        std::u16string name;
        int size;
        ui::TFontStyles style;
        ui::TFontPitch pitch;
        ui::TColor color;
        int charset;
    } cases[] = {
        {u"Arial;12;bi", u"Arial", 12, ui::fsBold | ui::fsItalic, ui::fpVariable, ui::clRed, 7},
        {u"Arial,12,B,0,notacolour,204", u"Arial", 12, ui::fsBold, ui::fpDefault, ui::clRed, 7},
        {u" Verdana , x , sub , 258 , clBlue , 300 ", u"Verdana", 10,
         ui::fsStrikeOut | ui::fsUnderline | ui::fsBold,
         ui::fpFixed, ui::clBlue, 44},
        {u",,", u"Orig", 10, ui::fsStrikeOut, ui::fpVariable, ui::clRed, 7},
        {u"A,,,,", u"A", 10, 0, ui::fpVariable, ui::clRed, 7},
        {u"B,9,,7,clLime,1,extra,fields", u"B", 9, 0, ui::fpDefault, ui::clLime, 1},
        {u"", u"Orig", 10, ui::fsStrikeOut, ui::fpVariable, ui::clRed, 7},
    };
    for (const auto& c : cases) {
        ui::TFont f;
        f.SetName(u"Orig");
        f.SetSize(10);
        f.SetStyle(ui::fsStrikeOut);
        f.SetPitch(ui::fpVariable);
        f.SetColor(ui::clRed);
        f.SetCharset(7);
        int changes = 0;
        f.OnChange = [&](ui::TObject*) { ++changes; };
        try {
            TextToFont(c.text, f);
        } catch (const ui::EConvertError&) {
        }
        EXPECT_EQ(changes, 1) << u8(c.text);
        EXPECT_EQ(f.Name(), c.name) << u8(c.text);
        EXPECT_EQ(f.Size(), c.size) << u8(c.text);
        EXPECT_EQ(f.Style(), c.style) << u8(c.text);
        EXPECT_EQ(f.Pitch(), c.pitch) << u8(c.text);
        EXPECT_EQ(f.Color(), c.color) << u8(c.text);
        EXPECT_EQ(f.Charset(), c.charset) << u8(c.text);
    }
}

TEST_F(IniTest, RectanglesAndPoints) {
    const TRect def{10, 20, 30, 40};
    ini->WriteRect(u"G", u"R", TRect{-1, 2, 3, 4});
    ini->WritePoint(u"G", u"P", TPoint{5, -6});
    EXPECT_EQ(stored(), "[G]\nR=[-1,2,3,4]\nP=[5,-6]\n");
    EXPECT_EQ(ini->ReadRect(u"G", u"R", def), (TRect{-1, 2, 3, 4}));
    EXPECT_EQ(ini->ReadPoint(u"G", u"P", TPoint{}), (TPoint{5, -6}));
    EXPECT_EQ(ini->ReadRect(u"G", u"Absent", def), def);
    struct Case {
        std::string stored;
        TRect rect;
    } cases[] = {
        {"(1, 2, 3, 4)", {1, 2, 3, 4}}, {"[5,6]", {5, 20, 30, 40}}, {"7", def},
        {"{1,x,3,y}", {1, 20, 3, 40}},   {"[1,2,3,4", {10, 2, 3, 4}}, {"1,2,3,4,5", {1, 2, 3, 40}},
        {"(1,2,3,4]", {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        store("[G]\nV=" + c.stored + "\n");
        EXPECT_EQ(ini->ReadRect(u"G", u"V", def), c.rect) << c.stored;
    }
    store("[G]\nA={3,x}\nB=9\nC=(,4)\n");
    EXPECT_EQ(ini->ReadPoint(u"G", u"A", TPoint{1, 2}), (TPoint{3, 2}));
    EXPECT_EQ(ini->ReadPoint(u"G", u"B", TPoint{1, 2}), (TPoint{1, 2}));
    EXPECT_EQ(ini->ReadPoint(u"G", u"C", TPoint{1, 2}), (TPoint{1, 4}));
}

class Tag : public ui::TObject {};

TEST_F(IniTest, ListsOwnTheirSection) {
    store("[L]\nOld=1\nItem5=stale\n");
    ui::TStringList l;
    Tag tagA;
    l.AddObject(u"a", &tagA);
    l.Add(u"b");
    std::vector<std::u16string> written;
    ini->OnWriteObject = [&](ui::TObject* Sender, const std::u16string& Section,
                             const std::u16string& Item, ui::TObject* Obj) {
        EXPECT_EQ(Sender, ini.get());
        EXPECT_EQ(Section, u"L");
        written.push_back(Item + (Obj == &tagA ? u"+tag" : u""));
    };
    ini->WriteList(u"L", l);
    EXPECT_EQ(stored(), "[L]\nCount=2\nItem0=a\nItem1=b\n");
    EXPECT_EQ(written, (std::vector<std::u16string>{u"Item0+tag", u"Item1"}));

    ui::TStringList r;
    r.Add(u"c");
    ini->OnReadObject = [&](ui::TObject*, const std::u16string&, const std::u16string& Item,
                            const std::u16string& Value) -> ui::TObject* {
        return Item == u"Item0" && Value == u"a" ? &tagA : nullptr;
    };
    ini->ReadList(u"L", r);
    ASSERT_EQ(r.Count(), 3);
    EXPECT_EQ(r.Strings(0), u"c");
    EXPECT_EQ(r.Strings(1), u"a");
    EXPECT_EQ(r.Objects(1), &tagA);
    EXPECT_EQ(r.Strings(2), u"b");
    ini->ReadListParam(u"L", false, r);
    ASSERT_EQ(r.Count(), 2);
    EXPECT_EQ(r.Strings(0), u"a");

    store("[L]\nCount=4\nItem0=\nItem2=x\n[N]\nCount=-1\n");
    ini->ReadListParam(u"L", false, r);
    ASSERT_EQ(r.Count(), 2);  // the empty item is kept, the absent ones skipped
    EXPECT_EQ(r.Strings(0), u"");
    EXPECT_EQ(r.Strings(1), u"x");
    ini->ReadListParam(u"N", false, r);
    EXPECT_EQ(r.Count(), 2);  // a negative count leaves the list alone
    ini->ReadListParam(u"Absent", false, r);
    EXPECT_EQ(r.Count(), 2);
}

TEST_F(IniTest, ListItemNameAndLongItems) {
    ini->SetListItemName(u"Entry");
    ui::TStringList l;
    l.Add(std::u16string(65533, u'e'));
    l.Add(u"two\r\nlines");
    ini->WriteList(u"L", l);
    ui::TStringList keys;
    ini->ReadSection(u"L", keys);
    ASSERT_EQ(keys.Count(), 6);
    EXPECT_EQ(keys.Strings(1), u"Entry0");
    EXPECT_EQ(keys.Strings(5), u"Entry1");
    ui::TStringList r;
    ini->ReadList(u"L", r);
    ASSERT_EQ(r.Count(), 2);
    EXPECT_EQ(r.Strings(0).size(), 65533u);
    EXPECT_EQ(r.Strings(1), u"two\r\nlines");
}

}  // namespace
}  // namespace inifile::testing
