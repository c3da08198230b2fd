// Exec quoting and value escapes: what is written is read back as the same path.
#include <gtest/gtest.h>

#include "platform/linux/DesktopEntry.h"

namespace {

using namespace platform::linux_;

TEST(DesktopEntryTest, ExecQuotingRoundTripsAwkwardPaths) {
    const std::string paths[] = {
        "/opt/tovra/tovra",
        "/home/u/My Programs/tovra",
        "/home/u/\"quoted\" 'single'/tovra",
        "/home/u/back\\slash/$HOME/`cmd`/tovra",
        "/home/u/100%/%f %U/tovra",
        "/home/u/line\nbreak\ttab/tovra",
        "/home/u/Программы/トブラ/tovra",
        " /leading space",
    };
    for (const auto& p : paths) {
        std::string stored = escapeDesktopValue(quoteExecArg(p));
        EXPECT_EQ(stored.find('\n'), std::string::npos) << "one line per key";
        auto args = splitExec(unescapeDesktopValue(stored));
        ASSERT_TRUE(args) << stored;
        EXPECT_EQ(*args, std::vector<std::string>{p}) << stored;
    }
}

TEST(DesktopEntryTest, QuotingFollowsTheDesktopEntryRules) {
    EXPECT_EQ(quoteExecArg("/usr/bin/tovra"), "/usr/bin/tovra");
    EXPECT_EQ(quoteExecArg("/a b/c"), "\"/a b/c\"");
    EXPECT_EQ(quoteExecArg("/a\\b"), "\"/a\\\\b\"");
    // A literal backslash inside quotes takes four in the file.
    EXPECT_EQ(escapeDesktopValue(quoteExecArg("/a\\b")), "\"/a\\\\\\\\b\"");
    EXPECT_EQ(quoteExecArg("/50%"), "/50%%");
}

TEST(DesktopEntryTest, ExecFromOtherWritersIsSplitIntoArguments) {
    EXPECT_EQ(*splitExec("tovra --flag \"two words\""),
              (std::vector<std::string>{"tovra", "--flag", "two words"}));
    EXPECT_FALSE(splitExec("\"/unterminated"));
}

TEST(DesktopEntryTest, ValuesAreTakenFromTheDesktopEntryGroupOnly) {
    const std::string file =
        "# comment\n[Other]\nExec=/wrong\n[Desktop Entry]\r\nName = QV Tovra\r\n"
        "Exec=/right\\sone\n[Desktop Action x]\nExec=/also-wrong\n";
    EXPECT_EQ(desktopEntryValue(file, "Exec"), "/right one");
    EXPECT_EQ(desktopEntryValue(file, "Name"), "QV Tovra");
    EXPECT_FALSE(desktopEntryValue(file, "Hidden"));
}

}  // namespace
