// Start-up and shut-down: the folders, the autostart entry, audio, and ending the program
// by Exit, by a termination signal or by the session's end.
#include <vector>

#include "app/Program.h"
#include "app/ProgramWindows.h"
#include "tests/app/ShellFixture.h"

namespace app::test {
namespace {

class StartupTest : public ShellFixture {};

TEST_F(StartupTest, FoldersComeFromTheExecutableAndTheConfigurationFolder) {
    start();
    EXPECT_EQ(ExeDir, kExeDir);
    EXPECT_EQ(DataDir, kDataDir);
    EXPECT_TRUE(fp.fileSystemFake.DirectoryExists(kDataDir));  // created
    destroy();
    EXPECT_FALSE(savedText().empty());
}

TEST_F(StartupTest, UnusableConfigurationFolderFallsBackToTheExecutablesFolder) {
    struct Case {
        const char* what;
        std::function<void(platform::fake::FakeFileSystem&)> setUp;
    } cases[] = {
        {"cannot be created", [](auto& fs) { fs.unwritable.insert(kConfig); }},
        // With no configuration folder at all the settings do not go to "/QV Tovra/".
        {"unknown", [](auto& fs) { fs.appDataPath.clear(); }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        fp.profileFilesFake.files.clear();
        c.setUp(fp.fileSystemFake);
        start();
        EXPECT_EQ(DataDir, kExeDir);
        destroy();
        EXPECT_FALSE(savedText(kExeDir + u"tovra.ini").empty());
        EXPECT_TRUE(savedText(u"/QV Tovra/tovra.ini").empty());
        fp.fileSystemFake.unwritable.clear();
        fp.fileSystemFake.appDataPath = kConfig;
        ResetProcessState();
    }
}

TEST_F(StartupTest, AutostartEntryIsWrittenDeletedOrLeftAlone) {
    const std::u16string exe = kExeDir + u"tovra";
    struct Case {
        const char* what;
        bool presentAtStart;
        bool toggle;
        std::optional<std::u16string> changedMeanwhile;  // another program's doing
        std::optional<std::u16string> atEnd;
        int writes, removes;
    } cases[] = {
        {"checked: written", false, true, std::nullopt, exe, 1, 0},
        {"unchecked: deleted", true, true, std::nullopt, std::nullopt, 0, 1},
        {"left checked: untouched", true, false, u"/elsewhere/other", u"/elsewhere/other", 0, 0},
        {"left unchecked: untouched", false, false, std::nullopt, std::nullopt, 0, 0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto& as = fp.autostartFake;
        as.entries.clear();
        as.writes = as.removes = 0;
        if (c.presentAtStart) as.entries[u"QV Tovra"] = u"/old/path";
        start();
        EXPECT_EQ(form->N8->Checked(), c.presentAtStart);
        EXPECT_EQ(AutostartAtStart, c.presentAtStart);
        if (c.toggle) form->N8->Click();
        EXPECT_EQ(as.writes + as.removes, 0);  // nothing before exit
        if (c.changedMeanwhile) as.entries[u"QV Tovra"] = *c.changedMeanwhile;
        destroy();
        auto it = as.entries.find(u"QV Tovra");
        std::optional<std::u16string> atEnd;
        if (it != as.entries.end()) atEnd = it->second;
        EXPECT_EQ(atEnd, c.atEnd);
        EXPECT_EQ(as.writes, c.writes);
        EXPECT_EQ(as.removes, c.removes);
        ResetProcessState();
    }
}

TEST_F(StartupTest, FailingServicesStillGiveARunningProgram) {
    fp.autostartFake.failing = true;
    fp.audioFake.initSucceeds = false;
    addLanguage(u"Garbage.lng", std::string("\xFF\xFE\x00\xD8", 4));
    settings("[Work]\r\nTime=\x01\x02\r\nFont=???,,,\r\n[Rest\r\nTime=3\r\n");
    start();
    EXPECT_FALSE(AudioAvailable);
    EXPECT_FALSE(form->N8->Checked());
    EXPECT_TRUE(form->TextTrayIcon1->IconVisible());
    EXPECT_EQ(trayText(), u"45");
    form->N8->Click();
    destroy();  // the autostart error at exit is swallowed; the save still happens
    EXPECT_FALSE(savedText().empty());
}

TEST_F(StartupTest, AudioIsStartedOnTheDefaultDevice) {
    start();
    EXPECT_TRUE(AudioAvailable);
    ASSERT_FALSE(fp.audioFake.calls.empty());
    EXPECT_EQ(fp.audioFake.calls[0].op, "init");
}

TEST_F(StartupTest, WindowStaysHiddenAtStartAndTheIconSurvivesATrayRestart) {
    TProgramWindows windows;
    start();
    windows.SetMainForm(form.get());
    EXPECT_FALSE(windows.ShowMainForm);  // the tray icon's start-up decision
    EXPECT_FALSE(form->Visible());
    fp.notifyAreaFake.mouseMove();
    const std::u16string hint = form->TextTrayIcon1->Hint();
    ASSERT_NE(fp.notifyAreaFake.icon(), nullptr);
    const auto picture = fp.notifyAreaFake.icon()->Image.Pixels;

    fp.notifyAreaFake.restartHost();
    ASSERT_NE(fp.notifyAreaFake.icon(), nullptr);
    EXPECT_EQ(fp.notifyAreaFake.icon()->Tip, hint);
    EXPECT_EQ(fp.notifyAreaFake.icon()->Image.Pixels, picture);
    fp.advance(kMinute);
    EXPECT_EQ(trayText(), u"44");
    windows.SetMainForm(nullptr);
}

// Opened from the tray while another program has the focus, the settings window comes to the
// front, each time it is shown, before it is on screen; the tray icon's owner hook asks for it.
TEST_F(StartupTest, SettingsWindowIsBroughtToTheFrontEachTimeItIsShown) {
    TProgramWindows windows;
    start();
    windows.SetMainForm(form.get());
    EXPECT_TRUE(fp.formDisplayFake.fronted.empty());  // the hidden start asks nothing
    std::vector<std::size_t> frontedWhileShown;
    for (int i = 0; i < 2; ++i)
        openSettings([&](TForm1&) { frontedWhileShown.push_back(fp.formDisplayFake.fronted.size()); });
    EXPECT_EQ(frontedWhileShown, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(fp.formDisplayFake.fronted,
              (std::vector<const ui::TForm*>{form.get(), form.get()}));
    windows.SetMainForm(nullptr);
}

class EndTest : public ShellFixture {};

TEST_F(EndTest, TerminationEndsTheLoopAndTheSettingsAreSaved) {
    start();
    form->TrackBar1->SetPosition(20);
    openSettings([](TForm1& f) { f.BitBtn1->Click(); });
    fp.profileFilesFake.files.clear();
    fp.loopFake.requestEnd();
    fp.loopFake.requestEnd();  // a second signal changes nothing
    fp.advance(1);
    EXPECT_TRUE(fp.loopFake.quitRequested());
    destroy();
    EXPECT_EQ(ValueOf(savedText(), "Work", "Time"), "20");
    EXPECT_EQ(fp.profileFilesFake.files.size(), 1u);
}

TEST_F(EndTest, TerminationWithTheSettingsWindowOpenCancelsItAndEnds) {
    start();
    openSettings([&](TForm1& f) {
        f.TrackBar1->SetPosition(99);  // not confirmed
        fp.loopFake.requestEnd();
        fp.advance(1);
        EXPECT_EQ(f.ModalResult(), ui::mrCancel);
    });
    EXPECT_TRUE(fp.loopFake.quitRequested());
    EXPECT_EQ(form->TrackBar1->Position(), 45);
    EXPECT_TRUE(savedText().empty());
    destroy();
    EXPECT_EQ(ValueOf(savedText(), "Work", "Time"), "45");
}

TEST_F(EndTest, WholeProgramEndsOnASignalAfterReleasingItsGuard) {
    fp.loopFake.requestEnd();  // arrives as soon as the loop runs
    int code = RunProgram();
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(savedText().empty());
    // The guard is free again: a new copy may start.
    bool existed = true;
    auto again = fp.namedLocksFake.Create(SingleInstanceLockName, &existed);
    EXPECT_FALSE(existed);
}

}  // namespace
}  // namespace app::test
