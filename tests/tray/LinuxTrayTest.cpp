// The tray icon on the real Linux services: pixels on a tray host, clicks sent by xdotool, a
// restarted host, balloons through a private notification service, the text renderer.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QImage>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "PrivateDesktop.h"
#include "platform/Platform.h"
#include "platform/linux/LinuxPlatform.h"
#include "tests/linux/QtWait.h"
#include "tray/TextTrayIcon.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/Text.h"

namespace {

tovra_test::PrivateDesktop* gDesktop = nullptr;

void pump(int ms) {
    waitFor([] { return false; }, ms);
}

bool xdotool(const QStringList& args) { return QProcess::execute("xdotool", args) == 0; }

// The face's green: 8454016 is 0x80FF80 (red 0x80, green 0xFF, blue 0x80).
bool isFaceColour(QRgb c) {
    return std::abs(qRed(c) - 0x80) <= 3 && qGreen(c) >= 0xFC && std::abs(qBlue(c) - 0x80) <= 3;
}

struct FaceOnScreen {
    int count = 0;
    QRect box;
};

FaceOnScreen findFace() {
    FaceOnScreen f;
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return f;
    QImage img = s->grabWindow(0).toImage();
    for (int y = 0; y < std::min(img.height(), 40); ++y)  // the tray sits along the top edge
        for (int x = 0; x < img.width(); ++x)
            if (isFaceColour(img.pixel(x, y))) {
                ++f.count;
                f.box |= QRect(x, y, 1, 1);
            }
    return f;
}

struct TrayOnLinux : ::testing::Test {
    std::unique_ptr<platform::linux_::LinuxPlatform> platform;
    std::unique_ptr<ui::TComponent> form;
    tray::TTextTrayIcon* icon = nullptr;
    std::vector<std::string> log;

    void SetUp() override {
        if (!gDesktop || !gDesktop->Display()) GTEST_SKIP() << "no display";
        platform = std::make_unique<platform::linux_::LinuxPlatform>();
        form = std::make_unique<ui::TComponent>(nullptr);
        icon = new tray::TTextTrayIcon(form.get());
        auto note = [this](const char* what) {
            return [this, what](ui::TObject*) { log.push_back(what); };
        };
        icon->OnClick = note("click");
        icon->OnDblClick = note("dblclick");
        icon->OnBalloonHintShow = note("show");
        icon->OnBalloonHintHide = note("hide");
        icon->OnBalloonHintTimeout = note("timeout");
        icon->OnBalloonHintClick = note("bclick");
        icon->OnMouseUp = [this](ui::TObject*, tray::TMouseButton b, tray::TShiftState, int, int) {
            if (b == tray::mbRight) log.push_back("rightup");
        };
    }
    void TearDown() override {
        form.reset();
        pump(50);
        platform.reset();
    }
    int count(const std::string& what) const { return int(std::count(log.begin(), log.end(), what)); }

    // The system's face: "45" on 8454016.
    void showFace() {
        icon->Font()->SetName(u"Small Fonts");
        icon->Font()->SetHeight(-9);
        icon->Font()->SetColor(ui::clWhite);
        icon->SetColor(8454016);
        icon->SetText(u"45");
        icon->SetHint(u"QV Tovra");
        icon->SetIconVisible(true);
    }
    bool needTray() {
        if (!gDesktop->TrayHostRunning() && !gDesktop->StartTrayHost()) return false;
        if (!waitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000)) return false;
        pump(700);  // the notification area's watch has seen the host come
        return true;
    }
};

TEST_F(TrayOnLinux, FaceAppearsClicksArriveAndRightClickOpensTheMenuOnce) {
    if (!needTray()) GTEST_SKIP() << "no tray host";
    ui::TPopupMenu menu(form.get());
    auto* exit = new ui::TMenuItem(form.get());
    exit->SetCaption(u"Exit");
    menu.Items()->Add(exit);
    int popups = 0;
    menu.OnPopup = [&](ui::TObject*) { ++popups; };
    icon->SetPopupMenu(&menu);
    showFace();

    FaceOnScreen face;
    bool seen = waitFor([&] { return (face = findFace()).count >= 60; }, 10000);
    if (!seen && std::getenv("TOVRA_SHOT"))
        QGuiApplication::primaryScreen()->grabWindow(0).save(std::getenv("TOVRA_SHOT"));
    ASSERT_TRUE(seen) << "face pixels seen: " << face.count;
    EXPECT_LE(face.box.width(), 48);
    QPoint c = face.box.center();
    ASSERT_TRUE(xdotool({"mousemove", QString::number(c.x()), QString::number(c.y())}));
    pump(200);

    ASSERT_TRUE(xdotool({"click", "1"}));
    EXPECT_TRUE(waitFor([&] { return count("click") == 1; }, 3000));
    pump(800);
    EXPECT_EQ(count("click"), 1);
    EXPECT_EQ(count("dblclick"), 0);

    log.clear();
    ASSERT_TRUE(xdotool({"click", "--repeat", "2", "--delay", "80", "1"}));
    EXPECT_TRUE(waitFor([&] { return count("dblclick") == 1; }, 3000));
    pump(1000);
    EXPECT_EQ(count("dblclick"), 1);
    EXPECT_EQ(count("click"), 0);

    // The menu opens inside the right button's handling; close it from within.
    log.clear();
    int menusSeen = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* p = QApplication::activePopupWidget()) {
            ++menusSeen;
            p->close();
        }
    });
    closer.start(300);
    ASSERT_TRUE(xdotool({"click", "3"}));
    EXPECT_TRUE(waitFor([&] { return count("rightup") == 1; }, 5000));
    pump(800);
    closer.stop();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menusSeen, 1);
    EXPECT_EQ(count("rightup"), 1);
}

TEST_F(TrayOnLinux, TheDesktopsCopyOfTheMenuExistsOnlyWithAHostAndFollowsABurstOfChanges) {
    // The copy a StatusNotifierItem host shows by itself on a right click. This process plays
    // the host's watcher on the bus; no tray is needed to look at the copy.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) GTEST_SKIP() << "no session bus";
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    ASSERT_FALSE(bus.interface()->isServiceRegistered(watcher));
    ui::TPopupMenu menu(form.get());
    auto* pause = new ui::TMenuItem(form.get());
    pause->SetCaption(u"Pause");
    menu.Items()->Add(pause);
    auto* language = new ui::TMenuItem(form.get());
    language->SetCaption(u"Language");
    menu.Items()->Add(language);
    icon->SetPopupMenu(&menu);
    int clicks = 0;
    pause->OnClick = [&](ui::TObject*) { ++clicks; };
    // Start-up's burst: a submenu built item by item, then its check marks.
    std::vector<ui::TMenuItem*> languages;
    for (const char16_t* name : {u"English", u"Deutsch", u"Français", u"Русский"}) {
        languages.push_back(new ui::TMenuItem(form.get()));
        languages.back()->SetCaption(name);
        language->Add(languages.back());
    }
    for (std::size_t i = 0; i < languages.size(); ++i) languages[i]->SetChecked(i == 2);
    pause->SetCaption(u"Resume");
    pump(100);
    auto findCopy = [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* m = qobject_cast<QMenu*>(w);
            if (m && !m->actions().isEmpty() && m->actions()[0]->text() == QStringLiteral("Resume"))
                return m;
        }
        return static_cast<QMenu*>(nullptr);
    };
    EXPECT_EQ(findCopy(), nullptr) << "a copy of the menu was made with no host to show it";

    // A host that comes later gets the menu as it stands.
    ASSERT_TRUE(bus.registerService(watcher));
    struct Unregister {
        QDBusConnection& bus;
        const QString& name;
        ~Unregister() { bus.unregisterService(name); }
    } unregister{bus, watcher};
    QMenu* copy = nullptr;
    ASSERT_TRUE(waitFor([&] { return (copy = findCopy()) != nullptr; }, 3000))
        << "no copy of the menu shows the last caption";
    ASSERT_EQ(copy->actions().size(), 2);
    QMenu* sub = copy->actions()[1]->menu();
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(sub->actions().size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sub->actions()[i]->text(),
                  QString::fromStdU16String(languages[std::size_t(i)]->Caption()));
        EXPECT_EQ(sub->actions()[i]->isChecked(), i == 2) << i;
    }
    // Later changes follow, and a command chosen in the copy reaches the item.
    languages[0]->SetChecked(true);
    languages[2]->SetChecked(false);
    pump(100);
    copy = findCopy();
    ASSERT_NE(copy, nullptr);
    sub = copy->actions()[1]->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->actions()[0]->isChecked());
    EXPECT_FALSE(sub->actions()[2]->isChecked());
    copy->actions()[0]->trigger();
    pump(50);
    EXPECT_EQ(clicks, 1);

    // While the icon takes no input the host has no menu to offer; it comes back after.
    icon->SetEnabled(false);
    pump(50);
    EXPECT_EQ(findCopy(), nullptr) << "the copy stays choosable while the icon is disabled";
    icon->SetEnabled(true);
    ASSERT_TRUE(waitFor([&] { return (copy = findCopy()) != nullptr; }, 3000));
    copy->actions()[0]->trigger();
    pump(50);
    EXPECT_EQ(clicks, 2);
}

TEST_F(TrayOnLinux, RestartedTrayHostGetsTheIconBack) {
    if (!needTray()) GTEST_SKIP() << "no tray host";
    showFace();
    ASSERT_TRUE(waitFor([] { return findFace().count >= 60; }, 10000));
    gDesktop->StopTrayHost();
    EXPECT_TRUE(waitFor([] { return findFace().count == 0; }, 5000));
    ASSERT_TRUE(gDesktop->StartTrayHost());
    EXPECT_TRUE(waitFor([] { return findFace().count >= 60; }, 10000));
    icon->SetText(u"44");  // and it still takes new faces
    pump(300);
    EXPECT_GE(findFace().count, 60);
}

// The main window's image list, cut from its embedded description, behind a menu laid out as
// the program's: each picture reaches its Qt action, also the submenu's.
TEST_F(TrayOnLinux, MenuActionsShowTheWindowsPictures) {
    auto res = platform::thePlatform().resources().FindResource("TFORM1");
    ASSERT_TRUE(res);
    std::string text(reinterpret_cast<const char*>(res->data()), res->size());
    std::size_t from = text.find("  object ImageList1: TImageList\n");
    ASSERT_NE(from, std::string::npos);
    std::size_t to = text.find("\n  end\n", from);
    ASSERT_NE(to, std::string::npos);
    std::string form = "object Menus: TForm\n" + text.substr(from, to + 7 - from) +
                       "  object PopupMenu1: TPopupMenu\n    Images = ImageList1\n";
    const char* captions[] = {"Help", "About program", "Program website", "Email Us",
                              "Settings...", "Exit", "Donate", "Language"};
    for (int i = 0; i < 8; ++i) {
        form += "    object Item" + std::to_string(i) + ": TMenuItem\n      Caption = \"" +
                captions[i] + "\"\n      ImageIndex = " + std::to_string(i) + "\n";
        if (i == 7) form += "      object English: TMenuItem\n        Caption = \"English\"\n      end\n";
        form += "    end\n";
        if (i == 3) form += "    object Line: TMenuItem\n      Caption = \"-\"\n    end\n";
    }
    form += "  end\nend\n";
    ui::TForm root(nullptr);
    ui::ReadComponentUtf8(root, form);
    auto* images = dynamic_cast<ui::TImageList*>(root.FindComponent(u"ImageList1"));
    auto* menu = dynamic_cast<ui::TPopupMenu*>(root.FindComponent(u"PopupMenu1"));
    ASSERT_TRUE(images && menu);
    ASSERT_EQ(images->Count(), 8);

    struct Seen {
        QString caption;
        QImage image;
    };
    std::vector<Seen> seen;
    QTimer::singleShot(300, [&] {
        auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!shown) return;
        for (QAction* a : shown->actions())
            if (!a->isSeparator())
                seen.push_back({a->text(), a->icon().isNull() ? QImage()
                                                              : a->icon().pixmap(16, 16).toImage()});
        shown->close();
    });
    platform::thePlatform().notifyArea().TrackPopupMenu(*menu, {100, 100});
    ASSERT_EQ(seen.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(captions[i]);
        EXPECT_EQ(seen[std::size_t(i)].caption.toStdString(), captions[i]);
        const QImage& got = seen[std::size_t(i)].image;
        ASSERT_FALSE(got.isNull());
        ASSERT_EQ(got.size(), QSize(16, 16));
        const platform::IconImage& want = *images->Image(i);
        int same = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                uint32_t w = want.Pixels[std::size_t(y * 16 + x)];
                QRgb g = got.pixel(x, y);
                same += w >> 24 == 0 ? qAlpha(g) == 0 : (w >> 24 == 0xFF && g == w);
            }
        EXPECT_EQ(same, 256);
    }
}

TEST_F(TrayOnLinux, WithoutHoverReportsANewFaceRefreshesTheHintAndATipChangeDoesNot) {
    // No tray host: nothing reports the pointer over the icon.
    gDesktop->StopTrayHost();
    int moves = 0;
    icon->OnMouseMove = [&](ui::TObject*, tray::TShiftState, int, int) {
        ++moves;
        icon->SetHint(u"QV Tovra - Time left for work 0 hr 45 min");  // as the program does
    };
    showFace();
    pump(300);
    moves = 0;
    icon->SetText(u"44");
    EXPECT_EQ(moves, 0);  // posted, never inside the caller
    EXPECT_TRUE(waitFor([&] { return moves == 1; }, 2000));
    pump(500);
    EXPECT_EQ(moves, 1);  // the hint it set brought no further move
    icon->SetHint(u"QV Tovra - pause");
    icon->SetText(u"44");  // the same face again
    pump(500);
    EXPECT_EQ(moves, 1);
}

struct Service {
    QDBusConnection bus = QDBusConnection::sessionBus();
    ~Service() {
        gDesktop->StopNotificationService();
        waitFor([this] {
            return !bus.interface()->isServiceRegistered(
                QStringLiteral("org.freedesktop.Notifications"));
        }, 5000);
    }
    bool start() {
        if (!gDesktop->StartNotificationService(TOVRA_TEST_DIR "/notification_service.py"))
            return false;
        return waitFor([this] {
            return bus.interface() && bus.interface()->isServiceRegistered(
                                          QStringLiteral("org.freedesktop.Notifications"));
        }, 10000);
    }
    QDBusMessage call(const char* method, const QVariantList& args = {}) {
        QDBusMessage m = QDBusMessage::createMethodCall(
            "org.freedesktop.Notifications", "/org/freedesktop/Notifications", "org.tovra.Test",
            method);
        m.setArguments(args);
        return bus.call(m);
    }
    QStringList calls() {
        QDBusMessage r = call("Calls");
        return r.arguments().isEmpty() ? QStringList() : r.arguments().first().toStringList();
    }
};

TEST_F(TrayOnLinux, BalloonsReachTheNotificationServiceAndComeBackAsEvents) {
    if (!gDesktop->Bus()) GTEST_SKIP() << "no session bus";
    Service svc;
    if (!svc.start()) GTEST_SKIP() << "no python3 with dbus and gi";
    showFace();
    struct Case {
        const char* what;
        unsigned reason;  // 0: the user clicks the notification
        const char* event;
    } cases[] = {{"expired", 1, "timeout"},
                 {"dismissed", 2, "hide"},
                 {"closed", 3, "hide"},
                 {"clicked", 0, "bclick"}};
    unsigned id = 0;
    for (const auto& c : cases) {
        log.clear();
        EXPECT_TRUE(icon->ShowBalloonHint(u"QV Tovra", u"Rest!", tray::bitInfo, 30));
        ++id;
        ASSERT_TRUE(waitFor([&] { return count("show") == 1; }, 5000)) << c.what;
        EXPECT_TRUE(svc.calls().contains(
            QString("Notify %1|QV Tovra|dialog-information|QV Tovra|Rest!|default,|30000").arg(id)))
            << svc.calls().join("\n").toStdString();
        if (c.reason)
            svc.call("Close", {QVariant::fromValue(id), QVariant::fromValue(c.reason)});
        else
            svc.call("Invoke", {QVariant::fromValue(id), QStringLiteral("default")});
        EXPECT_TRUE(waitFor([&] { return count(c.event) == 1; }, 5000)) << c.what;
        // The service's later closing of a clicked balloon is no second end.
        svc.call("Close", {QVariant::fromValue(id), QVariant::fromValue(2u)});
        pump(300);
        EXPECT_EQ(log.size(), 2u) << c.what;
    }

    // A balloon shown over another one ends the first with the hide notice.
    log.clear();
    icon->ShowBalloonHint(u"QV Tovra", u"Work!", tray::bitInfo, 30);
    ASSERT_TRUE(waitFor([&] { return count("show") == 1; }, 5000));
    icon->ShowBalloonHint(u"QV Tovra", u"Rest!", tray::bitInfo, 30);
    EXPECT_TRUE(waitFor([&] { return count("show") == 2 && count("hide") == 1; }, 5000));
    EXPECT_TRUE(svc.calls().contains(QString("Close %1").arg(id + 1)));
}

TEST_F(TrayOnLinux, ASilentOrMissingServiceStillEndsTheBalloonWithATimeout) {
    if (!gDesktop->Bus()) GTEST_SKIP() << "no session bus";
    showFace();
    // No service on the bus: nothing is shown, the time-out comes after the balloon's time.
    auto start = std::chrono::steady_clock::now();
    icon->ShowBalloonHint(u"QV Tovra", u"Rest!", tray::bitInfo, 1);
    EXPECT_TRUE(waitFor([&] { return count("timeout") == 1; }, 6000));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    pump(300);
    EXPECT_EQ(log, std::vector<std::string>{"timeout"});

    Service svc;
    if (!svc.start()) return;
    // A service that never reports back: the time-out comes after the grace, and the
    // notification is taken off the screen.
    log.clear();
    icon->ShowBalloonHint(u"QV Tovra", u"Work!", tray::bitInfo, 1);
    EXPECT_TRUE(waitFor([&] { return count("timeout") == 1; }, 8000));
    pump(300);
    EXPECT_EQ(log, (std::vector<std::string>{"show", "timeout"}));
    EXPECT_TRUE(svc.calls().contains("Close 1"));
}

TEST(TextRendererOnLinux, KeepsTheMetricContractAndDrawsLegibleDigits) {
    platform::linux_::LinuxPlatform p;
    auto& r = p.rasterizer();
    platform::FontSpec font;
    font.Name = u"Small Fonts";  // not installed: the toolkit finds a stand-in
    font.Height = -9;
    font.Color = 0x000000;
    EXPECT_EQ(r.TextWidth(font, u""), 0);
    int w = r.TextWidth(font, u"45"), h = r.TextHeight(font);
    EXPECT_GT(w, 4);
    EXPECT_LE(w, 16);
    EXPECT_GE(h, 8);
    EXPECT_LE(h, 16);
    EXPECT_EQ(r.TextHeight(font), h);
    font.Height = 12;  // a positive height is the whole cell
    EXPECT_NEAR(r.TextHeight(font), 12, 1);
    font.Height = -9;

    std::vector<uint32_t> px(256, 0x00FF00);
    platform::RgbBitmap bmp{16, 16, px.data()};
    r.TextOut(font, bmp, 2, 2, u"45", 0xFFFFFF);
    int glyph = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint32_t c = px[std::size_t(y * 16 + x)];
            bool inCell = x >= 2 && x < 2 + w && y >= 2 && y < 2 + h;
            if (!inCell) {
                EXPECT_EQ(c, 0x00FF00u) << x << "," << y;
            } else {
                EXPECT_TRUE(c == 0xFFFFFFu || c == 0u) << x << "," << y;  // sharp edges
                glyph += c == 0u;
            }
        }
    EXPECT_GE(glyph, 12);  // two digits' worth of ink

    // Clipped at the picture's edges, never outside it.
    r.TextOut(font, bmp, -5, 12, u"888", 0x0000FF);
}

// The face as text rows: '#' for the text colour (black), '.' for the cell's background
// (white), ' ' for what was there before.
std::vector<std::string> picture(const std::vector<uint32_t>& px) {
    std::vector<std::string> rows;
    for (int y = 0; y < 16; ++y) {
        std::string row;
        for (int x = 0; x < 16; ++x) {
            uint32_t c = px[std::size_t(y * 16 + x)];
            row += c == 0 ? '#' : c == 0xFFFFFF ? '.' : ' ';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(TextRendererOnLinux, SmallFontsIsBuiltInWithItsRasterLook) {
    platform::linux_::LinuxPlatform p;
    auto& r = p.rasterizer();
    platform::FontSpec font;
    font.Name = u"small fonts";  // names match as on Windows, whatever the case
    font.Height = -9;
    EXPECT_EQ(r.TextHeight(font), 11);
    font.Height = 11;  // the same size given by its cell
    EXPECT_EQ(r.TextHeight(font), 11);

    struct Case {
        std::u16string text;
        uint32_t style;
        int width;
    } cases[] = {
        {u"45", 0, 10},  {u"480", 0, 15}, {u"8h", 0, 10},  {u"P", 0, 5},
        {u"2\u0447", 0, 10}, {u"3\u0433", 0, 9}, {u"45", 1, 12}, {u"45", 4 | 8, 10},
    };
    for (const Case& c : cases) {
        font.Style = c.style;
        EXPECT_EQ(r.TextWidth(font, c.text), c.width) << int(c.text.size()) << " " << c.style;
    }

    // The face the program starts with: "45" where the tray icon centres it.
    font.Style = 0;
    std::vector<uint32_t> px(256, 0x00FF00);
    platform::RgbBitmap bmp{16, 16, px.data()};
    r.TextOut(font, bmp, 2, 2, u"45", 0xFFFFFF);
    std::vector<std::string> plain = {
        "                ", "                ", "  ..........    ", "  ..........    ",
        "  ....#.####    ", "  ...##.#...    ", "  ..#.#.###.    ", "  .#..#....#    ",
        "  .####....#    ", "  ....#.#..#    ", "  ....#..##.    ", "  ..........    ",
        "  ..........    ", "                ", "                ", "                ",
    };
    EXPECT_EQ(picture(px), plain);

    // Bold overstrikes one pixel to the right; underline and strike-out run the whole width.
    font.Style = 1 | 4 | 8;
    px.assign(256, 0x00FF00);
    r.TextOut(font, bmp, 1, 2, u"1", 0xFFFFFF);
    std::vector<std::string> styled = {
        "                ", "                ", " ......         ", " ......         ",
        " ...##.         ", " ..###.         ", " ...##.         ", " ######         ",
        " ...##.         ", " ...##.         ", " ..####         ", " ......         ",
        " ######         ", "                ", "                ", "                ",
    };
    EXPECT_EQ(picture(px), styled);

    // Clipped at the picture's edges.
    font.Style = 0;
    px.assign(256, 0x00FF00);
    r.TextOut(font, bmp, -3, 9, u"888", 0xFFFFFF);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(px[std::size_t(y * 16 + x)], 0x00FF00u);
    EXPECT_EQ(picture(px)[11], "#...##...##.    ");

    // A character it lacks comes from the toolkit, in the built-in cell.
    int w = r.TextWidth(font, u"4%");
    EXPECT_GT(w, 5);
    px.assign(256, 0x00FF00);
    r.TextOut(font, bmp, 0, 2, u"4%", 0xFFFFFF);
    int ink = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint32_t c = px[std::size_t(y * 16 + x)];
            bool inCell = x < w && y >= 2 && y < 13;
            EXPECT_EQ(c == 0x00FF00u, !inCell) << x << "," << y;
            ink += c == 0;
        }
    EXPECT_GE(ink, 8);
}

}  // namespace

int main(int argc, char** argv) {
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--gtest_list_tests", 0) == 0) listing = true;
    std::unique_ptr<tovra_test::PrivateDesktop> desktop;
    if (!listing && std::getenv("DISPLAY")) {
        desktop = std::make_unique<tovra_test::PrivateDesktop>();
        desktop->Start();
        gDesktop = desktop.get();
    }
    if (!gDesktop || !gDesktop->Display()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int rc;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        rc = RUN_ALL_TESTS();
    }
    gDesktop = nullptr;
    return rc;
}
