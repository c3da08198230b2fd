#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tray/CoolTrayIcon.h"

namespace {

// The application's windows as plain state, logging what the icon asks of them.
struct FakeApplication : tray::TTrayApplication {
    const ui::TComponent* window = nullptr;
    bool mainExists = true, minimized = false, visible = true, button = true;
    std::vector<std::string> log;
    bool IsWindow(const ui::TComponent* c) override { return c == window; }
    bool MainFormExists() override { return mainExists; }
    bool MainFormMinimized() override { return minimized; }
    void SetMainFormNormal() override {
        minimized = false;
        log.push_back("normal");
    }
    void SetMainFormVisible(bool v) override {
        visible = v;
        log.push_back(v ? "show" : "hide");
    }
    void Restore() override { log.push_back("restore"); }
    void BringToFront(const ui::TComponent* w) override {
        log.push_back(w ? "front window" : "front app");
    }
    bool TaskbarButtonVisible() override { return button; }
    void SetTaskbarButtonVisible(bool v) override {
        button = v;
        log.push_back(v ? "button on" : "button off");
    }
};

struct TrayWindowsTest : ::testing::Test {
    platform::fake::FakePlatform fp;
    FakeApplication app;
    ui::TComponent form{nullptr};
    TrayWindowsTest() {
        app.window = &form;
        tray::SetTrayApplication(&app);
    }
    ~TrayWindowsTest() override {
        form.DestroyComponents();
        tray::SetTrayApplication(nullptr);
    }
};

TEST_F(TrayWindowsTest, StartupHandlerCanKeepTheMainWindowHidden) {
    auto* icon = new tray::TCoolTrayIcon(&form);
    icon->OnStartup = [](ui::TObject*, bool& show) {
        EXPECT_TRUE(show);
        show = false;
    };
    icon->Loaded();
    EXPECT_FALSE(app.ShowMainForm);
    EXPECT_EQ(app.log, (std::vector<std::string>{"hide", "button off"}));
    // Loading sent the stored state: a modify, the stored IconVisible (false: a delete) and
    // the behaviour.
    ASSERT_GE(fp.notifyAreaFake.requests.size(), 3u);
    EXPECT_EQ(fp.notifyAreaFake.requests.back().Message, platform::NIM_SETVERSION);
}

TEST_F(TrayWindowsTest, WithoutAHandlerOrWithoutAWindowOwnerTheMainWindowShows) {
    auto* icon = new tray::TCoolTrayIcon(&form);
    icon->Loaded();
    EXPECT_TRUE(app.ShowMainForm);
    auto* loose = new tray::TCoolTrayIcon(nullptr);
    bool asked = false;
    loose->OnStartup = [&](ui::TObject*, bool& show) { asked = true, show = false; };
    loose->Loaded();
    EXPECT_FALSE(asked);
    EXPECT_TRUE(app.ShowMainForm);
    EXPECT_TRUE(app.log.empty());
    delete loose;
}

TEST_F(TrayWindowsTest, MinimisingHidesToTheTrayAndShowMainFormBringsItBack) {
    auto* icon = new tray::TCoolTrayIcon(&form);
    icon->SetMinimizeToTray(true);
    bool told = false;
    icon->OnMinimizeToTray = [&](ui::TObject*) { told = true; };
    EXPECT_TRUE(icon->OwnerWindowProc(0x112, 0xF020, 0));  // SC_MINIMIZE: consumed
    EXPECT_TRUE(told);
    EXPECT_FALSE(app.visible);
    EXPECT_FALSE(app.button);
    EXPECT_TRUE(icon->IconVisible());
    EXPECT_NE(fp.notifyAreaFake.icon(), nullptr);

    app.log.clear();
    app.minimized = true;
    icon->ShowMainForm();
    EXPECT_EQ(app.log, (std::vector<std::string>{"restore", "normal", "show", "front app"}));

    app.log.clear();
    icon->SetMinimizeToTray(false);
    EXPECT_FALSE(icon->OwnerWindowProc(0x112, 0xF020, 0));
    EXPECT_TRUE(icon->OwnerWindowProc(0x18, 1, 0) == false);  // shown: brought to front
    EXPECT_EQ(app.log, (std::vector<std::string>{"front app", "front window"}));

    app.log.clear();
    icon->SetMinimizeToTray(true);
    app.button = true;
    icon->ApplicationWindowHook(0x05, 1, 0);  // WM_SIZE, minimised
    EXPECT_EQ(app.log, (std::vector<std::string>{"hide", "button off"}));
    app.log.clear();
    app.minimized = true;
    icon->ApplicationWindowHook(0x112, 0xF120, 0);  // SC_RESTORE
    EXPECT_EQ(app.log, (std::vector<std::string>{"normal", "show"}));
}

TEST_F(TrayWindowsTest, WindowFindingAnswersNoWindow) {
    auto* icon = new tray::TCoolTrayIcon(&form);
    EXPECT_EQ(icon->GetTooltipHandle(), 0u);
    EXPECT_EQ(icon->GetBalloonHintHandle(), 0u);
    // Caption height 19: positions are taken modulo 18, keeping the dividend's sign.
    auto p = icon->GetClientIconPos(40, -5);
    EXPECT_EQ(p.X, 40 % 18 - 1);
    EXPECT_EQ(p.Y, -5 - 1);
}

}  // namespace
