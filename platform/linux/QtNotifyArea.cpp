// The notification area on Qt's tray icon: the XEmbed tray (with real button and hover events
// from the icon's window) or a StatusNotifierItem host (activations only). Callbacks are posted
// to the handler window, never delivered inside the caller.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QAbstractNativeEventFilter>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <map>
#include <optional>
#include <set>

#include "platform/linux/DesktopNotifications.h"
#include "platform/linux/QtLoop.h"
#include "platform/linux/QtText.h"
#include "platform/linux/Services.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

// Last: their macros would spoil the toolkit's headers.
#include <X11/Xlib.h>
#include <xcb/xproto.h>
#undef Bool
#undef None
#undef Status

namespace platform::linux_ {
namespace {

void post(std::function<void()> fn) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(fn), Qt::QueuedConnection);
}

QImage toQImage(const IconImage& img) {
    QImage q(img.Width, img.Height, QImage::Format_ARGB32);
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x)
            q.setPixel(x, y, img.Pixels[std::size_t(y * img.Width + x)]);
    return q;
}

// Nearest-pixel copies at the sizes trays ask for, so the digits stay sharp.
QIcon toQIcon(const IconImage* img) {
    QImage base = img && img->Width > 0 && img->Pixels.size() == std::size_t(img->Width * img->Height)
                      ? toQImage(*img)
                      : QImage(16, 16, QImage::Format_ARGB32);
    if (!img || img->Width <= 0) base.fill(Qt::transparent);
    QIcon icon;
    for (int size : {16, 20, 22, 24, 32, 48})
        icon.addPixmap(QPixmap::fromImage(base.scaled(size, size, Qt::IgnoreAspectRatio,
                                                      Qt::FastTransformation)));
    return icon;
}

bool sniHostPresent() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

// Fills `menu` from the menu model; `actions` learns which item each action stands for.
void buildMenu(QMenu& menu, ui::TMenuItem& items, ui::TImageList* images,
               std::map<QAction*, ui::TMenuItem*>& actions) {
    for (int i = 0; i < items.Count(); ++i) {
        ui::TMenuItem* item = items.Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            menu.addSeparator();
            continue;
        }
        QAction* a;
        if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(toQ(item->Caption()));
            buildMenu(*sub, *item, images, actions);
            a = sub->menuAction();
        } else {
            a = menu.addAction(toQ(item->Caption()));
            actions[a] = item;
        }
        a->setEnabled(item->Enabled());
        if (item->Checked() || item->AutoCheck() || item->RadioItem()) {
            a->setCheckable(true);
            a->setChecked(item->Checked());
        }
        if (images && images->Image(item->ImageIndex()))
            a->setIcon(QIcon(QPixmap::fromImage(toQImage(*images->Image(item->ImageIndex())))));
        if (item->Default()) {
            QFont f = a->font();
            f.setBold(true);
            a->setFont(f);
        }
    }
}

// True while `item` is still part of `menu` (a command may have rebuilt the menu meanwhile).
bool stillIn(ui::TMenuItem& items, ui::TMenuItem* item) {
    for (int i = 0; i < items.Count(); ++i)
        if (items.Items(i) == item || stillIn(*items.Items(i), item)) return true;
    return false;
}

class QtNotifyArea;

// Turns the tray window's mouse events into shell codes.
class IconInput : public QObject {
public:
    std::function<void(uint32_t)> deliver;
    bool eventFilter(QObject*, QEvent* e) override {
        auto* me = dynamic_cast<QMouseEvent*>(e);
        switch (e->type()) {
            case QEvent::Enter:
            case QEvent::MouseMove:
            case QEvent::HoverMove:
                deliver(WM_MOUSEMOVE);
                return false;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: {
                bool dbl = e->type() == QEvent::MouseButtonDblClick;
                if (me->button() == Qt::LeftButton) {
                    deliver(dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
                } else if (me->button() == Qt::RightButton) {
                    // The menu opened on the press takes the release: report both now.
                    deliver(WM_RBUTTONDOWN);
                    deliver(WM_RBUTTONUP);
                } else if (me->button() == Qt::MiddleButton) {
                    deliver(WM_MBUTTONDOWN);
                }
                return true;
            }
            case QEvent::MouseButtonRelease:
                if (me->button() == Qt::LeftButton) deliver(WM_LBUTTONUP);
                if (me->button() == Qt::MiddleButton) deliver(WM_MBUTTONUP);
                return true;
            default:
                return false;
        }
    }
};

struct Entry {
    HWND wnd = 0;
    uint32_t id = 0, callbackMessage = 0x800, version = 0;
    std::unique_ptr<QSystemTrayIcon> tray;
    IconImage image;
    QString tip;
    QPointer<QWidget> window;  // the XEmbed icon window, when there is one
    std::unique_ptr<IconInput> input;
    int balloon = 0;
    uint32_t lastTrigger = 0;  // ms of the last single activation (hosts without double clicks)
    bool lastWasTrigger = false;
};

// Looks at the toolkit's X events for a tray host's announcement and for the end of the
// host's selection window; the notice is posted, as the toolkit is inside its event handling.
struct XWatch final : public QAbstractNativeEventFilter {
    QtNotifyArea* area = nullptr;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override;
};

class QtNotifyArea final : public NotifyArea {
    friend struct XWatch;

public:
    QtNotifyArea() {
        auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (gui && QGuiApplication::platformName() == QStringLiteral("xcb"))
            if (auto* x11 = gui->nativeInterface<QNativeInterface::QX11Application>())
                FDisplay = x11->display();
        if (FDisplay) {
            // A tray host that starts announces itself to the root window; one that ends
            // destroys its selection window. Both arrive as events, so nothing is polled
            // while the program only counts. They come on the toolkit's own connection (a
            // second one cost about 75 KiB): its mask on the root is kept, ours added to it.
            Window root = DefaultRootWindow(FDisplay);
            XWindowAttributes a{};
            long mask = XGetWindowAttributes(FDisplay, root, &a) ? a.your_event_mask : 0;
            if (!(mask & StructureNotifyMask))
                XSelectInput(FDisplay, root, mask | StructureNotifyMask);
            FManager = XInternAtom(FDisplay, "MANAGER", False);
            FXEvents.area = this;
            QCoreApplication::instance()->installNativeEventFilter(&FXEvents);
        }
        FTrayOwner = trayOwner();
        WatchOwner();
        // 500 ms: tray windows Qt makes a moment after a host change are claimed by a short
        // run of passes, which ends once every icon has its window.
        FPoll.setInterval(500);
        QObject::connect(&FPoll, &QTimer::timeout, [this] { Poll(); });
        StartClaimPasses();
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected()) {
            FSniWatch = std::make_unique<QDBusServiceWatcher>(
                QStringLiteral("org.kde.StatusNotifierWatcher"), bus,
                QDBusServiceWatcher::WatchForRegistration |
                    QDBusServiceWatcher::WatchForUnregistration);
            QObject::connect(FSniWatch.get(), &QDBusServiceWatcher::serviceUnregistered,
                             [this](const QString&) { FSniHost = false; });
            QObject::connect(FSniWatch.get(), &QDBusServiceWatcher::serviceRegistered,
                             [this](const QString&) {
                                 FSniHost = true;
                                 for (auto& [key, link] : FMenus) ExportLater(key);
                                 HostAppeared();
                             });
        }
    }
    ~QtNotifyArea() override {
        FIcons.clear();
        if (FDisplay && QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(&FXEvents);
    }

    HWND CreateHandlerWindow(WindowProc proc) override {
        HWND w = ++FNextWnd;
        FWindows[w] = std::move(proc);
        return w;
    }

    void DestroyHandlerWindow(HWND wnd) override {
        FWindows.erase(wnd);
        for (auto it = FIcons.begin(); it != FIcons.end();)
            it = it->first.first == wnd ? FIcons.erase(it) : std::next(it);
    }

    bool Shell_NotifyIcon(uint32_t Message, const NotifyIconData& d) override {
        if (d.cbSize != sizeof(NotifyIconData) || !FWindows.count(d.hWnd)) return false;
        auto key = std::make_pair(d.hWnd, d.uID);
        auto it = FIcons.find(key);
        switch (Message) {
            case NIM_ADD: {
                if (it != FIcons.end()) return false;
                auto e = std::make_unique<Entry>();
                e->wnd = d.hWnd;
                e->id = d.uID;
                Entry& ref = *e;
                FIcons[key] = std::move(e);
                Apply(ref, d, true);
                Realize(ref);
                return true;
            }
            case NIM_MODIFY:
                if (it == FIcons.end()) return false;
                Apply(*it->second, d, false);
                return true;
            case NIM_DELETE:
                if (it == FIcons.end()) return false;
                if (it->second->balloon) FNotifications.Close(it->second->balloon);
                FIcons.erase(it);
                return true;
            case NIM_SETVERSION:
                if (it == FIcons.end()) return false;
                it->second->version = d.uVersion;
                return true;
            case NIM_SETFOCUS:
                return it != FIcons.end();
            default:
                return false;
        }
    }

    uint32_t RegisterWindowMessage(const std::u16string& name) override {
        auto it = FMessages.find(name);
        if (it != FMessages.end()) return it->second;
        return FMessages[name] = 0xC000 + uint32_t(FMessages.size());
    }

    bool SetForegroundWindow(HWND) override { return true; }  // hidden windows: nothing to raise

    void TrackPopupMenu(ui::TPopupMenu& menu, Point at) override {
        // A StatusNotifierItem host shows the exported copy by itself on a right click.
        Entry* owner = EntryOfMenu(&menu);
        if (owner && !owner->window && SniHost()) return;
        QMenu qmenu;
        std::map<QAction*, ui::TMenuItem*> actions;
        buildMenu(qmenu, *menu.Items(), menu.Images(), actions);
        ++FMenusOpen;
        QAction* chosen = qmenu.exec(QPoint(at.X, at.Y));
        --FMenusOpen;
        // Clicks that came while the menu was open follow it, as they do in the shell.
        auto deferred = std::move(FDeferred);
        FDeferred.clear();
        for (auto& [wnd, id, code] : deferred) Deliver(wnd, id, code);
        auto found = actions.find(chosen);
        if (chosen && found != actions.end() && stillIn(*menu.Items(), found->second))
            found->second->Click();
    }

    void SetIconMenu(HWND wnd, uint32_t uID, ui::TPopupMenu* menu) override {
        auto key = std::make_pair(wnd, uID);
        auto old = FMenus.find(key);
        if (old != FMenus.end()) {
            // The tray lets go of the desktop's copy before the copy is destroyed.
            auto shown = FIcons.find(key);
            if (shown != FIcons.end() && shown->second->tray) shown->second->tray->setContextMenu(nullptr);
            if (old->second.menu && old->second.listener)
                old->second.menu->RemoveChangeListener(old->second.listener);
            FMenus.erase(old);
        }
        if (menu) {
            MenuLink& link = FMenus[key];
            link.menu = menu;
            link.listener = menu->AddChangeListener([this, key] { ExportLater(key); });
            ExportLater(key);
        }
        auto it = FIcons.find(key);
        if (it != FIcons.end()) AttachMenu(*it->second);
    }

    HWND FindShellTooltip(bool) override { return 0; }
    int CaptionHeight() override { return 0; }
    Point ScreenToClientAt(Point screen) override { return screen; }

private:
    struct MenuLink {
        ui::TPopupMenu* menu = nullptr;
        int listener = 0;
        std::unique_ptr<QMenu> exported;  // made once a StatusNotifierItem host is known
        std::map<QAction*, ui::TMenuItem*> actions;
        bool stale = false;  // an export is queued
    };

    void Apply(Entry& e, const NotifyIconData& d, bool adding) {
        if (d.uFlags & NIF_MESSAGE) e.callbackMessage = d.uCallbackMessage;
        if (d.uFlags & NIF_ICON) {
            IconImage next = d.hIcon ? *d.hIcon : IconImage{};
            bool changed = next.Width != e.image.Width || next.Pixels != e.image.Pixels;
            e.image = std::move(next);
            if (e.tray && changed) e.tray->setIcon(toQIcon(&e.image));
            // Without hover reports the hint is refreshed when the face changes; never when
            // the tip changes, which the hint's own update would answer with another move.
            if (changed && !adding && !e.window) Deliver(e.wnd, e.id, WM_MOUSEMOVE);
        }
        if (d.uFlags & NIF_TIP) {
            e.tip = QString(reinterpret_cast<const QChar*>(d.szTip),
                            qsizetype(std::u16string_view(d.szTip).size()));
            if (e.tray) e.tray->setToolTip(e.tip);
        }
        if (d.uFlags & NIF_INFO) {
            if (e.balloon) FNotifications.Close(e.balloon);
            e.balloon = 0;
            std::u16string_view text(d.szInfo);
            if (!text.empty()) {
                HWND wnd = e.wnd;
                uint32_t id = e.id;
                e.balloon = FNotifications.Show(
                    QString(reinterpret_cast<const QChar*>(d.szInfoTitle),
                            qsizetype(std::u16string_view(d.szInfoTitle).size())),
                    QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size())),
                    d.dwInfoFlags, d.uTimeout ? d.uTimeout : 10000,
                    [this, wnd, id](uint32_t code) {
                        if (code != NIN_BALLOONSHOW) {
                            auto it = FIcons.find({wnd, id});
                            if (it != FIcons.end()) it->second->balloon = 0;
                        }
                        Send(wnd, id, code);
                    });
            }
        }
    }

    // Creates the Qt icon of an entry and finds its tray window.
    void Realize(Entry& e) {
        std::set<QWidget*> before = TrayWindows();
        e.tray = std::make_unique<QSystemTrayIcon>();
        e.tray->setIcon(toQIcon(&e.image));
        e.tray->setToolTip(e.tip);
        HWND wnd = e.wnd;
        uint32_t id = e.id;
        QObject::connect(e.tray.get(), &QSystemTrayIcon::activated,
                         [this, wnd, id](QSystemTrayIcon::ActivationReason r) {
                             Activated(wnd, id, r);
                         });
        AttachMenu(e);
        e.tray->show();
        for (QWidget* w : TrayWindows())
            if (!before.count(w)) Claim(e, w);
        if (!e.window) StartClaimPasses();
    }

    void Claim(Entry& e, QWidget* w) {
        e.window = w;
        e.input = std::make_unique<IconInput>();
        HWND wnd = e.wnd;
        uint32_t id = e.id;
        e.input->deliver = [this, wnd, id](uint32_t code) { Deliver(wnd, id, code); };
        w->setMouseTracking(true);
        w->installEventFilter(e.input.get());
    }

    static std::set<QWidget*> TrayWindows() {
        std::set<QWidget*> out;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qstrcmp(w->metaObject()->className(), "QSystemTrayIconSys") == 0) out.insert(w);
        return out;
    }

    void AttachMenu(Entry& e) {
        if (!e.tray) return;
        auto link = FMenus.find({e.wnd, e.id});
        // Only a StatusNotifierItem host shows this menu; on the XEmbed tray the icon window's
        // presses never reach Qt, and the component opens its own.
        e.tray->setContextMenu(link != FMenus.end() ? link->second.exported.get() : nullptr);
    }

    // Whether a StatusNotifierItem host runs; asked of the bus once, then kept by the watch.
    bool SniHost() {
        if (!FSniHost) FSniHost = sniHostPresent();
        return *FSniHost;
    }

    // One rebuild for all the changes of one turn of the loop: building the language submenu
    // and setting its check marks at start are dozens of changes, and each rebuild creates
    // every action anew. A queued export dies with this object.
    void ExportLater(std::pair<HWND, uint32_t> key) {
        auto it = FMenus.find(key);
        if (it == FMenus.end() || it->second.stale) return;
        it->second.stale = true;
        QMetaObject::invokeMethod(
            &FContext,
            [this, key] {
                auto l = FMenus.find(key);
                if (l != FMenus.end() && l->second.stale) Export(key);
            },
            Qt::QueuedConnection);
    }

    void Export(std::pair<HWND, uint32_t> key) {
        auto it = FMenus.find(key);
        if (it == FMenus.end() || !it->second.menu) return;
        MenuLink& link = it->second;
        link.stale = false;
        if (!link.exported) {
            // Only such a host shows the copy: without one, no menu widget is made at all
            // (a QMenu with its actions is about 250 KiB of the toolkit's code and heap).
            if (!SniHost()) return;
            link.exported = std::make_unique<QMenu>();
            QObject::connect(link.exported.get(), &QMenu::aboutToShow,
                             [this, key] { Export(key); });
            auto icon = FIcons.find(key);
            if (icon != FIcons.end()) AttachMenu(*icon->second);
        }
        link.exported->clear();
        link.actions.clear();
        buildMenu(*link.exported, *link.menu->Items(), link.menu->Images(), link.actions);
        for (auto& [action, item] : link.actions) {
            ui::TMenuItem* target = item;
            ui::TPopupMenu* menu = link.menu;
            QObject::connect(action, &QAction::triggered, [this, key, menu, target] {
                post([this, key, menu, target] {
                    auto l = FMenus.find(key);
                    if (l != FMenus.end() && l->second.menu == menu &&
                        stillIn(*menu->Items(), target))
                        target->Click();
                });
            });
        }
    }

    Entry* EntryOfMenu(ui::TPopupMenu* menu) {
        for (auto& [key, link] : FMenus)
            if (link.menu == menu) {
                auto it = FIcons.find(key);
                return it == FIcons.end() ? nullptr : it->second.get();
            }
        return nullptr;
    }

    // Hosts that report activations only: a second one within the double-click time is the
    // double click, as the Windows shell would send it.
    void Activated(HWND wnd, uint32_t id, QSystemTrayIcon::ActivationReason r) {
        auto it = FIcons.find({wnd, id});
        if (it == FIcons.end()) return;
        Entry& e = *it->second;
        uint32_t now = monotonicMs();
        uint32_t dct = uint32_t(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        switch (r) {
            case QSystemTrayIcon::Trigger:
                if (e.lastWasTrigger && now - e.lastTrigger <= dct) {
                    e.lastWasTrigger = false;
                    Deliver(wnd, id, WM_LBUTTONDBLCLK);
                } else {
                    e.lastWasTrigger = true;
                    e.lastTrigger = now;
                    Deliver(wnd, id, WM_LBUTTONDOWN);
                }
                Deliver(wnd, id, WM_LBUTTONUP);
                break;
            case QSystemTrayIcon::DoubleClick:
                e.lastWasTrigger = false;
                Deliver(wnd, id, WM_LBUTTONDBLCLK);
                Deliver(wnd, id, WM_LBUTTONUP);
                break;
            case QSystemTrayIcon::Context:
                Deliver(wnd, id, WM_RBUTTONDOWN);
                Deliver(wnd, id, WM_RBUTTONUP);
                break;
            case QSystemTrayIcon::MiddleClick:
                Deliver(wnd, id, WM_MBUTTONDOWN);
                Deliver(wnd, id, WM_MBUTTONUP);
                break;
            default:
                break;
        }
    }

    // Posts a callback code; mouse codes wait while a menu is open.
    void Deliver(HWND wnd, uint32_t id, uint32_t code) {
        if (FMenusOpen > 0 && code < NIN_BALLOONSHOW) {
            FDeferred.push_back({wnd, id, code});
            return;
        }
        Send(wnd, id, code);
    }

    void Send(HWND wnd, uint32_t id, uint32_t code) {
        post([this, wnd, id, code] {
            auto w = FWindows.find(wnd);
            if (w == FWindows.end()) return;
            uint32_t msg = 0x800;
            auto it = FIcons.find({wnd, id});
            if (it != FIcons.end()) msg = it->second->callbackMessage;
            else if (code < NIN_BALLOONSHOW) return;  // the icon went meanwhile
            WindowProc proc = w->second;  // the handler may destroy its window
            proc(msg, id, int64_t(code));
        });
    }

    unsigned long trayOwner() {
        if (!FDisplay) return 0;
        std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(FDisplay));
        Atom a = XInternAtom(FDisplay, name.c_str(), False);
        return XGetSelectionOwner(FDisplay, a);
    }

    // The host's selection window tells us when it goes.
    void WatchOwner() {
        if (!FDisplay) return;
        if (FTrayOwner) {
            // The host may be gone already; Xlib's default answer to that would end the
            // program.
            XErrorHandler old = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
            XSelectInput(FDisplay, FTrayOwner, StructureNotifyMask);
            XSync(FDisplay, False);
            XSetErrorHandler(old);
        }
        XFlush(FDisplay);
    }

    // A tray host came or went (see XWatch).
    void XEventsArrived() {
        CheckOwner();
        StartClaimPasses();
    }

    void CheckOwner() {
        unsigned long owner = trayOwner();
        if (owner == FTrayOwner) return;
        FTrayOwner = owner;
        WatchOwner();
        if (owner != 0) HostAppeared();
    }

    void StartClaimPasses() {
        FPassesLeft = 10;  // 5 s
        if (!FPoll.isActive()) FPoll.start();
    }

    void Poll() {
        CheckOwner();
        // Tray windows Qt made later (a tray that came after the icon) get their input too.
        std::set<QWidget*> claimed;
        for (auto& [key, e] : FIcons)
            if (e->window) claimed.insert(e->window);
        for (QWidget* w : TrayWindows())
            if (!claimed.count(w))
                for (auto& [key, e] : FIcons)
                    if (!e->window) {
                        Claim(*e, w);
                        break;
                    }
        bool allClaimed = true;
        for (auto& [key, e] : FIcons) allClaimed = allClaimed && e->window;
        if (allClaimed || --FPassesLeft <= 0) FPoll.stop();
    }

    // A (re)started tray host knows none of the icons: they are gone, as with a restarted
    // shell, and the owners put theirs back on the "TaskbarCreated" notice.
    void HostAppeared() {
        // A desktop notification outlives the tray host: its end notice still comes.
        FIcons.clear();
        uint32_t msg = RegisterWindowMessage(u"TaskbarCreated");
        post([this, msg] {
            auto copy = FWindows;
            for (auto& [w, proc] : copy)
                if (FWindows.count(w)) proc(msg, 0, 0);
        });
    }

    std::map<HWND, WindowProc> FWindows;
    std::map<std::pair<HWND, uint32_t>, std::unique_ptr<Entry>> FIcons;
    std::map<std::pair<HWND, uint32_t>, MenuLink> FMenus;
    std::map<std::u16string, uint32_t> FMessages;
    struct Pending {
        HWND wnd;
        uint32_t id, code;
    };
    std::vector<Pending> FDeferred;
    int FMenusOpen = 0;
    HWND FNextWnd = 0x100;
    DesktopNotifications FNotifications;
    Display* FDisplay = nullptr;  // the toolkit's, not ours to close
    unsigned long FManager = 0;   // the atom of a new host's announcement
    unsigned long FTrayOwner = 0;
    QTimer FPoll;
    int FPassesLeft = 0;
    XWatch FXEvents;
    std::unique_ptr<QDBusServiceWatcher> FSniWatch;
    std::optional<bool> FSniHost;  // unknown until first needed
    QObject FContext;              // of queued exports
};

}  // namespace

bool XWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (!area || type != "xcb_generic_event_t") return false;
    auto* ev = static_cast<const xcb_generic_event_t*>(message);
    bool hostChange = false;
    switch (ev->response_type & 0x7F) {
        case XCB_CLIENT_MESSAGE:
            hostChange = reinterpret_cast<const xcb_client_message_event_t*>(ev)->type ==
                         area->FManager;
            break;
        case XCB_DESTROY_NOTIFY:
            hostChange = area->FTrayOwner != 0 &&
                         reinterpret_cast<const xcb_destroy_notify_event_t*>(ev)->window ==
                             area->FTrayOwner;
            break;
        default:
            break;
    }
    if (hostChange) {
        QtNotifyArea* a = area;
        post([a] { a->XEventsArrived(); });
    }
    return false;  // the toolkit needs them too
}

std::unique_ptr<NotifyArea> makeNotifyArea() { return std::make_unique<QtNotifyArea>(); }

}  // namespace platform::linux_
