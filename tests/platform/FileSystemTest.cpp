// The POSIX file system service against a real temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/linux/Services.h"
#include "tests/platform/TestEnv.h"
#include "ui/Text.h"

namespace {

using platform::linux_::makeFileSystem;
using testenv::TempHome;
using ui::FromUtf8;

class FileSystemTest : public ::testing::Test {
protected:
    TempHome home;
    std::unique_ptr<platform::FileSystem> fs = makeFileSystem();
    std::u16string at(const std::string& rel) { return FromUtf8(home.path() + "/" + rel); }
};

TEST_F(FileSystemTest, AppDataPathFollowsXdgConfigHomeThenHome) {
    struct Case {
        std::optional<std::string> xdg;
        std::string expectedRel;  // relative to the temporary home; "!" for an absolute value
    };
    const Case cases[] = {
        {std::string("/srv/конфиг dir"), "!"},      // used as given, non-Latin and spaces
        {std::string("/srv/conf///"), "!trim"},     // trailing separators dropped
        {std::nullopt, ".config"},                  // unset: ~/.config
        {std::string(""), ".config"},               // empty counts as unset
        {std::string("relative/conf"), ".config"},  // relative is invalid and ignored
    };
    for (const auto& c : cases) {
        if (c.xdg)
            home.env().set("XDG_CONFIG_HOME", *c.xdg);
        else
            home.env().unset("XDG_CONFIG_HOME");
        std::u16string expected = c.expectedRel == "!"       ? FromUtf8(*c.xdg)
                                  : c.expectedRel == "!trim" ? u"/srv/conf"
                                                             : at(c.expectedRel);
        EXPECT_EQ(fs->AppDataPath(), expected) << (c.xdg ? *c.xdg : "(unset)");
    }
}

TEST_F(FileSystemTest, ForceDirectoriesCreatesEveryMissingLevelPrivately) {
    std::u16string deep = at("a b/ü ñ/\"q'/end/");
    ASSERT_TRUE(fs->ForceDirectories(deep));
    EXPECT_TRUE(fs->DirectoryExists(deep));
    EXPECT_FALSE(fs->FileExists(deep));
    struct stat st{};
    ASSERT_EQ(stat((home.path() + "/a b").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u & ~0u) << "config folders are the user's alone";
    EXPECT_TRUE(fs->ForceDirectories(deep)) << "an existing folder is success";
}

TEST_F(FileSystemTest, ForceDirectoriesFailsWhereTheFolderCannotBe) {
    testenv::writeText(home.path() + "/plain", "x");
    EXPECT_FALSE(fs->ForceDirectories(at("plain/sub"))) << "a file stands in the way";
    EXPECT_FALSE(fs->ForceDirectories(at("plain")));
    EXPECT_FALSE(fs->ForceDirectories(u""));
    // Not even root may create folders here.
    EXPECT_FALSE(fs->ForceDirectories(u"/proc/tovra-test/QV Tovra"));
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    ASSERT_TRUE(fs->ForceDirectories(at("locked")));
    chmod((home.path() + "/locked").c_str(), 0500);
    EXPECT_FALSE(fs->ForceDirectories(at("locked/QV Tovra")));
    EXPECT_FALSE(fs->DirectoryExists(at("locked/QV Tovra")));
}

TEST_F(FileSystemTest, FindFilesMatchesMaskIgnoringAsciiCaseInNameOrder) {
    const std::string dir = home.path() + "/lang dir";
    for (const char* n : {"b.lng", "A.LNG", "Рус.lng", "c.lng.bak", "x.txt"})
        testenv::writeText(dir + "/" + n, "x");
    std::filesystem::create_directories(dir + "/folder.lng");
    symlink((dir + "/x.txt").c_str(), (dir + "/link.lng").c_str());
    symlink((dir + "/missing").c_str(), (dir + "/dangling.lng").c_str());
    // A name that is not UTF-8 could never be opened again from its UTF-16 form.
    testenv::writeText(dir + "/bad\xff.lng", "x");

    std::vector<std::u16string> expected{u"A.LNG", u"b.lng", u"link.lng", u"Рус.lng"};
    EXPECT_EQ(fs->FindFiles(FromUtf8(dir), u"*.lng"), expected);
    EXPECT_EQ(fs->FindFiles(FromUtf8(dir + "/"), u"?.lng"),
              (std::vector<std::u16string>{u"A.LNG", u"b.lng"}));
    EXPECT_EQ(fs->FindDirectories(FromUtf8(dir)), std::vector<std::u16string>{u"folder.lng"});
    EXPECT_TRUE(fs->FindFiles(at("no such"), u"*").empty());
}

TEST_F(FileSystemTest, ReadFileReturnsBytesOnlyForRegularFiles) {
    std::string bin("\0\x01\xfe\xff line\r\n", 10);
    testenv::writeText(home.path() + "/data file", bin);
    auto got = fs->ReadFile(at("data file"));
    ASSERT_TRUE(got);
    EXPECT_EQ(std::string(got->begin(), got->end()), bin);

    EXPECT_FALSE(fs->ReadFile(at("missing")));
    EXPECT_FALSE(fs->ReadFile(FromUtf8(home.path())));
    // A FIFO nobody writes to must not block the caller.
    ASSERT_EQ(mkfifo((home.path() + "/fifo").c_str(), 0600), 0);
    EXPECT_FALSE(fs->ReadFile(at("fifo")));
    EXPECT_FALSE(fs->FileExists(at("fifo")));
}

TEST_F(FileSystemTest, ExePathResolvesSymbolicLinks) {
    // The helper prints the service's ExePath; it is started through a link in a folder
    // whose name needs care.
    std::string real = std::filesystem::canonical(TOVRA_PRINT_EXE_PATH).string();
    std::string linkDir = home.path() + "/ссылка with space";
    std::filesystem::create_directories(linkDir);
    std::string link = linkDir + "/tovra";
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    EXPECT_EQ(testenv::runCapture({link}), real);

    // Replaced while running (an upgrade): still the folder it was started from.
    std::string copy = linkDir + "/copy of tovra";
    std::filesystem::copy_file(real, copy);
    chmod(copy.c_str(), 0755);
    EXPECT_EQ(testenv::runCapture({copy, "--unlink-self"}), copy);
    EXPECT_FALSE(std::filesystem::exists(copy));
}

}  // namespace
