// Time of the last input from each source, and "active" when no source can tell.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDBusMessage>
#include <chrono>
#include <thread>

#include "platform/linux/QtLoop.h"
#include "platform/linux/Services.h"
#include "tests/platform/FakeDesktop.h"
#include "tests/platform/TestEnv.h"

namespace {

using platform::linux_::monotonicMs;
using testenv::FakeBusService;

class IdleTimeTest : public ::testing::Test {
protected:
    testenv::TempHome home;
    std::unique_ptr<platform::IdleTime> idle = platform::linux_::makeIdleTime();

    void SetUp() override {
        home.env().unset("DISPLAY");
        home.env().unset("WAYLAND_DISPLAY");
        home.env().unset("XDG_SESSION_TYPE");
    }
    void wayland() {
        home.env().set("WAYLAND_DISPLAY", "wayland-0");
        home.env().set("XDG_SESSION_TYPE", "wayland");
    }
    // Milliseconds since the last input as the service reports it.
    uint32_t idleMs() {
        uint32_t last = idle->LastInputTick();
        return monotonicMs() - last;
    }
};

TEST_F(IdleTimeTest, UserCountsAsActiveWhenNoSourceAnswers) {
    EXPECT_LT(idleMs(), 1000u);
    wayland();
    EXPECT_LT(idleMs(), 1000u);
}

TEST_F(IdleTimeTest, XScreenSaverReportsTimeSinceTheLastInput) {
    testenv::PrivateXServer x;
    if (!x.running()) GTEST_SKIP() << "no Xvfb";
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    uint32_t first = idleMs();
    EXPECT_GE(first, 1000u) << "nobody has touched the new display";
    EXPECT_LT(first, 60000u);
    // Under Wayland the X server sees only X clients' input: not a source to trust.
    wayland();
    EXPECT_LT(idleMs(), 1000u);
    home.env().unset("WAYLAND_DISPLAY");
    home.env().unset("XDG_SESSION_TYPE");
    if (access("/usr/bin/xdotool", X_OK) == 0) {
        testenv::runCapture({"/usr/bin/xdotool", "mousemove", "17", "23"});
        EXPECT_LT(idleMs(), 900u) << "input must restart the idle time";
    }
}

TEST_F(IdleTimeTest, DesktopIdleServicesOnTheSessionBus) {
    if (!testenv::privateBusAvailable()) GTEST_SKIP() << "no dbus-daemon";
    wayland();
    auto u64 = [](qulonglong v) { return [v](const QDBusMessage&) {
        return std::optional<QVariantList>(QVariantList{QVariant::fromValue(v)}); }; };
    auto u32 = [](uint v) { return [v](const QDBusMessage&) {
        return std::optional<QVariantList>(QVariantList{QVariant::fromValue(v)}); }; };
    auto refuse = [](const QDBusMessage&) { return std::optional<QVariantList>(); };
    auto text = [](const QDBusMessage&) {
        return std::optional<QVariantList>(QVariantList{QStringLiteral("123")}); };

    {
        FakeBusService mutter(u"org.gnome.Mutter.IdleMonitor"_qs, u"/org/gnome/Mutter/IdleMonitor/Core"_qs,
                              u64(123456));
        FakeBusService fdo(u"org.freedesktop.ScreenSaver"_qs, u"/org/freedesktop/ScreenSaver"_qs, u32(5000));
        ASSERT_TRUE(mutter.registered() && fdo.registered());
        EXPECT_EQ(idleMs() / 1000, 123u) << "GNOME's monitor comes first";
        ASSERT_FALSE(mutter.calls().empty());
        EXPECT_EQ(mutter.calls().front().member(), u"GetIdletime"_qs);
    }
    {
        FakeBusService mutter(u"org.gnome.Mutter.IdleMonitor"_qs, u"/org/gnome/Mutter/IdleMonitor/Core"_qs,
                              refuse);
        FakeBusService fdo(u"org.freedesktop.ScreenSaver"_qs, u"/org/freedesktop/ScreenSaver"_qs, u32(65000));
        EXPECT_EQ(idleMs() / 1000, 65u) << "the freedesktop interface when GNOME's refuses";
        EXPECT_EQ(fdo.calls().front().member(), u"GetSessionIdleTime"_qs);
    }
    {
        FakeBusService fdo(u"org.freedesktop.ScreenSaver"_qs, u"/ScreenSaver"_qs, u32(7000));
        EXPECT_EQ(idleMs() / 1000, 7u) << "KDE's older object path";
    }
    {
        FakeBusService odd(u"org.freedesktop.ScreenSaver"_qs, u"/org/freedesktop/ScreenSaver"_qs, text);
        EXPECT_LT(idleMs(), 1000u) << "an answer of the wrong type is no answer";
    }
    {
        // Forty days idle must not wrap the 32-bit tick difference back to "just now".
        FakeBusService mutter(u"org.gnome.Mutter.IdleMonitor"_qs, u"/org/gnome/Mutter/IdleMonitor/Core"_qs,
                              u64(40ull * 24 * 3600 * 1000));
        EXPECT_GE(idleMs(), 0x7FFFFFFFu - 1000u);
    }
}

}  // namespace
