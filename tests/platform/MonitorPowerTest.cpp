// Display power: DPMS on a private X server, the desktop's interfaces on the private bus.
#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDBusVariant>

#include "platform/linux/Services.h"
#include "tests/platform/FakeDesktop.h"
#include "tests/platform/TestEnv.h"
#include "tests/platform/XQueries.h"

namespace {

using testenv::FakeBusService;

class MonitorPowerTest : public ::testing::Test {
protected:
    testenv::TempHome home;
    std::unique_ptr<platform::MonitorPower> power = platform::linux_::makeMonitorPower();

    void SetUp() override {
        home.env().unset("DISPLAY");
        home.env().unset("WAYLAND_DISPLAY");
        home.env().unset("XDG_SESSION_TYPE");
    }
};

TEST_F(MonitorPowerTest, DpmsOffThenOnRestoresTheUsersSetting) {
    testenv::PrivateXServer x;
    if (!x.running()) GTEST_SKIP() << "no Xvfb";
    if (!testenv::queryDpms()) GTEST_SKIP() << "this X server has no DPMS";
    for (bool userHadDpms : {false, true}) {
        testenv::setDpmsEnabled(userHadDpms);
        power->SetMonitorPower(false);
        auto off = testenv::queryDpms();
        ASSERT_TRUE(off);
        EXPECT_EQ(off->level, 3) << "off";
        power->SetMonitorPower(true);
        auto on = testenv::queryDpms();
        ASSERT_TRUE(on);
        EXPECT_EQ(on->level, 0) << "on";
        EXPECT_EQ(on->enabled, userHadDpms) << "the user's DPMS choice is put back";
    }
}

TEST_F(MonitorPowerTest, GnomeOnWaylandGetsItsPowerSaveMode) {
    if (!testenv::privateBusAvailable()) GTEST_SKIP() << "no dbus-daemon";
    home.env().set("WAYLAND_DISPLAY", "wayland-0");
    FakeBusService mutter(u"org.gnome.Mutter.DisplayConfig"_qs, u"/org/gnome/Mutter/DisplayConfig"_qs,
                          [](const QDBusMessage&) { return std::optional<QVariantList>(QVariantList{}); });
    ASSERT_TRUE(mutter.registered());
    power->SetMonitorPower(false);
    power->SetMonitorPower(true);
    auto calls = mutter.calls();
    ASSERT_EQ(calls.size(), 2u);
    std::vector<int> modes;
    for (const auto& c : calls) {
        EXPECT_EQ(c.interface(), u"org.freedesktop.DBus.Properties"_qs);
        EXPECT_EQ(c.member(), u"Set"_qs);
        ASSERT_EQ(c.arguments().size(), 3);
        EXPECT_EQ(c.arguments()[0].toString(), u"org.gnome.Mutter.DisplayConfig"_qs);
        EXPECT_EQ(c.arguments()[1].toString(), u"PowerSaveMode"_qs);
        modes.push_back(c.arguments()[2].value<QDBusVariant>().variant().toInt());
    }
    EXPECT_EQ(modes, (std::vector<int>{3, 0}));
}

TEST_F(MonitorPowerTest, PlasmaGetsItsTurnOffScreenActionAndAWakeUp) {
    if (!testenv::privateBusAvailable()) GTEST_SKIP() << "no dbus-daemon";
    home.env().set("WAYLAND_DISPLAY", "wayland-0");
    auto ok = [](const QDBusMessage&) { return std::optional<QVariantList>(QVariantList{}); };
    FakeBusService accel(u"org.kde.kglobalaccel"_qs, u"/component/org_kde_powerdevil"_qs, ok);
    FakeBusService saver(u"org.freedesktop.ScreenSaver"_qs, u"/org/freedesktop/ScreenSaver"_qs, ok);
    power->SetMonitorPower(false);
    power->SetMonitorPower(true);
    ASSERT_EQ(accel.calls().size(), 1u);
    EXPECT_EQ(accel.calls()[0].member(), u"invokeShortcut"_qs);
    EXPECT_EQ(accel.calls()[0].arguments().value(0).toString(), u"Turn Off Screen"_qs);
    ASSERT_EQ(saver.calls().size(), 1u);
    EXPECT_EQ(saver.calls()[0].member(), u"SimulateUserActivity"_qs);
}

TEST_F(MonitorPowerTest, NothingToAskIsSilentlyNothing) {
    EXPECT_NO_THROW(power->SetMonitorPower(false));
    EXPECT_NO_THROW(power->SetMonitorPower(true));
    home.env().set("DISPLAY", ":999");  // no such server
    EXPECT_NO_THROW(power->SetMonitorPower(false));
}

}  // namespace
