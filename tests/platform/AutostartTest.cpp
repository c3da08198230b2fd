// The autostart entry in a temporary configuration folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/linux/DesktopEntry.h"
#include "platform/linux/Services.h"
#include "tests/platform/TestEnv.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace {

using testenv::TempHome;
using ui::FromUtf8;

class AutostartTest : public ::testing::Test {
protected:
    TempHome home;
    std::unique_ptr<platform::Autostart> autostart = platform::linux_::makeAutostart();
    std::string dir = home.path() + "/.config/autostart";
    std::string entry = dir + "/QV Tovra.desktop";
};

TEST_F(AutostartTest, WriteReadRemoveRoundTripsPathsThatNeedQuoting) {
    EXPECT_FALSE(autostart->Read(u"QV Tovra")) << "nothing before the first write";
    const std::string paths[] = {
        "/opt/QV Tovra/tovra",
        "/home/u/\"my\" $apps/`x`/50% \\ tovra",
        "/home/u/Программы/line\nbreak/tovra",
    };
    for (const auto& p : paths) {
        autostart->Write(u"QV Tovra", FromUtf8(p));
        EXPECT_EQ(autostart->Read(u"QV Tovra"), FromUtf8(p));
        auto exec = platform::linux_::desktopEntryValue(testenv::readText(entry), "Exec");
        ASSERT_TRUE(exec);
        EXPECT_EQ(platform::linux_::splitExec(*exec)->front(), p) << "what a desktop runs";
    }
    autostart->Remove(u"QV Tovra");
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_FALSE(autostart->Read(u"QV Tovra"));
    EXPECT_NO_THROW(autostart->Remove(u"QV Tovra")) << "removing a missing entry is harmless";
}

TEST_F(AutostartTest, EntryIsACompleteDesktopEntryWithSanePermissions) {
    autostart->Write(u"QV Tovra", u"/opt/tovra/tovra");
    std::string text = testenv::readText(entry);
    EXPECT_EQ(platform::linux_::desktopEntryValue(text, "Type"), "Application");
    EXPECT_EQ(platform::linux_::desktopEntryValue(text, "Name"), "QV Tovra");
    struct stat st{};
    ASSERT_EQ(stat(entry.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 022, 0u) << "nobody else may change what starts at login";
    ASSERT_EQ(stat(dir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
    std::vector<std::string> leftovers;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().filename() != "QV Tovra.desktop") leftovers.push_back(e.path().string());
    EXPECT_TRUE(leftovers.empty()) << leftovers.front();
}

TEST_F(AutostartTest, WriteReplacesAPlantedLinkInsteadOfWritingThroughIt) {
    std::string victim = home.path() + "/victim";
    testenv::writeText(victim, "precious", 0644);
    std::filesystem::create_directories(dir);
    ASSERT_EQ(symlink(victim.c_str(), entry.c_str()), 0);
    autostart->Write(u"QV Tovra", u"/opt/tovra/tovra");
    EXPECT_EQ(testenv::readText(victim), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(entry));
    EXPECT_EQ(autostart->Read(u"QV Tovra"), u"/opt/tovra/tovra");

    ASSERT_EQ(unlink(entry.c_str()), 0);
    ASSERT_EQ(symlink(victim.c_str(), entry.c_str()), 0);
    autostart->Remove(u"QV Tovra");
    EXPECT_EQ(testenv::readText(victim), "precious") << "Remove deletes the link only";
}

TEST_F(AutostartTest, DisabledOrForeignEntriesReadAsAbsent) {
    struct Case {
        const char* text;
        bool present;
    };
    const Case cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=/x/tovra\n", true},
        {"[Desktop Entry]\nExec=/x/tovra\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=/x/tovra\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nName=QV Tovra\n", false},
        {"[Other]\nExec=/x/tovra\n", false},
        {"[Desktop Entry]\nExec=\"/x/unterminated\n", false},
    };
    for (const auto& c : cases) {
        testenv::writeText(entry, c.text);
        auto got = autostart->Read(u"QV Tovra");
        EXPECT_EQ(got.has_value(), c.present) << c.text;
        if (c.present) {
            EXPECT_EQ(*got, u"/x/tovra");
        }
    }
}

TEST_F(AutostartTest, UnusableFolderRaisesForTheCallerToSwallow) {
    // A file where the autostart folder should be: no root privilege gets past this.
    std::filesystem::create_directories(home.path() + "/.config");
    testenv::writeText(dir, "not a folder");
    EXPECT_THROW(autostart->Write(u"QV Tovra", u"/opt/tovra/tovra"), ui::Exception);
    EXPECT_FALSE(autostart->Read(u"QV Tovra"));
    std::filesystem::remove(dir);
    std::filesystem::create_directories(entry);  // a folder under the entry's name
    EXPECT_THROW(autostart->Read(u"QV Tovra"), ui::Exception);
}

TEST_F(AutostartTest, KeyBecomesAHarmlessFileName) {
    autostart->Write(u"../../evil/name", u"/opt/tovra/tovra");
    EXPECT_TRUE(std::filesystem::exists(dir + "/_.._.._evil_name.desktop"));
    EXPECT_FALSE(std::filesystem::exists(home.path() + "/evil"));
    EXPECT_EQ(autostart->Read(u"../../evil/name"), u"/opt/tovra/tovra");
}

}  // namespace
