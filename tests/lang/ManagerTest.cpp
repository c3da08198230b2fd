#include <gtest/gtest.h>

#include "LangTestClasses.h"
#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "platform/fake/FakePlatform.h"
#include "ui/Text.h"

namespace {

using langtest::TTestForm;
using langtest::TTestLabel;

// A fresh manager over an in-memory program folder.
struct ManagerFixture : ::testing::Test {
    platform::fake::FakePlatform fp;
    const std::u16string dir = u"/opt/tovra";

    void SetUp() override { lang::ResetLangManager(); }
    void TearDown() override { lang::ResetLangManager(); }

    void File(const std::u16string& name, const std::string& content) {
        fp.fileSystemFake.addFile(dir + u"/" + name, content);
    }
};

TEST_F(ManagerFixture, StartsWithTheDefaultLanguageAndTheBuiltInConstants) {
    EXPECT_EQ(lang::LanguageCount(), 1);
    EXPECT_EQ(lang::LanguageIdAt(0), 1033u);
    EXPECT_EQ(lang::LanguageNameAt(0), u"English");
    EXPECT_EQ(lang::CurrentLanguageId(), 1033u);
    EXPECT_EQ(lang::DefaultLanguageId(), 1033u);
    EXPECT_EQ(lang::ConstantText(u"Scancel"), u"Cancel");
    EXPECT_EQ(lang::ConstantText(u"sworktimes"), u"Time left for work");
    try {
        lang::ConstantText(u"Snope");
        ADD_FAILURE();
    } catch (const ui::EDKLangError& e) {
        EXPECT_EQ(e.Message(), u"Constant \"Snope\" not found");
    }
    EXPECT_THROW(lang::LanguageIdAt(1), ui::EListError);
    EXPECT_THROW(lang::LanguageIdAt(-1), ui::EListError);
    EXPECT_THROW(lang::LanguageNameAt(1), ui::EListError);
}

TEST_F(ManagerFixture, MissingConstantsResourceLeavesAnEmptyTable) {
    fp.resourcesFake.overrides["DKLANG_CONSTS"] = std::nullopt;
    EXPECT_THROW(lang::ConstantText(u"Sh"), ui::EDKLangError);
    lang::ResetLangManager();
    // A damaged one keeps the constants before the damage and the program starts.
    std::vector<uint8_t> cut = {3, 1, 2, 0, 0, 0, 1, 0, 'A', 0, 1, 0, 'x', 0, 9};
    fp.resourcesFake.overrides["DKLANG_CONSTS"] = cut;
    EXPECT_EQ(lang::ConstantText(u"A"), u"x");
}

TEST_F(ManagerFixture, DesignEnvironmentRefusesTheManager) {
    lang::DKLang_IsDesignTime = true;
    try {
        lang::LangManager();
        ADD_FAILURE();
    } catch (const ui::EDKLangError& e) {
        EXPECT_EQ(e.Message(), u"Call to LangManager() is allowed at runtime only");
    }
    lang::DKLang_IsDesignTime = false;
    EXPECT_NO_THROW(lang::LangManager());
}

TEST_F(ManagerFixture, ScanningCountsRegisteredFilesAndListsEachLanguageOnce) {
    File(u"ru.lng", "LANGID=1049\r\n");
    File(u"de.lng", "; German\r\nLANGID=1031\r\n[Form1]\r\n");
    File(u"none.lng", "Author=nobody\r\n");
    File(u"en.lng", "LANGID=1033\r\n");
    File(u"zero.lng", "LANGID=abc\r\n");
    File(u"neg.lng", "LANGID=-5\r\n");
    File(u"readme.txt", "LANGID=1036\r\n");
    EXPECT_EQ(lang::ScanLanguageFolder(dir, u"*.lng", false), 4) << "ru, de, en (counted, not added), neg";
    EXPECT_EQ(lang::LanguageCount(), 4);
    std::set<uint32_t> ids;
    for (int i = 1; i < lang::LanguageCount(); ++i) ids.insert(lang::LanguageIdAt(i));
    EXPECT_EQ(ids, (std::set<uint32_t>{1049, 1031, 4294967291u}));
    std::set<std::u16string> names;
    for (int i = 0; i < lang::LanguageCount(); ++i) names.insert(lang::LanguageNameAt(i));
    EXPECT_EQ(names, (std::set<std::u16string>{u"English", u"Russian", u"German", u"4294967291"}));
    EXPECT_THROW(lang::LanguageIdAt(lang::LanguageCount()), ui::EListError);
}

TEST_F(ManagerFixture, ALaterFileOfTheSameLanguageTakesOverItsPlace) {
    File(u"a.lng", "\xEF\xBB\xBFLANGID=1049\r\n[$CONSTANTS]\r\nScancel=Отмена (a)\r\n");
    File(u"b.lng", "LANGID=1031\r\n[$CONSTANTS]\r\nScancel=Abbrechen\r\n");
    auto& m = lang::LangManager();
    EXPECT_TRUE(m.RegisterTranslationFile(dir + u"/a.lng"));
    EXPECT_TRUE(m.RegisterTranslationFile(dir + u"/b.lng"));
    File(u"c.lng", "\xEF\xBB\xBFLANGID=1049\r\n[$CONSTANTS]\r\nScancel=Отмена (c)\r\n");
    EXPECT_TRUE(m.RegisterTranslationFile(dir + u"/c.lng"));
    EXPECT_FALSE(m.RegisterTranslationFile(dir + u"/missing.lng"));
    EXPECT_EQ(lang::LanguageCount(), 3);
    EXPECT_EQ(lang::LanguageIdAt(1), 1049u);
    EXPECT_EQ(lang::LanguageIdAt(2), 1031u);
    lang::SetCurrentLanguageId(1049);
    EXPECT_EQ(lang::ConstantText(u"Scancel"), u"Отмена (c)");
}

TEST_F(ManagerFixture, RecursionEntersOnlyMatchingFoldersNotStartingWithADot) {
    File(u"top.lng", "LANGID=1049\r\n");
    fp.fileSystemFake.dirs = {dir + u"/more.lng", dir + u"/extra", dir + u"/.hidden.lng"};
    File(u"more.lng/de.lng", "LANGID=1031\r\n");
    File(u"extra/fr.lng", "LANGID=1036\r\n");
    File(u".hidden.lng/es.lng", "LANGID=3082\r\n");
    EXPECT_EQ(lang::ScanLanguageFolder(dir + u"/", u"*.lng", false), 1);
    EXPECT_EQ(lang::ScanLanguageFolder(dir, u"*.LNG", true), 2) << "top again and more.lng/de.lng";
    EXPECT_EQ(lang::LanguageCount(), 3);
}

// Exists, but reading it fails: the open error ends the scan and propagates.
struct UnreadableFs : platform::fake::FakeFileSystem {
    std::optional<std::vector<uint8_t>> ReadFile(const std::u16string& path) override {
        if (path.find(u"locked") != std::u16string::npos) return std::nullopt;
        return FakeFileSystem::ReadFile(path);
    }
};

TEST_F(ManagerFixture, AnUnreadableFileEndsTheScan) {
    struct Platform : platform::fake::FakePlatform {
        UnreadableFs fs;
        platform::FileSystem& fileSystem() override { return fs; }
    } p;
    p.fs.addFile(dir + u"/locked.lng", "LANGID=1049\r\n");
    EXPECT_THROW(lang::ScanLanguageFolder(dir, u"*.lng", false), lang::EFOpenError);
    EXPECT_EQ(lang::LanguageCount(), 1);
}

// A form with one mapped label and a controller loaded the way the form reader loads it.
struct Form {
    std::unique_ptr<TTestForm> form;
    TTestLabel* label = nullptr;
    lang::TDKLanguageController* ctl = nullptr;
    std::vector<std::string> events;

    explicit Form(const std::u16string& name, const std::u16string& sectionName = u"") {
        form = std::make_unique<TTestForm>(nullptr);
        form->SetName(name);
        form->SetComponentStateFlag(ui::csLoading, true);
        form->caption = u"QV Tovra";
        label = new TTestLabel(form.get());
        label->SetName(u"Label1");
        label->caption = u"Time for work:";
        ctl = new lang::TDKLanguageController(form.get());
        ctl->SetName(u"dklcMain");
        ctl->SetSectionName(sectionName);
        ctl->OnLanguageChanging = [this](ui::TObject* s) {
            events.push_back(s == ctl ? "changing" : "changing(other sender)");
        };
        ctl->OnLanguageChanged = [this](ui::TObject* s) {
            events.push_back(s == ctl ? "changed" : "changed(other sender)");
        };
        ctl->ReadBinaryProperty(u"LangData", Map());
        form->SetComponentStateFlag(ui::csLoading, false);
        ctl->Loaded();
    }
    // Form caption ID 1, Label1.Caption ID 4.
    static std::vector<uint8_t> Map() {
        lang::TBytesStream s;
        s.WriteUtf8String(u"Form");
        s.WriteByte(1);
        s.WriteInt32(1);
        s.WriteInt32(1);
        s.WriteUtf8String(u"Caption");
        s.WriteByte(1);
        s.WriteInt32(1);
        s.WriteUtf8String(u"Label1");
        s.WriteByte(1);
        s.WriteInt32(1);
        s.WriteInt32(4);
        s.WriteUtf8String(u"Caption");
        s.WriteByte(0);
        return s.Bytes();
    }
};

const char kRussian[] =
    "\xEF\xBB\xBFLANGID=1049\r\n[Form1]\r\n1=QV Товра\r\n4=Время работы:\r\n"
    "[$CONSTANTS]\r\nScancel=Отмена\r\nSworkmsg=За работу!\r\n";
const char kGerman[] =
    "LANGID=1031\r\n[Form1]\r\n4=Arbeitszeit:\r\n[$CONSTANTS]\r\nScancel=Abbrechen\r\n";

TEST_F(ManagerFixture, SwitchingTranslatesFormsAndConstantsAndDefaultsComeBack) {
    File(u"ru.lng", kRussian);
    File(u"de.lng", kGerman);
    ASSERT_EQ(lang::ScanLanguageFolder(dir, u"*.lng", false), 2);
    Form f(u"Form1");
    EXPECT_TRUE(f.events.empty()) << "loading in the default language fires nothing";

    lang::SetCurrentLanguageId(1049);
    EXPECT_EQ(lang::CurrentLanguageId(), 1049u);
    EXPECT_EQ(f.form->caption, u"QV Товра");
    EXPECT_EQ(f.label->caption, u"Время работы:");
    EXPECT_EQ(lang::ConstantText(u"Scancel"), u"Отмена");
    EXPECT_EQ(f.events, (std::vector<std::string>{"changing", "changed"}));

    f.events.clear();
    lang::SetCurrentLanguageId(1049);
    EXPECT_TRUE(f.events.empty()) << "the current language again changes nothing";

    lang::SetCurrentLanguageId(1031);
    EXPECT_EQ(f.form->caption, u"QV Tovra") << "German lacks ID 1: the default text";
    EXPECT_EQ(f.label->caption, u"Arbeitszeit:");
    EXPECT_EQ(lang::ConstantText(u"Scancel"), u"Abbrechen");
    EXPECT_EQ(lang::ConstantText(u"Sworkmsg"), u"За работу!") << "kept from the language before";

    lang::SetCurrentLanguageId(1036);  // no source: back to the default language
    EXPECT_EQ(lang::CurrentLanguageId(), 1033u);
    EXPECT_EQ(f.label->caption, u"Time for work:");
    EXPECT_EQ(lang::ConstantText(u"Scancel"), u"Cancel");
    EXPECT_EQ(lang::ConstantText(u"Sworkmsg"), u"Work!");
    EXPECT_EQ(f.events.size(), 4u);
}

TEST_F(ManagerFixture, ADeletedOrBrokenFileKeepsTheCurrentLanguage) {
    File(u"ru.lng", kRussian);
    File(u"de.lng", kGerman);
    lang::ScanLanguageFolder(dir, u"*.lng", false);
    Form f(u"Form1");
    lang::SetCurrentLanguageId(1031);
    fp.fileSystemFake.files.erase(dir + u"/ru.lng");
    f.events.clear();
    EXPECT_THROW(lang::SetCurrentLanguageId(1049), lang::EFOpenError);
    EXPECT_EQ(lang::CurrentLanguageId(), 1031u);
    EXPECT_EQ(f.label->caption, u"Arbeitszeit:");
    EXPECT_TRUE(f.events.empty());

    File(u"ru.lng", "LANGID=1049\r\n[Form1]\r\n4=a\r\n4=b\r\n");
    try {
        lang::SetCurrentLanguageId(1049);
        ADD_FAILURE();
    } catch (const ui::EDKLangError& e) {
        EXPECT_EQ(e.Message(),
                  u"Loading translations failed.\r\nLine 3: Duplicate property value translation ID (4)");
    }
    EXPECT_EQ(lang::CurrentLanguageId(), 1031u);
    EXPECT_EQ(lang::ConstantText(u"Scancel"), u"Abbrechen");
    // And the manager still works.
    lang::SetCurrentLanguageId(1033);
    EXPECT_EQ(f.label->caption, u"Time for work:");
}

TEST_F(ManagerFixture, AFormLoadedAfterASwitchShowsTheLanguageAtOnce) {
    File(u"ru.lng", kRussian);
    lang::ScanLanguageFolder(dir, u"*.lng", false);
    lang::SetCurrentLanguageId(1049);
    Form late(u"Form1");
    EXPECT_EQ(late.label->caption, u"Время работы:");
    EXPECT_EQ(late.events, (std::vector<std::string>{"changing", "changed"}));
    // Its defaults were captured before the translation.
    lang::SetCurrentLanguageId(1033);
    EXPECT_EQ(late.label->caption, u"Time for work:");

    // The file vanished before the next form loaded: the error comes out of its loading.
    lang::SetCurrentLanguageId(1049);
    fp.fileSystemFake.files.erase(dir + u"/ru.lng");
    EXPECT_THROW(Form again(u"Form1"), lang::EFOpenError);
}

TEST_F(ManagerFixture, SectionNamesFallBackAtUnderscores) {
    File(u"ru.lng",
         "LANGID=1049\r\n[Form1]\r\n4=Form1 text\r\n[Main]\r\n4=Main text\r\n");
    lang::ScanLanguageFolder(dir, u"*.lng", false);
    struct Case {
        const char16_t* form;
        const char16_t* section;
        const char16_t* caption;
    };
    const Case cases[] = {
        {u"Whatever", u"Main", u"Main text"},       {u"Form1_2", u"", u"Form1 text"},
        {u"Form1_Sub", u"", u"Form1 text"},         {u"Form1_Sub_Deeper", u"", u"Form1 text"},
        {u"Form2_Sub", u"", u"Time for work:"},     {u"Form1", u"Form1_x", u"Form1 text"},
    };
    std::vector<std::unique_ptr<Form>> forms;
    for (const Case& k : cases) forms.push_back(std::make_unique<Form>(k.form, k.section));
    lang::SetCurrentLanguageId(1049);
    for (std::size_t i = 0; i < forms.size(); ++i) {
        SCOPED_TRACE(ui::ToUtf8(cases[i].form));
        EXPECT_EQ(forms[i]->label->caption, cases[i].caption);
        EXPECT_EQ(forms[i]->ctl->ActualSectionName(),
                  *cases[i].section ? cases[i].section : cases[i].form);
    }
}

TEST_F(ManagerFixture, DeletedComponentsAreNotTouchedBySwitches) {
    File(u"ru.lng", kRussian);
    lang::ScanLanguageFolder(dir, u"*.lng", false);
    Form f(u"Form1");
    delete f.label;
    f.label = nullptr;
    EXPECT_NO_THROW(lang::SetCurrentLanguageId(1049));
    EXPECT_EQ(f.form->caption, u"QV Товра");
}

TEST_F(ManagerFixture, EventsMayFreeOrCreateControllersDuringASwitch) {
    File(u"ru.lng", kRussian);
    lang::ScanLanguageFolder(dir, u"*.lng", false);
    auto a = std::make_unique<Form>(u"Form1");
    auto b = std::make_unique<Form>(u"Form1");
    auto c = std::make_unique<Form>(u"Form1");
    std::unique_ptr<Form> created;
    // A's handler frees B and C (after C would be the list's end) and opens a new form.
    a->ctl->OnLanguageChanged = [&](ui::TObject*) {
        b.reset();
        c.reset();
        if (!created) created = std::make_unique<Form>(u"Form1");
    };
    EXPECT_NO_THROW(lang::SetCurrentLanguageId(1049));
    EXPECT_EQ(a->label->caption, u"Время работы:");
    ASSERT_TRUE(created);
    EXPECT_EQ(created->label->caption, u"Время работы:") << "loaded in the current language";
    EXPECT_EQ(created->events.size(), 2u) << "translated once, not again by the walk";

    // A form freed by its own changing handler is left alone afterwards.
    auto d = std::make_unique<Form>(u"Form1");
    d->ctl->OnLanguageChanging = [&](ui::TObject*) { d.reset(); };
    EXPECT_NO_THROW(lang::SetCurrentLanguageId(1033));
    EXPECT_FALSE(d);
    EXPECT_EQ(a->label->caption, u"Time for work:");
    EXPECT_EQ(created->label->caption, u"Time for work:");
}

TEST_F(ManagerFixture, AFailingHandlerStopsTheWalkButStillGetsItsChangedEvent) {
    File(u"ru.lng", kRussian);
    lang::ScanLanguageFolder(dir, u"*.lng", false);
    Form a(u"Form1"), b(u"Form1");
    a.ctl->OnLanguageChanging = [](ui::TObject*) { throw ui::Exception(u"handler refused"); };
    EXPECT_THROW(lang::SetCurrentLanguageId(1049), ui::Exception);
    EXPECT_EQ(lang::CurrentLanguageId(), 1049u);
    EXPECT_EQ(b.label->caption, u"Time for work:") << "controllers after it are not translated";
    // The lock was released: switching works again.
    a.ctl->OnLanguageChanging = nullptr;
    lang::SetCurrentLanguageId(1033);
    lang::SetCurrentLanguageId(1049);
    EXPECT_EQ(b.label->caption, u"Время работы:");
}

TEST_F(ManagerFixture, HandlersMaySwitchOrRegisterWhileTheWalkHoldsTheLock) {
    File(u"ru.lng", kRussian);
    File(u"de.lng", kGerman);
    lang::ScanLanguageFolder(dir, u"*.lng", false);
    Form a(u"Form1");
    bool once = false;
    a.ctl->OnLanguageChanged = [&](ui::TObject*) {
        if (once) return;
        once = true;
        EXPECT_EQ(lang::LanguageCount(), 3);
        lang::SetCurrentLanguageId(1031);  // nested switch from inside a handler
    };
    lang::SetCurrentLanguageId(1049);
    EXPECT_EQ(lang::CurrentLanguageId(), 1031u);
    EXPECT_EQ(a.label->caption, u"Arbeitszeit:");
}

TEST_F(ManagerFixture, StreamSourcesAreCopiedAndReadAtEachSwitch) {
    std::string text = "LANGID=1036\r\n[$CONSTANTS]\r\nScancel=Annuler\r\n";
    lang::TBytesStream s(std::vector<uint8_t>(text.begin(), text.end()));
    auto& m = lang::LangManager();
    EXPECT_EQ(m.RegisterTranslationStream(s, 1036), 0);
    s = lang::TBytesStream();  // the manager kept its own copy
    lang::SetCurrentLanguageId(1036);
    EXPECT_EQ(lang::ConstantText(u"Scancel"), u"Annuler");
    EXPECT_EQ(lang::LanguageNameAt(1), u"French");
}

TEST(LangSourcesTest, RecordsAreReusedPerLanguageAndResetField) {
    lang::TDKLang_LangResources r;
    lang::TBytesStream s(std::vector<uint8_t>{'x'});
    EXPECT_EQ(r.Add(s, 7), 0);
    EXPECT_EQ(r.Add(u"/a.lng", 8), 1);
    EXPECT_EQ(r.Add(0, u"RES", 7), 0) << "same language: same place";
    EXPECT_EQ(r.Items(0).Kind, lang::dklrkResName);
    EXPECT_EQ(r.Items(0).Stream, nullptr) << "the stream copy was released";
    EXPECT_EQ(r.Items(0).wsName, u"RES");
    EXPECT_EQ(r.Add(0, 12, 8), 1);
    EXPECT_EQ(r.Items(1).wsName, u"");
    EXPECT_EQ(r.Items(1).iResID, 12);
    EXPECT_EQ(r.IndexOfLangID(9), -1);
    EXPECT_EQ(r.FindLangID(8), &r.Items(1));
    EXPECT_EQ(r.Count(), 2);
}

TEST(LockTest, ReadsNestInsideWritesAndTheOnlyReaderMayWrite) {
    lang::TDKLang_MREWLock l;
    {
        lang::TWriteGuard w(l);
        lang::TReadGuard r1(l);
        lang::TReadGuard r2(l);
        lang::TWriteGuard w2(l);
    }
    {
        lang::TReadGuard r(l);
        lang::TReadGuard r2(l);
        lang::TWriteGuard w(l);
    }
    // Another thread waits for the writer.
    std::atomic<int> stage{0};
    l.BeginWrite();
    std::thread t([&] {
        lang::TReadGuard r(l);
        stage = 2;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(stage.load(), 0);
    l.EndWrite();
    t.join();
    EXPECT_EQ(stage.load(), 2);
}

TEST(LanguageCodesTest, NamesByIdentifier) {
    struct Case {
        uint32_t id;
        const char16_t* name;
    };
    const Case cases[] = {{1033, u"English"},          {2057, u"English"},
                          {9, u"English"},             {1049, u"Russian"},
                          {1044, u"Norwegian (Bokmål)"}, {1031, u"German"},
                          {1036, u"French"},           {3082, u"Spanish"},
                          {1058, u"Ukrainian"},        {4660, u"4660"},
                          {4294967291u, u"4294967291"}, {0, u"0"},
                          {31770, u"Serbian (Latin)"}, {1130, u"Yoruba"}};
    for (const Case& k : cases) EXPECT_EQ(lang::GetLangName(k.id), k.name) << k.id;
}

TEST(LanguageCodesTest, TableRowsAreCompleteDistinctAndInOrder) {
    ASSERT_EQ(lang::LangRecCount(), 273);
    std::set<uint32_t> ids;
    int arabic = 0;
    for (int i = 0; i < lang::LangRecCount(); ++i) {
        lang::TLangRec r = lang::LangRecAt(i);
        ids.insert(r.lcid);
        if (r.langName == u"Arabic") ++arabic;
        EXPECT_FALSE(r.cultureCode.empty()) << r.lcid;
        EXPECT_FALSE(r.cultureName.empty()) << r.lcid;
        EXPECT_FALSE(r.nativeLangName.empty()) << r.lcid;
        EXPECT_EQ(r.langName.find_first_of(u"\u200E\u200F"), std::u16string::npos) << r.lcid;
    }
    EXPECT_EQ(ids.size(), 273u);
    EXPECT_EQ(arabic, 17);
    EXPECT_EQ(lang::LangRecAt(0).lcid, 54u);
    EXPECT_EQ(lang::LangRecAt(272).lcid, 1130u);

    auto ar = lang::FindLangRec(1);
    ASSERT_TRUE(ar);
    EXPECT_EQ(ar->cultureName, u"Arabic\u200E");
    EXPECT_EQ(ar->nativeLangName, u"العربية\u200F");
    auto az = lang::FindLangRec(2092);
    ASSERT_TRUE(az);
    EXPECT_EQ(az->cultureCode, u"az-Cyrl-AZ");
    EXPECT_EQ(az->cultureName, u"Azeri (Cyrillic, Azerbaijan)");
    EXPECT_EQ(az->nativeLangName, u"Азәрбајҹан (Азәрбајҹан)");
    auto zh = lang::FindLangRec(31748);
    ASSERT_TRUE(zh);
    EXPECT_EQ(zh->nativeLangName, u"中文(繁體)");
    auto nb = lang::FindLangRec(1044);
    EXPECT_EQ(nb->cultureName, u"Norwegian, Bokmål (Norway)");
    EXPECT_EQ(lang::FindLangRec(4660), std::nullopt);
    EXPECT_EQ(lang::FindLangRec(19466)->langName, u"Spanish");
}

}  // namespace
