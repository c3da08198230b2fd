#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "tray/CoolTrayIcon.h"

namespace {

using platform::fake::FakeNotifyArea;
using tray::TCoolTrayIcon;

// An owner with one icon whose events are written to a log, in the order they happen.
struct TrayFixture : ::testing::Test {
    platform::fake::FakePlatform fp;
    FakeNotifyArea& area = fp.notifyAreaFake;
    ui::TComponent form{nullptr};
    TCoolTrayIcon* icon = new TCoolTrayIcon(&form);
    std::vector<std::string> log;

    void logEvents(bool withDblClick = true) {
        icon->OnClick = [this](ui::TObject*) { log.push_back("click"); };
        if (withDblClick) icon->OnDblClick = [this](ui::TObject*) { log.push_back("dblclick"); };
        icon->OnMouseDown = [this](ui::TObject*, tray::TMouseButton b, tray::TShiftState s, int,
                                   int) { log.push_back("down" + std::to_string(b) + "/" +
                                                        std::to_string(s)); };
        icon->OnMouseUp = [this](ui::TObject*, tray::TMouseButton b, tray::TShiftState, int,
                                 int) { log.push_back("up" + std::to_string(b)); };
        icon->OnMouseMove = [this](ui::TObject*, tray::TShiftState, int x, int y) {
            log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        };
        icon->OnBalloonHintShow = [this](ui::TObject*) { log.push_back("bshow"); };
        icon->OnBalloonHintHide = [this](ui::TObject*) { log.push_back("bhide"); };
        icon->OnBalloonHintTimeout = [this](ui::TObject*) { log.push_back("btimeout"); };
        icon->OnBalloonHintClick = [this](ui::TObject*) { log.push_back("bclick"); };
    }
    void show() { icon->SetIconVisible(true); }
    std::vector<std::string> take() { return std::exchange(log, {}); }
    using V = std::vector<std::string>;
};

TEST_F(TrayFixture, SingleClickWithADoubleClickHandlerWaitsOneDoubleClickTime) {
    logEvents();
    show();
    fp.screenFake.doubleClickTime = 500;
    area.send(platform::WM_LBUTTONDOWN);
    fp.advance(120);
    area.send(platform::WM_LBUTTONUP);
    EXPECT_EQ(take(), (V{"down0/8", "up0"}));
    fp.advance(379);
    EXPECT_EQ(take(), V{});
    fp.advance(1);  // 500 ms after the button went down
    EXPECT_EQ(take(), V{"click"});
    fp.advance(5000);
    EXPECT_EQ(take(), V{});
}

TEST_F(TrayFixture, WithoutADoubleClickHandlerTheClickComesAtReleaseBeforeMouseUp) {
    logEvents(false);
    show();
    area.click();
    EXPECT_EQ(take(), (V{"down0/8", "click", "up0"}));
    EXPECT_EQ(fp.loopFake.armedCount(), 0u);
}

TEST_F(TrayFixture, DoubleClickGivesNoClickAndNeitherDoesAQuickThirdClick) {
    logEvents();
    show();
    area.doubleClick();
    fp.advance(100);
    area.click();  // before the click timer has run out
    fp.advance(2000);
    EXPECT_EQ(take(), (V{"down0/8", "up0", "dblclick", "up0", "down0/8", "up0"}));

    // The swallowed third click leaves nothing behind: a later long press clicks once.
    area.send(platform::WM_LBUTTONDOWN);
    fp.advance(800);
    area.send(platform::WM_LBUTTONUP);
    fp.advance(2000);
    EXPECT_EQ(take(), (V{"down0/8", "click", "up0"}));
}

TEST_F(TrayFixture, AButtonHeldPastTheDoubleClickTimeClicksAtRelease) {
    logEvents();
    show();
    area.send(platform::WM_LBUTTONDOWN);
    fp.advance(700);
    EXPECT_EQ(take(), V{"down0/8"});
    area.send(platform::WM_LBUTTONUP);
    EXPECT_EQ(take(), (V{"click", "up0"}));
    fp.advance(2000);
    EXPECT_EQ(take(), V{});
}

TEST_F(TrayFixture, DisabledIconReportsNoMouseButStillBalloons) {
    logEvents();
    ui::TPopupMenu menu(&form);
    icon->SetPopupMenu(&menu);
    show();
    icon->SetEnabled(false);
    area.doubleClick();
    area.rightClick();
    area.middleClick();
    area.mouseMove();
    fp.advance(2000);
    EXPECT_EQ(take(), V{});
    EXPECT_TRUE(area.popups.empty());
    area.balloonShow();
    area.balloonHide();
    area.balloonTimeout();
    area.balloonClick();
    EXPECT_EQ(take(), (V{"bshow", "bhide", "btimeout", "bclick"}));

    // A click that began while enabled still completes after the icon was disabled.
    icon->SetEnabled(true);
    area.click();
    icon->SetEnabled(false);
    fp.advance(500);
    EXPECT_EQ(take(), (V{"down0/8", "up0", "click"}));
}

TEST_F(TrayFixture, RightButtonOpensTheMenuOnButtonDown) {
    logEvents();
    ui::TPopupMenu menu(&form);
    icon->SetPopupMenu(&menu);
    EXPECT_EQ(area.iconMenus.at({icon->Handle(), icon->IconID()}), &menu);
    show();
    fp.screenFake.cursor = {1210, 5};
    fp.screenFake.shift = platform::ssCtrl | platform::ssLeft;  // held buttons are not reported
    area.onPopup = [this](ui::TPopupMenu& m) {
        log.push_back("menu");
        EXPECT_EQ(m.PopupComponent(), icon);
    };
    area.send(platform::WM_RBUTTONDOWN);
    EXPECT_EQ(take(), (V{"down1/20", "menu"}));
    ASSERT_EQ(area.popups.size(), 1u);
    EXPECT_EQ(area.popups[0].At.X, 1210);
    EXPECT_EQ(area.popups[0].At.Y, 5);
    area.send(platform::WM_RBUTTONUP);
    EXPECT_EQ(take(), V{"up1"});  // after the menu has closed

    // The newer behaviour reports the right button's release only through the shell's
    // context-menu and select notifications.
    icon->SetBehavior(tray::bhWin2000);
    EXPECT_EQ(area.icon()->Version, 3u);
    area.rightClick();
    EXPECT_EQ(take(), (V{"down1/20", "menu"}));
    for (uint32_t code : {platform::WM_CONTEXTMENU, platform::NIN_SELECT, platform::NIN_KEYSELECT})
        area.send(code);
    EXPECT_EQ(take(), (V{"up1", "up1", "up1"}));

    menu.SetAutoPopup(false);
    area.rightClick();
    EXPECT_EQ(area.popups.size(), 2u);
}

TEST_F(TrayFixture, DoubleClickChoosesTheMenusFirstDefaultItem) {
    logEvents();
    ui::TPopupMenu menu(&form);
    auto* a = new ui::TMenuItem(&form);
    auto* b = new ui::TMenuItem(&form);
    auto* c = new ui::TMenuItem(&form);
    menu.Items()->Add(a);
    menu.Items()->Add(b);
    menu.Items()->Add(c);
    b->SetDefault(true);
    c->SetDefault(true);
    b->OnClick = [this](ui::TObject*) { log.push_back("b"); };
    c->OnClick = [this](ui::TObject*) { log.push_back("c"); };
    icon->SetPopupMenu(&menu);
    show();
    area.send(platform::WM_LBUTTONDBLCLK);
    EXPECT_EQ(take(), (V{"dblclick", "b"}));
    icon->SetLeftPopup(true);  // the left button belongs to the menu then
    area.send(platform::WM_LBUTTONDBLCLK);
    EXPECT_EQ(take(), V{"dblclick"});
}

TEST_F(TrayFixture, MiddleButtonAndMouseMoveCarryTheCursorPosition) {
    logEvents();
    show();
    fp.screenFake.cursor = {7, -3};
    fp.screenFake.shift = platform::ssShift;
    area.middleClick();
    area.mouseMove();
    EXPECT_EQ(take(), (V{"down2/33", "up2", "move 7,-3"}));
}

TEST_F(TrayFixture, EnterAndExitFollowTheCursor) {
    icon->OnMouseEnter = [this](ui::TObject*) { log.push_back("enter"); };
    icon->OnMouseExit = [this](ui::TObject*) { log.push_back("exit"); };
    show();
    area.mouseMove();  // not wanted yet
    icon->SetWantEnterExitEvents(true);
    area.mouseMove();
    area.mouseMove();
    fp.advance(100);
    EXPECT_EQ(take(), V{"enter"});
    fp.screenFake.cursor.X += 1;
    fp.advance(20);
    EXPECT_EQ(take(), V{"exit"});
    area.mouseMove();
    EXPECT_EQ(take(), V{"enter"});
}

TEST_F(TrayFixture, AddTwiceSendsTwoRequestsAndTheSecondIsRefused) {
    show();
    show();
    auto adds = area.requestsOf(platform::NIM_ADD);
    ASSERT_EQ(adds.size(), 2u);
    EXPECT_TRUE(adds[0]->Accepted);
    EXPECT_FALSE(adds[1]->Accepted);
    EXPECT_EQ(area.icons.size(), 1u);
    EXPECT_TRUE(icon->IconVisible());
    const auto& d = adds[0]->Data;
    EXPECT_EQ(d.cbSize, 952u);
    EXPECT_EQ(d.uFlags, 7u);
    EXPECT_EQ(d.uCallbackMessage, 0x800u);
    EXPECT_EQ(d.hWnd, icon->Handle());
    EXPECT_EQ(d.uID, icon->IconID());
}

TEST_F(TrayFixture, TextsAreCutAtTheirLimits) {
    show();
    struct Case {
        std::size_t hint, shown;
    } cases[] = {{0, 0}, {1, 1}, {127, 127}, {128, 127}, {400, 127}};
    for (auto [len, shown] : cases) {
        std::u16string hint(len, u'h');
        if (len) hint.back() = u'Z';
        icon->SetHint(hint);
        const auto& d = area.requests.back().Data;
        EXPECT_EQ(area.requests.back().Tip(), hint.substr(0, shown)) << len;
        EXPECT_EQ(d.szTip[127], u'\0');
        if (len == 0) {
            for (char16_t c : d.szTip) EXPECT_EQ(c, u'\0');
        }
    }
    icon->SetHint(u"QV Tovra");
    icon->SetShowHint(false);
    EXPECT_EQ(area.requests.back().Tip(), u"");

    icon->ShowBalloonHint(std::u16string(100, u't'), std::u16string(300, u'x'), tray::bitInfo, 30);
    EXPECT_EQ(area.requests.back().Info(), std::u16string(255, u'x'));
    EXPECT_EQ(area.requests.back().InfoTitle(), std::u16string(63, u't'));
}

TEST_F(TrayFixture, ShowBalloonHintHidesTheLastOneThenSendsTheNew) {
    icon->SetHint(u"QV Tovra");
    show();
    std::size_t before = area.requests.size();
    EXPECT_TRUE(icon->ShowBalloonHint(u"QV Tovra", u"Rest!", tray::bitInfo, 30));
    ASSERT_EQ(area.requests.size(), before + 2);
    const auto& hide = area.requests[before];
    const auto& show = area.requests[before + 1];
    EXPECT_EQ(hide.Message, platform::NIM_MODIFY);
    EXPECT_EQ(hide.Data.uFlags, 7u | platform::NIF_INFO);
    EXPECT_EQ(hide.Info(), u"");
    EXPECT_EQ(show.Message, platform::NIM_MODIFY);
    EXPECT_EQ(show.Data.uFlags, 7u | platform::NIF_INFO);
    EXPECT_EQ(show.Info(), u"Rest!");
    EXPECT_EQ(show.InfoTitle(), u"QV Tovra");
    EXPECT_EQ(show.Data.dwInfoFlags, 1u);
    EXPECT_EQ(show.Data.uTimeout, 30000u);
    EXPECT_EQ(show.Tip(), u"QV Tovra");
    EXPECT_EQ(icon->Data().uFlags, 7u);
    EXPECT_EQ(area.icon()->BalloonText, u"Rest!");

    struct Case {
        tray::TBalloonHintIcon type;
        uint32_t flag;
    } cases[] = {{tray::bitNone, 0}, {tray::bitWarning, 2}, {tray::bitError, 3},
                 {tray::bitCustom, 4}};
    for (auto [type, flag] : cases) {
        icon->ShowBalloonHint(u"t", u"x", type, 10);
        EXPECT_EQ(area.requests.back().Data.dwInfoFlags, flag);
        EXPECT_EQ(area.requests.back().Data.uTimeout, 10000u);
    }

    // Alone, hiding keeps the info flag until the next balloon.
    EXPECT_TRUE(icon->HideBalloonHint());
    EXPECT_EQ(icon->Data().uFlags, 7u | platform::NIF_INFO);
    EXPECT_EQ(area.icon()->BalloonText, u"");
}

TEST_F(TrayFixture, RequestsFailQuietlyWithoutATrayHost) {
    area.hostRunning = false;
    show();
    EXPECT_TRUE(icon->IconVisible());  // the wish, not the shell's answer
    EXPECT_FALSE(icon->Refresh());
    EXPECT_FALSE(icon->ShowBalloonHint(u"t", u"x", tray::bitInfo, 30));
    EXPECT_EQ(icon->Data().uFlags, 7u);
}

TEST_F(TrayFixture, TrayHostRestartBringsTheIconBackWithItsPictureAndHint) {
    ui::TIcon picture;
    picture.SetImage({16, 16, std::vector<uint32_t>(256, 0xFF112233)});
    icon->SetIcon(&picture);
    icon->SetHint(u"QV Tovra - pause");
    show();
    area.restartHost();
    ASSERT_NE(area.icon(), nullptr);
    EXPECT_EQ(area.icon()->Tip, u"QV Tovra - pause");
    EXPECT_EQ(area.icon()->Image.Pixels, picture.Image().Pixels);
    EXPECT_EQ(area.requestsOf(platform::NIM_ADD).size(), 2u);

    icon->SetIconVisible(false);
    area.restartHost();
    EXPECT_EQ(area.icon(), nullptr);
}

TEST_F(TrayFixture, IconListChoosesAndCyclesPictures) {
    ui::TImageList list(&form);
    for (uint32_t c : {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u})
        list.Add({16, 16, std::vector<uint32_t>(256, c)});
    icon->SetIconList(&list);
    show();
    icon->SetIconIndex(7);  // lowered to the last one
    EXPECT_EQ(icon->IconIndex(), 2);
    EXPECT_EQ(area.icon()->Image.Pixels[0], 0xFFFF0000u);

    std::vector<int> next;
    icon->OnCycle = [&](ui::TObject*, int32_t n) { next.push_back(n); };
    icon->SetCycleInterval(100);
    icon->SetCycleIcons(true);
    EXPECT_EQ(icon->IconIndex(), 0);
    fp.advance(350);
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(area.icon()->Image.Pixels[0], 0xFFFF0000u);
    icon->SetCycleIcons(false);
    fp.advance(1000);
    EXPECT_EQ(next.size(), 3u);
}

TEST_F(TrayFixture, TheDesktopHasTheMenuOnlyWhileTheIconTakesInput) {
    const auto key = std::make_pair(icon->Handle(), icon->IconID());
    ui::TPopupMenu first(&form), second(&form);
    icon->SetPopupMenu(&first);
    icon->SetEnabled(false);
    EXPECT_FALSE(area.iconMenus.count(key));
    icon->SetPopupMenu(&second);  // a menu given while disabled waits for the icon
    EXPECT_FALSE(area.iconMenus.count(key));
    icon->SetEnabled(true);
    EXPECT_EQ(area.iconMenus.at(key), &second);
    icon->SetEnabled(true);
    EXPECT_EQ(area.iconMenus.at(key), &second);
}

TEST_F(TrayFixture, FreedMenuAndListAreLetGo) {
    auto* menu = new ui::TPopupMenu(&form);
    auto* list = new ui::TImageList(&form);
    icon->SetPopupMenu(menu);
    icon->SetIconList(list);
    delete menu;
    delete list;
    EXPECT_EQ(icon->PopupMenu(), nullptr);
    EXPECT_EQ(icon->IconList(), nullptr);
    EXPECT_TRUE(area.iconMenus.empty());
    show();
    area.rightClick();  // no menu, no crash
    EXPECT_TRUE(area.popups.empty());
}

TEST_F(TrayFixture, DestroyingTheLastIconDeletesItAndItsHandlerWindow) {
    auto* second = new TCoolTrayIcon(&form);
    EXPECT_NE(second->IconID(), icon->IconID());
    EXPECT_EQ(second->Handle(), icon->Handle());
    EXPECT_EQ(area.windowCount(), 1u);
    show();
    second->SetIconVisible(true);
    EXPECT_EQ(area.icons.size(), 2u);
    delete second;
    EXPECT_EQ(area.icons.size(), 1u);
    EXPECT_EQ(tray::TrayIconHandler()->RefCount, 1u);
    uint32_t id = icon->IconID();
    delete icon;
    icon = nullptr;
    EXPECT_TRUE(area.icons.empty());
    EXPECT_EQ(area.windowCount(), 0u);
    EXPECT_EQ(tray::TrayIconHandler(), nullptr);
    EXPECT_FALSE(area.send(platform::WM_LBUTTONDOWN, id));
}

TEST_F(TrayFixture, HandlerWindowIgnoresStrangersAndRefusesToClose) {
    logEvents();
    show();
    auto* h = tray::TrayIconHandler();
    EXPECT_EQ(h->HandleIconMessage(tray::TrayCallbackMessage, icon->IconID() + 99,
                                   platform::WM_LBUTTONUP),
              0);
    for (uint32_t msg : {0x02u, 0x10u, 0x11u, 0x12u, 0x16u, 0x82u})
        EXPECT_EQ(h->HandleIconMessage(msg, 0, 0), 1) << msg;
    EXPECT_EQ(h->HandleIconMessage(0x300, 0, 0), 0);
    area.send(0x999);  // an unknown code
    EXPECT_EQ(take(), V{});
}

}  // namespace
