// Opening files and links: xdg-open receives the target as one argument, never via a shell.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/linux/Services.h"
#include "tests/platform/TestEnv.h"
#include "ui/Text.h"

namespace {

using testenv::TempHome;

// A stand-in opener: records its arguments NUL-separated, then stays running until the test
// lets it go, so that a caller that waited for it would be caught.
constexpr const char* kFakeOpener = R"(#!/bin/sh
for a in "$@"; do printf '%s\000' "$a"; done > "$FAKE_OPEN_LOG.part"
mv "$FAKE_OPEN_LOG.part" "$FAKE_OPEN_LOG"
i=0
while [ ! -e "$FAKE_OPEN_LOG.release" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i+1)); done
[ -e "$FAKE_OPEN_LOG.release" ] || : > "$FAKE_OPEN_LOG.timedout"
: > "$FAKE_OPEN_LOG.done"
)";

class ShellTest : public ::testing::Test {
protected:
    TempHome home;
    std::unique_ptr<platform::Shell> shell = platform::linux_::makeShell();
    std::string bin = home.path() + "/bin dir";
    int calls = 0;

    void SetUp() override {
        testenv::writeText(bin + "/xdg-open", kFakeOpener, 0755);
        home.env().set("PATH", bin + ":/usr/bin:/bin");
    }

    // Arguments the opener got for one request.
    std::vector<std::string> open(const std::string& target) {
        std::string log = home.path() + "/opened" + std::to_string(++calls);
        home.env().set("FAKE_OPEN_LOG", log);
        bool ok = shell->ShellExecute(ui::FromUtf8(target), platform::SW_RESTORE);
        EXPECT_TRUE(ok) << target;
        if (!testenv::waitForFile(log, 5000)) return {"<nothing recorded>"};
        EXPECT_FALSE(std::filesystem::exists(log + ".timedout")) << "the call waited";
        testenv::writeText(log + ".release", "");
        EXPECT_TRUE(testenv::waitForFile(log + ".done", 5000, true));
        std::vector<std::string> args;
        std::string all = testenv::readText(log);
        for (size_t p = 0, e; (e = all.find('\0', p)) != std::string::npos; p = e + 1)
            args.push_back(all.substr(p, e - p));
        return args;
    }
};

TEST_F(ShellTest, TargetReachesTheOpenerAsOneArgumentUnchanged) {
    const std::string pwned = home.path() + "/pwned";
    const std::string targets[] = {
        home.path() + "/My Music/alarm tone.ogg",
        home.path() + "/quotes \"double\" and 'single'.wav",
        home.path() + "/Звуки/음악/ʃəʊ.mp3",
        home.path() + "/$(touch " + pwned + ");`touch " + pwned + "`|&>x.ogg",
        home.path() + "/line\nbreak\ttab.ogg",
        "https://example.org/qv-tovra/",
        "mailto:support@example.org?subject=QV%20Tovra%203.6.5",
    };
    for (const auto& t : targets) EXPECT_EQ(open(t), std::vector<std::string>{t});
    EXPECT_FALSE(std::filesystem::exists(pwned)) << "something interpreted the text";
}

TEST_F(ShellTest, NameStartingWithDashIsNotTakenForAnOption) {
    EXPECT_EQ(open("--help"), std::vector<std::string>{"./--help"});
}

TEST_F(ShellTest, ReportsFailureWhenNothingCanBeStarted) {
    EXPECT_FALSE(shell->ShellExecute(u"", platform::SW_SHOWNORMAL));
    home.env().set("PATH", home.path() + "/empty");
    EXPECT_FALSE(shell->ShellExecute(u"https://example.org/", platform::SW_SHOWNORMAL));
}

}  // namespace
