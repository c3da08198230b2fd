#include <gtest/gtest.h>

#include <set>

#include "LangTestClasses.h"
#include "platform/fake/FakePlatform.h"
#include "resources/Embedded.h"
#include "ui/Text.h"

namespace {

using langtest::TTestForm;
using langtest::TTestGrid;
using langtest::TTestLabel;
using lang::TBytesStream;
using lang::TDKLang_CompEntry;

std::vector<uint8_t> Form1LangData() {
    const tovra::res::Blob* b = tovra::res::find("Form1.LangData");
    if (!b) return {};
    return {b->data, b->data + b->size};
}

void CountEntries(const TDKLang_CompEntry& e, int& children, std::set<int>& ids) {
    if (auto* p = e.PropEntries())
        for (int i = 0; i < p->Count(); ++i) ids.insert(p->Items(i).iID);
    if (auto* c = e.OwnedCompEntries())
        for (int i = 0; i < c->Count(); ++i) {
            ++children;
            CountEntries(c->Items(i), children, ids);
        }
}

TEST(Form1LangDataTest, MapHasItsBytesCountsAndIds) {
    std::vector<uint8_t> bytes = Form1LangData();
    ASSERT_EQ(bytes.size(), 1203u);
    // 05 00 "Form1" 01, one record (ID 1, "Caption"), then 01 and 57 children.
    const std::vector<uint8_t> head = {0x05, 0x00, 'F', 'o', 'r', 'm', '1', 0x01, 0x01, 0x00,
                                       0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x07, 0x00, 'C', 'a',
                                       'p', 't', 'i', 'o', 'n', 0x01, 0x39, 0x00, 0x00, 0x00};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(head.size())), head);

    TDKLang_CompEntry root(nullptr);
    TBytesStream s(bytes);
    root.LoadFromDFMResource(s);
    EXPECT_EQ(s.Position(), 1203u);
    EXPECT_EQ(root.Name(), u"Form1");
    int children = 0;
    std::set<int> ids;
    CountEntries(root, children, ids);
    EXPECT_EQ(children, 57);
    EXPECT_EQ(root.OwnedCompEntries()->Count(), 57) << "all are direct children";
    EXPECT_EQ(ids.size(), 34u);
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), 36);
    EXPECT_FALSE(ids.count(19));
    EXPECT_FALSE(ids.count(23));
    EXPECT_EQ(root.MaxPropID(), 36);

    struct Case {
        const char16_t* comp;
        const char16_t* path;
        int id;
    };
    const Case spots[] = {{u"Label7", u"Caption", 2},       {u"Edit1", u"Text", 7},
                          {u"OpenDialog1", u"Filter", 24},  {u"TextTrayIcon1", u"Hint", 25},
                          {u"mLanguage", u"Caption", 34},   {u"CheckBox2", u"Caption", 36}};
    for (const Case& k : spots) {
        SCOPED_TRACE(ui::ToUtf8(k.comp));
        int i = root.OwnedCompEntries()->IndexOfCompName(k.comp);
        ASSERT_GE(i, 0);
        auto* p = root.OwnedCompEntries()->Items(i).PropEntries();
        ASSERT_NE(p, nullptr);
        ASSERT_EQ(p->Count(), 1);
        EXPECT_EQ(p->Items(0).wsPropName, k.path);
        EXPECT_EQ(p->Items(0).iID, k.id);
    }
    int timer = root.OwnedCompEntries()->IndexOfCompName(u"timer1");
    ASSERT_GE(timer, 0);
    EXPECT_EQ(root.OwnedCompEntries()->Items(timer).PropEntries(), nullptr);

    // Unbound, the entry writes back exactly what it read.
    TBytesStream out;
    root.SaveToDFMResource(out);
    EXPECT_EQ(out.Bytes(), bytes);
}

TEST(LangDataReaderTest, ShortOrOddDataRaisesReadErrors) {
    const std::vector<uint8_t> full = Form1LangData();
    ASSERT_FALSE(full.empty());
    for (std::size_t cut : {std::size_t(0), std::size_t(1), std::size_t(7), std::size_t(29),
                            std::size_t(600), full.size() - 1}) {
        SCOPED_TRACE(cut);
        TDKLang_CompEntry root(nullptr);
        TBytesStream s(std::vector<uint8_t>(full.begin(), full.begin() + long(cut)));
        EXPECT_THROW(root.LoadFromDFMResource(s), ui::EReadError);
    }
    // Deep nesting is refused rather than exhausting the stack: each level is
    // name "" (00 00), no properties (00), children (01) and one child (01 00 00 00).
    std::vector<uint8_t> deep;
    for (int i = 0; i < 100000; ++i) deep.insert(deep.end(), {0, 0, 0, 1, 1, 0, 0, 0});
    TDKLang_CompEntry root(nullptr);
    TBytesStream s(deep);
    EXPECT_THROW(root.LoadFromDFMResource(s), ui::EReadError);
    // Property records in any order come out sorted by path, ignoring ASCII case.
    std::vector<uint8_t> props = {1, 0, 'F', 1, 3, 0, 0, 0,
                                  5, 0, 0, 0, 4, 0, 'h', 'i', 'n', 't',
                                  6, 0, 0, 0, 7, 0, 'C', 'a', 'p', 't', 'i', 'o', 'n',
                                  7, 0, 0, 0, 4, 0, 'H', 'I', 'N', 'T',  // same path: keeps ID 5
                                  0};
    TDKLang_CompEntry r2(nullptr);
    TBytesStream s2(props);
    r2.LoadFromDFMResource(s2);
    ASSERT_EQ(r2.PropEntries()->Count(), 2);
    EXPECT_EQ(r2.PropEntries()->Items(0).wsPropName, u"Caption");
    EXPECT_EQ(r2.PropEntries()->Items(1).iID, 5);
}

TEST(MaskListTest, MatchesWholeNamesWithWildcardsAndSets) {
    struct Case {
        const char16_t* mask;
        const char16_t* name;
        bool match;
    };
    const Case cases[] = {
        {u".Hint", u".Hint", true},          {u".Hint", u"Button1.Hint", false},
        {u"*.Hint", u".Hint", true},         {u"*.Hint", u"Button1.Hint", true},
        {u"*.hint", u"Button1.HINT", true},  {u"*.Hint", u"Button1.Hints", false},
        {u"Label?.Caption", u"Label7.Caption", true},
        {u"Label?.Caption", u"Label17.Caption", false},
        {u"*.Font.*", u"Label1.Font.Name", true},
        {u"[a-c]*", u"Button1.Caption", true},
        {u"[a-c]*", u"Label1.Caption", false},
        {u"[!a-c]*", u"Label1.Caption", true},
        {u"[!a-c]*", u"button1.Caption", false},
        {u"*", u"", true},                    {u"", u"", true},
        {u"", u"x", false},                   {u"a*b*c", u"aXXbYYc", true},
        {u"a*b*c", u"aXXbYY", false},         {u"*ab", u"aab", true},
        {u"Größe", u"GRÖßE", false},          {u"Größe", u"GRößE", true},
        {u"[ä]", u"ä", true},                 {u"[Ж]", u"Ж", false},
        {u"[!Ж]", u"Ж", true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(ui::ToUtf8(std::u16string(k.mask) + u" ~ " + k.name));
        EXPECT_EQ(lang::TDKLang_Mask(k.mask).Matches(k.name), k.match);
    }
    ui::TStringList masks;
    masks.Add(u".Hint");
    masks.Add(u"*.Font.Name");
    lang::TDKLang_MaskList list(masks);
    EXPECT_TRUE(list.Matches(u".Hint"));
    EXPECT_TRUE(list.Matches(u"Label1.Font.Name"));
    EXPECT_FALSE(list.Matches(u"Button1.Hint"));
    EXPECT_FALSE(lang::TDKLang_MaskList(ui::TStringList()).Matches(u"x"));
}

TEST(MaskListTest, BadMasksRaiseWithTheirPosition) {
    struct Case {
        std::u16string mask;
        std::u16string message;
    };
    std::u16string stars;
    for (int i = 0; i < 31; ++i) stars += u"*a";
    const Case cases[] = {
        {u"[abc", u"'[abc' is an invalid mask at (5)"},
        {u"ab[!x", u"'ab[!x' is an invalid mask at (6)"},
        {stars, u"'" + stars + u"' is an invalid mask at (62)"},
    };
    for (const Case& k : cases) {
        try {
            lang::TDKLang_Mask m(k.mask);
            ADD_FAILURE() << ui::ToUtf8(k.mask);
        } catch (const ui::EDKLangError& e) {
            EXPECT_EQ(e.Message(), k.message);
        }
    }
    std::u16string thirty;
    for (int i = 0; i < 30; ++i) thirty += u"*a";
    EXPECT_NO_THROW(lang::TDKLang_Mask{thirty});
}

// A form with a label, a grid and a controller built in code.
struct MapFixture : ::testing::Test {
    platform::fake::FakePlatform fp;
    std::unique_ptr<TTestForm> form = std::make_unique<TTestForm>(nullptr);
    TTestLabel* label = nullptr;
    TTestGrid* grid = nullptr;
    lang::TDKLanguageController* ctl = nullptr;

    void SetUp() override {
        lang::ResetLangManager();
        form->SetName(u"Form1");
        form->caption = u"QV Tovra";
        form->hint = u"form hint";
        label = new TTestLabel(form.get());
        label->SetName(u"Label1");
        label->caption = u"Time for work:";
        label->hint = u"label hint";
        label->shortText = u"short";
        label->transient = u"not stored";
        grid = new TTestGrid(form.get());
        grid->SetName(u"Grid1");
        for (const char16_t* c : {u"One", u"Two", u"Three"})
            static_cast<langtest::TTestColumn*>(grid->columns.Add())->caption = c;
        grid->lines.SetText(u"a\r\nb\r\n");
        grid->buddy = label;
        auto* unnamed = new TTestLabel(form.get());
        unnamed->caption = u"no name, no entry";
        ctl = new lang::TDKLanguageController(form.get());
        ctl->SetName(u"dklcMain");
    }
    void TearDown() override {
        form.reset();
        lang::ResetLangManager();
    }

    std::map<std::u16string, int> Sources() {
        ui::TStringList src;
        ctl->WriteLangSource(src, 0);
        std::map<std::u16string, int> r;
        for (int i = 0; i < src.Count(); ++i) {
            const std::u16string& l = src.Strings(i);
            auto eq = l.find(u'=');
            r[l.substr(0, eq)] = int(lang::StrToIntDef(l.substr(eq + 1, 8), -1));
        }
        return r;
    }
};

TEST_F(MapFixture, UpdateModeMapsStoredTextsWithFreshIds) {
    ctl->SetOptions(lang::dklcoDefault & ~(1u << lang::dklcoIgnoreFontProps));
    ASSERT_TRUE(ctl->RefreshLangSource());
    auto src = Sources();
    std::set<std::u16string> paths;
    for (auto& [p, id] : src) paths.insert(p);
    EXPECT_EQ(paths, (std::set<std::u16string>{
                         u"Caption", u"Hint", u"Label1.Caption", u"Label1.Hint", u"Label1.Short",
                         u"Label1.Font.Name", u"Grid1.Columns[0].Caption", u"Grid1.Columns[1].Caption",
                         u"Grid1.Columns[2].Caption", u"Grid1.Lines"}));
    std::set<int> ids;
    for (auto& [p, id] : src) ids.insert(id);
    EXPECT_EQ(ids.size(), src.size());
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), int(src.size()));

    ui::TStringList lines;
    ctl->WriteLangSource(lines, 0);
    EXPECT_NE(lines.IndexOf(ui::Format(u"Grid1.Lines=%.8d,a\\nb\\n", {src[u"Grid1.Lines"]})), -1);
    EXPECT_NE(lines.IndexOf(ui::Format(u"Caption=%.8d,QV Tovra", {src[u"Caption"]})), -1);
}

TEST_F(MapFixture, MasksOptionsAndStoreListSteerTheUpdate) {
    ui::TStringList ignore;
    ignore.Add(u".Hint");
    ctl->SetIgnoreList(ignore);
    ui::TStringList store;
    store.Add(u"Label1.Transient");
    ctl->SetStoreList(store);
    label->shortText = u"45";  // no letter: dropped by the non-alpha option
    ctl->RefreshEntries(true);
    auto src = Sources();
    EXPECT_FALSE(src.count(u"Hint")) << "the form's own Hint has the mask name '.Hint'";
    EXPECT_TRUE(src.count(u"Label1.Hint"));
    EXPECT_TRUE(src.count(u"Label1.Transient"));
    EXPECT_FALSE(src.count(u"Label1.Short"));
    EXPECT_FALSE(src.count(u"Label1.Font.Name")) << "fonts are skipped by default";

    ignore.Clear();
    ignore.Add(u"*.Hint");
    ctl->SetIgnoreList(ignore);
    ctl->SetOptions(0);
    label->caption.clear();
    ctl->RefreshEntries(true);
    src = Sources();
    EXPECT_FALSE(src.count(u"Label1.Hint"));
    EXPECT_TRUE(src.count(u"Label1.Short")) << "'45' counts without the non-alpha option";
    EXPECT_TRUE(src.count(u"Label1.Caption")) << "empty texts count without the empty option";
    EXPECT_TRUE(src.count(u"Label1.Font.Name"));
}

TEST_F(MapFixture, IdsAreNeverReusedAndVanishedPropertiesLoseTheirEntries) {
    ctl->RefreshEntries(true);
    auto before = Sources();
    const int maxBefore = ctl->RootCompEntry().MaxPropID();
    const int labelCaption = before[u"Label1.Caption"];
    const int lines = before[u"Grid1.Lines"];
    grid->columns.Clear();  // its three column captions vanish
    label->hint = u"changed";  // still met: keeps its ID
    ctl->RefreshEntries(true);
    auto after = Sources();
    EXPECT_FALSE(after.count(u"Grid1.Columns[0].Caption"));
    EXPECT_EQ(after[u"Label1.Caption"], labelCaption);
    EXPECT_EQ(after[u"Grid1.Lines"], lines);
    EXPECT_EQ(after[u"Label1.Hint"], before[u"Label1.Hint"]);
    // A new property gets one above the largest present.
    auto* extra = new TTestLabel(form.get());
    extra->SetName(u"Label2");
    extra->caption = u"new";
    ctl->RefreshEntries(true);
    EXPECT_EQ(Sources()[u"Label2.Caption"], ctl->RootCompEntry().MaxPropID());
    EXPECT_GT(Sources()[u"Label2.Caption"], 0);
    EXPECT_LE(maxBefore, ctl->RootCompEntry().MaxPropID());
}

TEST_F(MapFixture, NoControllerGetsAnEntry) {
    auto* other = new lang::TDKLanguageController(form.get());
    other->SetName(u"dklcOther");
    ctl->RefreshEntries(true);
    auto* kids = ctl->RootCompEntry().OwnedCompEntries();
    ASSERT_NE(kids, nullptr);
    EXPECT_EQ(kids->IndexOfCompName(u"dklcMain"), -1);
    EXPECT_EQ(kids->IndexOfCompName(u"dklcOther"), -1);
    EXPECT_GE(kids->IndexOfCompName(u"Label1"), 0);
}

TEST_F(MapFixture, ApplyUsesTheSectionElseTheCapturedDefaults) {
    ctl->RefreshEntries(true);
    auto src = Sources();
    lang::TDKLang_CompTranslation section(u"Form1");
    section.Add(src[u"Label1.Caption"], u"Время работы:", 0);
    section.Add(src[u"Label1.Short"], u"Größe €", 0);
    section.Add(src[u"Grid1.Columns[1].Caption"], u"Два", 0);
    section.Add(src[u"Grid1.Lines"], u"x\r\ny\r\nz\r\n", 0);
    section.Add(9999, u"unused", 0);

    label->hint = u"changed at run time";
    ctl->RootCompEntry().ApplyTranslation(&section);
    EXPECT_EQ(label->caption, u"Время работы:");
    EXPECT_EQ(label->shortText, u"Größe €") << "representable in the 8-bit code page";
    EXPECT_EQ(label->hint, u"label hint") << "not in the section: back to the default text";
    EXPECT_EQ(grid->columns.Items(1) ? static_cast<langtest::TTestColumn*>(grid->columns.Items(1))->caption
                                     : u"",
              u"Два");
    EXPECT_EQ(grid->lines.Count(), 3);
    EXPECT_EQ(form->caption, u"QV Tovra");

    section.Add(src[u"Label1.Hint"], u"Подсказка Ж", 0);
    ctl->RootCompEntry().ApplyTranslation(&section);
    section = lang::TDKLang_CompTranslation(u"Form1");
    section.Add(src[u"Label1.Short"], u"Жук", 0);
    ctl->RootCompEntry().ApplyTranslation(&section);
    EXPECT_EQ(label->shortText, u"???") << "8-bit properties get the code page's text";

    ctl->RootCompEntry().ApplyTranslation(nullptr);
    EXPECT_EQ(label->caption, u"Time for work:");
    EXPECT_EQ(label->hint, u"label hint");
    EXPECT_EQ(static_cast<langtest::TTestColumn*>(grid->columns.Items(1))->caption, u"Two");
    EXPECT_EQ(grid->lines.Text(), u"a\r\nb\r\n");
}

TEST_F(MapFixture, CaptureKeepsEarlierDefaultsForTextsThatFailTheFilter) {
    ctl->RefreshEntries(true);
    auto src = Sources();
    label->caption = u"45";
    ctl->RefreshEntries(false);  // capture: '45' has no letter, the entry keeps its default
    ctl->RootCompEntry().ApplyTranslation(nullptr);
    EXPECT_EQ(label->caption, u"Time for work:");
    label->caption = u"Neu";
    ctl->RefreshEntries(false);
    label->caption = u"other";
    ctl->RootCompEntry().ApplyTranslation(nullptr);
    EXPECT_EQ(label->caption, u"Neu");
    EXPECT_EQ(Sources(), src) << "capture never changes the map";
}

TEST_F(MapFixture, RemovedComponentsLeaveTheMap) {
    ctl->RefreshEntries(true);
    ASSERT_GE(ctl->RootCompEntry().OwnedCompEntries()->IndexOfCompName(u"Label1"), 0);
    grid->buddy = nullptr;
    delete label;
    label = nullptr;
    EXPECT_EQ(ctl->RootCompEntry().OwnedCompEntries()->IndexOfCompName(u"Label1"), -1);
    EXPECT_NO_THROW(ctl->RootCompEntry().ApplyTranslation(nullptr));
    EXPECT_FALSE(Sources().count(u"Label1.Caption"));
}

TEST_F(MapFixture, WrittenLangDataBindsByNameAndDropsMissingComponents) {
    TBytesStream data;
    ASSERT_TRUE(ctl->HasLangData());
    ctl->WriteLangData(data);
    auto ids = Sources();

    // A second form of the same shape, read the way the form reader does it.
    TTestForm form2(nullptr);
    form2.SetName(u"Form1");
    form2.SetComponentStateFlag(ui::csLoading, true);
    auto* l2 = new TTestLabel(&form2);
    l2->SetName(u"label1");  // names bind ignoring case
    l2->caption = u"Default caption";
    auto* c2 = new lang::TDKLanguageController(&form2);
    EXPECT_FALSE(c2->HasLangData()) << "not bound while loading";
    ASSERT_TRUE(c2->ReadBinaryProperty(u"LangData", data.Bytes()));
    EXPECT_FALSE(c2->ReadBinaryProperty(u"Other", data.Bytes()));
    form2.SetComponentStateFlag(ui::csLoading, false);
    c2->Loaded();
    auto* kids = c2->RootCompEntry().OwnedCompEntries();
    ASSERT_NE(kids, nullptr);
    EXPECT_EQ(kids->Count(), 1) << "Grid1 is not on this form";
    EXPECT_EQ(kids->Items(0).Component(), l2);

    lang::TDKLang_CompTranslation section(u"Form1");
    section.Add(ids[u"Label1.Caption"], u"Übersetzt", 0);
    c2->RootCompEntry().ApplyTranslation(&section);
    EXPECT_EQ(l2->caption, u"Übersetzt");
    c2->RootCompEntry().ApplyTranslation(nullptr);
    EXPECT_EQ(l2->caption, u"Default caption");
}

TEST(ControllerStreamingTest, AnUnboundControllerWritesNoLangData) {
    platform::fake::FakePlatform fp;
    lang::ResetLangManager();
    {
        lang::TDKLanguageController lone(nullptr);
        EXPECT_FALSE(lone.HasLangData());
        EXPECT_FALSE(lone.RefreshLangSource());
        TTestForm unnamed(nullptr);
        auto* c = new lang::TDKLanguageController(&unnamed);
        EXPECT_FALSE(c->HasLangData());
        EXPECT_FALSE(c->RefreshLangSource());
        unnamed.SetName(u"Named");
        EXPECT_TRUE(c->HasLangData());
        EXPECT_EQ(c->GetLangSourceSectionName(), u"Named");
    }
    lang::ResetLangManager();
}

TEST(ControllerClassTest, PublishesItsPropertiesInOrderAndCanBeCreatedByName) {
    std::vector<std::u16string> names;
    for (auto* p : lang::TDKLanguageController::StaticClassInfo().Properties()) names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Name", u"Tag", u"IgnoreList", u"Options",
                                                  u"SectionName", u"StoreList", u"OnLanguageChanging",
                                                  u"OnLanguageChanged"}));
    EXPECT_EQ(ui::FindClass(u"TDKLanguageController"), &lang::TDKLanguageController::StaticClassInfo());
    platform::fake::FakePlatform fp;
    lang::ResetLangManager();
    {
        lang::TDKLanguageController c(nullptr);
        auto* opts = lang::TDKLanguageController::StaticClassInfo().FindProperty(u"Options");
        EXPECT_FALSE(opts->IsStored(c));
        opts->SetText(c, u"[dklcoIgnoreFontProps]");
        EXPECT_EQ(c.Options(), 1u << lang::dklcoIgnoreFontProps);
        EXPECT_TRUE(opts->IsStored(c));
        ui::TStringList l;
        l.Add(u"b");
        l.Add(u"a");
        l.Add(u"B");
        c.SetIgnoreList(l);
        EXPECT_EQ(c.IgnoreList()->Text(), u"a\r\nb\r\n");
    }
    lang::ResetLangManager();
}

}  // namespace
