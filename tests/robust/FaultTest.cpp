// Faults at the platform seam: whatever the disk, the lock, the sound device or the desktop
// refuses, the program goes on counting and alerting, and no setting saved before is lost.
#include <functional>

#include "inifile/SafeIniFiles.h"
#include "tests/robust/RobustFixture.h"

namespace robust {
namespace {

struct Fault {
    const char* name;
    std::function<void(platform::fake::FakePlatform&)> inject;
    bool savesFail;  // the settings cannot be written while the fault lasts
    bool balloons;   // alerts by balloon rather than by message box
    bool iconShown = true;  // without a tray host the user cannot open the settings
};

class FaultTest : public RobustFixture, public ::testing::WithParamInterface<Fault> {
protected:
    // A first run keeps settings of its own: 33 minutes of work, 4 of rest.
    void keepSettings(bool balloons) {
        start();
        openSettings([&](app::TForm1& f) {
            f.TrackBar1->SetPosition(33);
            f.TrackBar2->SetPosition(4);
            f.Edit1->SetText(u"Kept work message");
            f.Edit3->SetText(u"Kept rest message");
            f.Edit2->SetText(kWorkSound);
            f.Edit4->SetText(kRestSound);
            f.CheckBox3->SetChecked(balloons);
            f.BitBtn1->Click();
        });
        destroy();
        fp.messageBoxesFake.calls.clear();
    }
    // Alerts seen while `ms` pass, each acknowledged a few seconds after it came.
    int runAndCountAlerts(uint64_t ms) {
        int alerts = 0;
        uint64_t end = fp.loopFake.now() + ms;
        while (fp.loopFake.now() < end) {
            fp.userInput();
            fp.advance(10000);
            if (form->BalloonPending) {
                ++alerts;
                fp.advance(5000);
                fp.notifyAreaFake.balloonTimeout();
            }
        }
        for (auto& c : fp.messageBoxesFake.calls) alerts += c.error ? 0 : 1;
        return alerts;
    }
};

TEST_P(FaultTest, ProgramRunsOnAndLosesNoSavedSetting) {
    const Fault& fault = GetParam();
    keepSettings(fault.balloons);
    const std::string saved = savedText();
    ASSERT_NE(saved.find("33"), std::string::npos) << saved;

    fault.inject(fp);
    start();
    // Two hours: at least two work periods of 33 minutes end, each with its alert.
    EXPECT_GE(runAndCountAlerts(2 * 60 * kMinute), 4);
    EXPECT_TRUE(form->Timer1->Enabled() || form->Timer2->Enabled()) << "still counting";

    if (!fault.iconShown) {
        destroy();
        EXPECT_EQ(errorBoxes(), 0);
        EXPECT_EQ(savedText(), saved);
        return;
    }
    // The user changes the settings; a save that cannot be written changes nothing on disk.
    openSettings([](app::TForm1& f) {
        f.TrackBar1->SetPosition(44);
        f.BitBtn1->Click();
    });
    fp.advance(100 + 2 * kMinute);
    EXPECT_EQ(trayText(), u"42") << "the new work period counts";
    destroy();  // the exit save may fail too; nothing escapes the window's end
    if (fault.savesFail) {
        EXPECT_EQ(savedText(), saved);
        EXPECT_LE(errorBoxes(), 2) << "one standard error box per failed save at most";
    } else {
        EXPECT_NE(savedText().find("44"), std::string::npos);
        EXPECT_EQ(errorBoxes(), 0);
    }
}

std::string CaseName(const ::testing::TestParamInfo<Fault>& info) { return info.param.name; }

uint32_t Refuse(uint32_t code) { return code; }

INSTANTIATE_TEST_SUITE_P(
    AtTheSeam, FaultTest,
    ::testing::Values(
        Fault{"DiskFull", [](auto& fp) {
                  fp.profileFilesFake.writeFault = [](auto, auto, auto) {
                      return Refuse(platform::ERROR_DISK_FULL);
                  };
              }, true, false},
        Fault{"ReadOnly", [](auto& fp) {
                  fp.profileFilesFake.writeFault = [](auto, auto, auto) {
                      return Refuse(platform::ERROR_ACCESS_DENIED);
                  };
              }, true, true},
        Fault{"FolderVanished", [](auto& fp) {
                  fp.profileFilesFake.missingFolders.insert(kConfig + u"/QV Tovra");
              }, true, false},
        Fault{"NamedLockUnavailable", [](auto& fp) {
                  std::u16string name = inifile::BuildLockName(kIni);
                  fp.namedLocksFake.unavailable = {u"Global\\" + name, name};
              }, false, true},
        Fault{"NoAudioDevice", [](auto& fp) { fp.audioFake.initSucceeds = false; }, false,
              false},
        Fault{"UnplayableSounds", [](auto& fp) {
                  fp.audioFake.unplayable = {kWorkSound, kRestSound};
              }, false, true},
        Fault{"NoTrayHostWithBoxes", [](auto& fp) { fp.notifyAreaFake.hostRunning = false; },
              false, false, false},
        Fault{"NoTrayHostWithBalloons", [](auto& fp) { fp.notifyAreaFake.hostRunning = false; },
              false, true, false},
        Fault{"TrayHostGoneAfterStart", [](auto& fp) {
                  fp.loopFake.Post([&fp] { fp.notifyAreaFake.hostRunning = false; });
              }, false, true},
        Fault{"NoShellForSounds", [](auto& fp) { fp.shellFake.succeed = false; }, false, false}),
    CaseName);

}  // namespace
}  // namespace robust
