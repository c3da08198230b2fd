// The lock, the raw access, the error contexts and the section and key operations.
#include "tests/inifile/IniFixture.h"

namespace inifile::testing {
namespace {

TEST(LockName, FoldsCaseBackslashesAndReservedCharacters) {
    struct Case {
        std::u16string file, name;
    } cases[] = {
        {u"D:\\Settings\\App.ini", u"ini file lock mutexd__settings_app.ini"},
        {u"d:\\settings\\app.ini", u"ini file lock mutexd__settings_app.ini"},
        {u"D:\\\\Settings\\\\\\\\App.ini", u"ini file lock mutexd__settings_app.ini"},
        {u"\\\\server\\share\\a.ini", u"ini file lock mutex_server_share_a.ini"},
        {u"C:\\Users\\ПЁТР\\ÄÖ Ü.ini", u"ini file lock mutexc__users_пётр_äö ü.ini"},
        {u"/home/x/\"*<>?|.ini", u"ini file lock mutex_home_x_______.ini"},
        {u"", u"ini file lock mutex"},
    };
    for (const auto& c : cases) EXPECT_EQ(u8(BuildLockName(c.file)), u8(c.name)) << u8(c.file);
}

TEST_F(IniTest, SameFileInOtherCaseSharesTheLockUnderTheGlobalName) {
    auto& locks = fp.namedLocksFake;
    const std::u16string name = u"Global\\" + BuildLockName(u"D:\\Settings\\App.ini");
    TSafeIniFile a(u"D:\\Settings\\App.ini"), b(u"d:\\settings\\app.ini", false);
    EXPECT_EQ(locks.openCount[name], 2);
    a.Lock();
    EXPECT_EQ(locks.heldDepth[name], 1);
    b.ReadString(u"S", u"K", u"");  // the fake lock does not block; depth shows the nesting
    EXPECT_EQ(locks.heldDepth[name], 1);
    a.UnLock();
    EXPECT_EQ(locks.heldDepth.count(name), 0u);
}

TEST_F(IniTest, FallsBackToTheLocalNameAndThenToNoLock) {
    auto& locks = fp.namedLocksFake;
    const std::u16string file = u"/tmp/other.ini", name = BuildLockName(file);
    locks.unavailable.insert(u"Global\\" + name);
    {
        TSafeIniFile f(file);
        EXPECT_TRUE(f.HasLock());
        EXPECT_EQ(locks.openCount[name], 1);
    }
    locks.unavailable.insert(name);
    TSafeIniFile f(file);
    EXPECT_FALSE(f.HasLock());
    f.WriteString(u"S", u"K", u"v");  // works without a lock
    f.Lock();
    f.UnLock();
    EXPECT_EQ(f.ReadString(u"S", u"K", u""), u"v");
}

TEST_F(IniTest, LockIsRecursiveAndEveryOperationIsBalanced) {
    auto& locks = fp.namedLocksFake;
    const std::u16string name = u"Global\\" + BuildLockName(path);
    ini->Lock();
    ini->Lock();
    ini->UnLock();
    EXPECT_EQ(locks.heldDepth[name], 1);
    ini->UnLock();
    EXPECT_EQ(locks.heldDepth.count(name), 0u);

    ini->WriteString(u"S", u"Long", std::u16string(70000, u'x'));
    ini->ReadString(u"S", u"Long", u"");
    ini->DeleteKey(u"S", u"Long");
    EXPECT_THROW(ini->DeleteKey(u"S", u""), ui::EIniFileException);
    files.missingFolders.insert(u"/home/user/.config/QV Tovra");
    EXPECT_THROW(ini->WriteString(u"S", u"K", u"v"), ui::EIniFileException);
    EXPECT_EQ(locks.heldDepth.count(name), 0u) << "an error left the lock held";
}

TEST_F(IniTest, ArgumentErrorsCarryTheOperationContext) {
    const std::u16string noSection = u"Не указано название секции. Имя файла: " + path;
    const std::u16string noKey = u"Не указано название переменной. Имя файла: " + path;
    struct Case {
        std::function<void()> call;
        std::u16string message;
    } cases[] = {
        {[&] { ini->DeleteKey(u"S", u""); }, u"TSafeIniFile.DeleteKey -> " + noKey},
        {[&] { ini->DeleteKey(u"", u"K"); }, u"TSafeIniFile.DeleteKey -> " + noSection},
        {[&] { ini->EraseSection(u""); }, u"TSafeIniFile.EraseSection -> " + noSection},
        {[&] {
             ui::TStringList l;
             ini->ReadSection(u"", l);
         },
         u"TSafeIniFile.ReadSection -> " + noSection},
        {[&] {
             ui::TStringList l;
             ini->ReadSectionValues(u"", l);
         },
         u"TSafeIniFile.ReadSectionValues -> " + noSection},
        {[&] { ini->ReadString(u"", u"K", u""); }, u"TSafeIniFile.ReadString -> " + noSection},
        {[&] { ini->WriteString(u"S", u"", u""); }, u"TSafeIniFile.WriteString -> " + noKey},
        {[&] { ini->ReadInteger(u"S", u"", 1); }, u"TSafeIniFile.ReadString -> " + noKey},
        {[&] { ini->WriteHexString(u"S", u"", u"x"); },
         u"TSafeIniFile.WriteHexString -> TSafeIniFile.WriteString -> " + noKey},
        {[&] { ini->WriteWideString(u"S", u"", u"x"); },
         u"TSafeIniFile.WriteBinaryData -> TSafeIniFile.WriteHexString -> "
         u"TSafeIniFile.WriteString -> " + noKey},
        {[&] { ini->ReadWideString(u"", u"K", u"x"); },
         u"TSafeIniFile.ReadWideString -> TSafeIniFile.ReadString -> " + noSection},
        {[&] { ini->WriteFloat(u"S", u"", 1.5); },
         u"TSafeIniFile.WriteFloat -> TSafeIniFile.WriteString -> " + noKey},
        {[&] { ini->ReadFloat(u"S", u"", 1.5); }, u"TSafeIniFile.ReadString -> " + noKey},
        {[&] { ini->ReadDate(u"", u"K", 1); }, u"TSafeIniFile.ReadString -> " + noSection},
        {[&] {
             ui::TStringList l;
             l.Add(u"a");
             ini->WriteList(u"", l);
         },
         u"TSafeIniFile.WriteList -> TSafeIniFile.EraseSection -> " + noSection},
    };
    for (const auto& c : cases)
        EXPECT_EQ(u8(messageOf<ui::EIniFileException>(c.call)), u8(c.message));
    EXPECT_EQ(stored(), "");
}

TEST_F(IniTest, ReadsAndTypedDefaultsSurviveBadNamesOnlyWhereTheyCatchEverything) {
    EXPECT_EQ(ini->ReadColor(u"", u"K", ui::clRed), ui::clRed);
    ui::TFont f;
    f.SetName(u"Tahoma");
    EXPECT_EQ(&ini->ReadFont(u"S", u"", f), &f);
    EXPECT_EQ(f.Name(), u"Tahoma");
}

TEST_F(IniTest, EraseSectionInAMissingFolderNamesTheFile) {
    files.missingFolders.insert(u"/home/user/.config/QV Tovra");
    EXPECT_EQ(u8(messageOf<ui::EIniFileException>([&] { ini->EraseSection(u"Work"); })),
              u8(u"TSafeIniFile.EraseSection -> Unable to write to " + path));
}

TEST_F(IniTest, FailingWriteIsRetriedEvery20msForOneSecond) {
    std::vector<uint64_t> attempts;
    files.writeFault = [&](const char16_t*, const char16_t*, const char16_t*) {
        attempts.push_back(fp.loopFake.now());
        return platform::ERROR_SHARING_VIOLATION;
    };
    const uint64_t start = fp.loopFake.now();
    std::u16string msg =
        messageOf<ui::EIniFileException>([&] { ini->WriteInteger(u"Work", u"Time", 45); });
    EXPECT_EQ(u8(msg), u8(u"TSafeIniFile.WriteString -> The process cannot access the file "
                          u"because it is being used by another process. -> Unable to write "
                          u"to " + path));
    ASSERT_GE(attempts.size(), 50u);
    EXPECT_EQ(attempts.front(), start);
    for (std::size_t i = 1; i < attempts.size(); ++i) EXPECT_EQ(attempts[i] - attempts[i - 1], 20u);
    EXPECT_LE(attempts[attempts.size() - 2] - start, 1000u);
    EXPECT_GT(attempts.back() - start, 1000u);
}

TEST_F(IniTest, WriteRecoversWhenTheFileIsFreedDuringTheRetries) {
    int failures = 5;
    files.writeFault = [&](const char16_t*, const char16_t*, const char16_t*) {
        return failures-- > 0 ? platform::ERROR_SHARING_VIOLATION : 0u;
    };
    ini->WriteString(u"Work", u"Msg", u"ok");
    EXPECT_EQ(ini->ReadString(u"Work", u"Msg", u""), u"ok");
}

TEST_F(IniTest, FatalWriteErrorsAreAttemptedOnce) {
    for (uint32_t code : {3u, 111u, 112u, 123u}) {
        int attempts = 0;
        files.writeFault = [&](const char16_t*, const char16_t*, const char16_t*) {
            ++attempts;
            return code;
        };
        std::u16string msg =
            messageOf<ui::EIniFileException>([&] { ini->WriteBool(u"Param", u"LoopSound", true); });
        EXPECT_EQ(attempts, 1) << code;
        EXPECT_EQ(u8(msg), u8(u"TSafeIniFile.WriteString -> " + files.FormatMessage(code) +
                              u" -> Unable to write to " + path));
    }
}

TEST_F(IniTest, RawReadDecodesWholeMarkersOnly) {
    struct Case {
        std::string stored;
        std::u16string read;
    } cases[] = {
        {"a<@\\n@>b", u"a\r\nb"},
        {"a<@\\n", u"a<@\\n"},
        {"<@\\n@><@\\n@>", u"\r\n\r\n"},
        {"<@\\n@>@>", u"\r\n@>"},
        {"<@<@\\n@>", u"<@\r\n"},
        {"\"  padded  \"", u"  padded  "},
        {"   blanks   ", u"blanks"},
        {"'single'", u"single"},
        {"\"mixed'", u"\"mixed'"},
    };
    for (const auto& c : cases) {
        store("[S]\nK=" + c.stored + "\n");
        ini->SetTrimLongStrings(true);
        EXPECT_EQ(u8(ini->ReadString(u"S", u"K", u"")), u8(c.read)) << c.stored;
        ini->SetTrimLongStrings(false);
        EXPECT_EQ(u8(ini->ReadString(u"S", u"K", u"")), u8(c.read)) << c.stored;
    }
}

TEST_F(IniTest, ReadSectionListsEveryKeyAsStoredInFileOrder) {
    std::string text = "[Big]\n";
    for (int i = 0; i < 5000; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    text += "[Small]\nb=1\nA=2\n";
    store(text);
    ui::TStringList keys;
    int changes = 0;
    keys.OnChange = [&](ui::TObject*) { ++changes; };
    ini->ReadSection(u"big", keys);
    ASSERT_EQ(keys.Count(), 5000);
    EXPECT_EQ(keys.Strings(0), u"Key0");
    EXPECT_EQ(keys.Strings(4999), u"Key4999");
    EXPECT_EQ(changes, 1);
    ini->ReadSection(u"Small", keys);
    ASSERT_EQ(keys.Count(), 2);
    EXPECT_EQ(keys.Strings(0), u"b");
    EXPECT_EQ(keys.Strings(1), u"A");
    EXPECT_TRUE(ini->SectionExists(u"SMALL"));
    EXPECT_TRUE(ini->ValueExists(u"Small", u"a"));
    EXPECT_FALSE(ini->ValueExists(u"Small", u"c"));
    EXPECT_FALSE(ini->SectionExists(u"None"));
}

TEST_F(IniTest, ReadSectionsOnEmptyAndMissingFiles) {
    ui::TStringList l;
    l.Add(u"stale");
    ini->ReadSections(l);
    EXPECT_EQ(l.Count(), 0);
    store("; just a comment\n\n");
    ini->ReadSections(l);
    EXPECT_EQ(l.Count(), 0);
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "[Section number " + std::to_string(i) + "]\n";
    store(text);
    ini->ReadSections(l);
    ASSERT_EQ(l.Count(), 3000);  // more than the first 16384 characters hold
    EXPECT_EQ(l.Strings(2999), u"Section number 2999");
}

TEST_F(IniTest, ReadSectionValuesJoinsLongValuesAndListsChunkKeys) {
    ini->WriteString(u"S", u"A", u"one\r\ntwo");
    ini->WriteString(u"S", u"Long", std::u16string(65533, u'z'));
    ui::TStringList l;
    ini->ReadSectionValues(u"S", l);
    ASSERT_EQ(l.Count(), 5);
    EXPECT_EQ(l.Strings(0), u"A=one\r\ntwo");
    EXPECT_EQ(l.Strings(1), u"Long=" + std::u16string(65533, u'z'));
    EXPECT_EQ(l.Strings(2), u"Long__$Count=2");
    EXPECT_EQ(u8(l.Strings(4)), "Long__$Line2=z");
}

TEST_F(IniTest, DeleteKeyRemovesChunkKeysUnlessTrimming) {
    ini->WriteString(u"S", u"Msg", std::u16string(65533 * 2, u'q'));
    ini->WriteString(u"S", u"Other", u"x");
    ini->DeleteKey(u"S", u"Msg");
    EXPECT_EQ(stored(), "[S]\nOther=x\n");

    ini->WriteString(u"S", u"Msg", std::u16string(65533, u'q'));
    ini->SetTrimLongStrings(true);
    ini->DeleteKey(u"S", u"Msg");
    ui::TStringList keys;
    ini->ReadSection(u"S", keys);
    ASSERT_EQ(keys.Count(), 4);
    EXPECT_EQ(keys.Strings(1), u"Msg__$Count");
}

TEST_F(IniTest, DestroyFlushesOnceAndConstructionTouchesNoFile) {
    EXPECT_EQ(files.files.count(path), 0u);
    ini.reset();
    EXPECT_EQ(files.flushes, 1);
    EXPECT_EQ(files.files.count(path), 0u);
    TSafeIniFile f(path, false);
    f.UpdateFile();
    EXPECT_EQ(files.flushes, 2);
}

TEST_F(IniTest, DamagedChunkCountsDoNotMakeReadsOrDeletesCrawl) {
    store("[S]\nMsg=abc\nMsg__$Count=2000000000\nMsg__$Hash=397824173\nMsg__$Line7=def\n"
          "Msg__$Line2=X\nItem__x=1\n[L]\nCount=2147483647\nItem0=a\nItem1999999=b\n");
    EXPECT_EQ(ini->ReadString(u"S", u"Msg", u""), u"abcXdef");
    int writesBefore = files.writes;
    ini->DeleteKey(u"S", u"Msg");
    EXPECT_LT(files.writes - writesBefore, 10);
    EXPECT_EQ(stored(), "[S]\nItem__x=1\n[L]\nCount=2147483647\nItem0=a\nItem1999999=b\n");
    ui::TStringList l;
    ini->ReadList(u"L", l);
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l.Strings(1), u"b");
}

}  // namespace
}  // namespace inifile::testing
