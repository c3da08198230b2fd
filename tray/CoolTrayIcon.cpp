#include "tray/CoolTrayIcon.h"

#include <algorithm>

#include "platform/Platform.h"
#include "tray/TextRender.h"
#include "ui/ClassBuilder.h"
#include "ui/Color.h"

namespace tray {
namespace {
uint32_t gNextIconId = 0;

std::unique_ptr<TTrayIconHandler>& handlerSlot() {
    static std::unique_ptr<TTrayIconHandler> h;
    return h;
}

void AcquireTrayIconHandler(TCoolTrayIcon* icon) {
    auto& h = handlerSlot();
    if (!h) h = std::make_unique<TTrayIconHandler>();
    h->Add(icon);
}

void ReleaseTrayIconHandler(TCoolTrayIcon* icon) {
    auto& h = handlerSlot();
    if (!h) return;
    h->Remove(icon);
    if (h->RefCount == 0) h.reset();
}
}  // namespace

TTrayIconHandler* TrayIconHandler() { return handlerSlot().get(); }

void CopyLimited(char16_t* dst, std::size_t max, const std::u16string& s) {
    std::size_t n = std::min(max, s.size());
    std::copy_n(s.data(), n, dst);
    std::fill(dst + n, dst + max + 1, u'\0');
}

TShiftState ShiftStateNow() {
    return platform::thePlatform().screen().ShiftState() &
           (platform::ssShift | platform::ssCtrl | platform::ssAlt);
}

const ui::TClassInfo& TCoolTrayIcon::StaticClassInfo() {
    using B = ui::TClassBuilder<TCoolTrayIcon>;
    static const ui::TClassInfo ci =
        B(u"TCoolTrayIcon", &ui::TComponent::StaticClassInfo())
            .Bool(u"DesignPreview", &TCoolTrayIcon::DesignPreview, &TCoolTrayIcon::SetDesignPreview)
            .Stored([](const TCoolTrayIcon& t) { return t.DesignPreview(); })
            .Obj(u"IconList", [](TCoolTrayIcon& t) -> ui::TObject* { return t.IconList(); },
                 [](TCoolTrayIcon& t, ui::TObject* v) {
                     t.SetIconList(dynamic_cast<ui::TImageList*>(v));
                 })
            .Bool(u"CycleIcons", &TCoolTrayIcon::CycleIcons, &TCoolTrayIcon::SetCycleIcons)
            .Stored([](const TCoolTrayIcon& t) { return t.CycleIcons(); })
            .Int(u"CycleInterval", &TCoolTrayIcon::CycleInterval,
                 [](TCoolTrayIcon& t, int64_t v) { t.SetCycleInterval(uint32_t(v)); })
            .Bool(u"Enabled", &TCoolTrayIcon::Enabled, &TCoolTrayIcon::SetEnabled)
            .Stored([](const TCoolTrayIcon& t) { return !t.Enabled(); })
            .Str(u"Hint", &TCoolTrayIcon::Hint, &TCoolTrayIcon::SetHint)
            .Bool(u"ShowHint", &TCoolTrayIcon::ShowHint, &TCoolTrayIcon::SetShowHint)
            .Stored([](const TCoolTrayIcon& t) { return !t.ShowHint(); })
            .Obj(u"Icon", [](TCoolTrayIcon& t) -> ui::TObject* { return t.Icon(); },
                 [](TCoolTrayIcon& t, ui::TObject* v) {
                     t.SetIcon(dynamic_cast<ui::TIcon*>(v));
                 })
            .Bool(u"IconVisible", &TCoolTrayIcon::IconVisible, &TCoolTrayIcon::SetIconVisible)
            .Stored([](const TCoolTrayIcon& t) { return t.IconVisible(); })
            .Int(u"IconIndex", &TCoolTrayIcon::IconIndex,
                 [](TCoolTrayIcon& t, int64_t v) { t.SetIconIndex(int32_t(v)); })
            .Obj(u"PopupMenu", [](TCoolTrayIcon& t) -> ui::TObject* { return t.PopupMenu(); },
                 [](TCoolTrayIcon& t, ui::TObject* v) {
                     t.SetPopupMenu(dynamic_cast<ui::TPopupMenu*>(v));
                 })
            .Bool(u"LeftPopup", &TCoolTrayIcon::LeftPopup, &TCoolTrayIcon::SetLeftPopup)
            .Stored([](const TCoolTrayIcon& t) { return t.LeftPopup(); })
            .Bool(u"MinimizeToTray", &TCoolTrayIcon::MinimizeToTray,
                  &TCoolTrayIcon::SetMinimizeToTray)
            .Stored([](const TCoolTrayIcon& t) { return t.MinimizeToTray(); })
            .Bool(u"WantEnterExitEvents", &TCoolTrayIcon::WantEnterExitEvents,
                  &TCoolTrayIcon::SetWantEnterExitEvents)
            .Stored([](const TCoolTrayIcon& t) { return t.WantEnterExitEvents(); })
            .Other(u"OnClick", ui::TTypeKind::tkMethod)
            .Other(u"OnDblClick", ui::TTypeKind::tkMethod)
            .Other(u"OnCycle", ui::TTypeKind::tkMethod)
            .Other(u"OnStartup", ui::TTypeKind::tkMethod)
            .Other(u"OnMouseDown", ui::TTypeKind::tkMethod)
            .Other(u"OnMouseUp", ui::TTypeKind::tkMethod)
            .Other(u"OnMouseMove", ui::TTypeKind::tkMethod)
            .Other(u"OnMouseEnter", ui::TTypeKind::tkMethod)
            .Other(u"OnMouseExit", ui::TTypeKind::tkMethod)
            .Other(u"OnMinimizeToTray", ui::TTypeKind::tkMethod)
            .Other(u"OnBalloonHintShow", ui::TTypeKind::tkMethod)
            .Other(u"OnBalloonHintHide", ui::TTypeKind::tkMethod)
            .Other(u"OnBalloonHintTimeout", ui::TTypeKind::tkMethod)
            .Other(u"OnBalloonHintClick", ui::TTypeKind::tkMethod)
            .Creatable()
            .Build();
    return ci;
}

TCoolTrayIcon::TCoolTrayIcon(ui::TComponent* AOwner) : ui::TComponent(AOwner) {
    FIconID = ++gNextIconId;  // the handler finds us by it
    AcquireTrayIconHandler(this);
    SettingMDIForm = true;
    FEnabled = true;
    FShowHint = true;
    SettingPreview = false;
    FIcon = std::make_unique<ui::TIcon>();
    FIcon->OnChange = [this](ui::TObject*) { IconChanged(); };
    IconData = {};
    IconData.cbSize = sizeof(platform::NotifyIconData);
    IconData.hWnd = TrayIconHandler()->FHandle;
    IconData.uID = FIconID;
    IconData.uFlags = NIF_REST;
    IconData.uCallbackMessage = TrayCallbackMessage;
    CycleTimer = std::make_unique<TSimpleTimer>(1000, [this](ui::TObject*) { CycleTimerElapsed(); });
    ClickTimer = std::make_unique<TSimpleTimer>(1000, [this](ui::TObject*) { ClickTimerElapsed(); });
    ExitTimer = std::make_unique<TSimpleTimer>(20, [this](ui::TObject*) { ExitTimerElapsed(); });
    FDidExit = true;
    SetDesignPreview(FDesignPreview);
    if (!(ComponentState() & ui::csDesigning)) {
        FHooked = true;  // window messages reach us
        HookOwnerWindow();
    }
}

TCoolTrayIcon::~TCoolTrayIcon() {
    try {
        SetIconVisible(false);
        SetDesignPreview(false);
        CycleTimer.reset();
        ClickTimer.reset();
        ExitTimer.reset();
        try {
            FIcon.reset();
        } catch (...) {
        }
    } catch (...) {
    }
    FHooked = false;
    UnhookOwnerWindow();
    if (FPopupMenu) platform::thePlatform().notifyArea().SetIconMenu(IconData.hWnd, FIconID, nullptr);
    ReleaseTrayIconHandler(this);
}

void TCoolTrayIcon::Loaded() {
    ui::TComponent::Loaded();
    // Start-up decision: the owner may keep the main window hidden.
    if (OwnerIsWindow() && !(ComponentState() & ui::csDesigning)) {
        bool show = true;
        if (OnStartup) OnStartup(this, show);
        if (!show) {
            if (TTrayApplication* app = TrayApplication()) app->ShowMainForm = false;
            HideMainForm();
        }
    }
    ModifyTrayIcon();
    SetIconVisible(FIconVisible);
    SetCycleIcons(FCycleIcons);
    SetWantEnterExitEvents(FWantEnterExitEvents);
    SetBehavior(FBehavior);
}

void TCoolTrayIcon::Notification(ui::TComponent* AComponent, ui::TOperation Operation) {
    ui::TComponent::Notification(AComponent, Operation);
    if (Operation != ui::TOperation::opRemove) return;
    if (AComponent && AComponent == FIconList) SetIconList(nullptr);
    if (AComponent && AComponent == FPopupMenu) SetPopupMenu(nullptr);
}

// Properties.

void TCoolTrayIcon::SetDesignPreview(bool Value) {
    FDesignPreview = Value;
    if (!(ComponentState() & ui::csDesigning)) return;
    SettingPreview = true;
    if (Value)
        AddTrayIcon();
    else
        DeleteTrayIcon();
    SettingPreview = false;
}

void TCoolTrayIcon::SetIconList(ui::TImageList* Value) {
    if (FIconList && FIconList != Value) RemoveFreeNotification(FIconList);
    FIconList = Value;
    if (FIconList) FreeNotification(FIconList);
    SetIconIndex(0);
}

void TCoolTrayIcon::SetCycleIcons(bool Value) {
    FCycleIcons = Value;
    if (Value) {
        SetIconIndex(0);
        CycleTimer->SetInterval(FCycleInterval);
        CycleTimer->SetEnabled(true);
    } else {
        CycleTimer->SetEnabled(false);
    }
}

void TCoolTrayIcon::SetCycleInterval(uint32_t Value) {
    if (Value == FCycleInterval) return;
    FCycleInterval = Value;
    SetCycleIcons(FCycleIcons);
}

void TCoolTrayIcon::SetHint(const std::u16string& Value) {
    FHint = Value;
    ModifyTrayIcon();
}

void TCoolTrayIcon::SetShowHint(bool Value) {
    FShowHint = Value;
    ModifyTrayIcon();
}

void TCoolTrayIcon::SetIcon(const ui::TIcon* Value) {
    // Copied without our change notice: one modify request follows, not two.
    auto notice = std::move(FIcon->OnChange);
    FIcon->OnChange = nullptr;
    if (Value)
        FIcon->Assign(*Value);
    else
        FIcon->Clear();
    FIcon->OnChange = std::move(notice);
    ModifyTrayIcon();
}

void TCoolTrayIcon::SetIconVisible(bool Value) {
    if (Value)
        AddTrayIcon();
    else
        DeleteTrayIcon();
}

void TCoolTrayIcon::SetIconIndex(int32_t Value) {
    if (FIconList) {
        FIconIndex = Value;
        if (FIconIndex > FIconList->Count() - 1) FIconIndex = FIconList->Count() - 1;
        ui::TIcon picture;
        if (FIconList->GetIcon(FIconIndex, picture)) SetIcon(&picture);
    } else {
        FIconIndex = 0;
    }
    ModifyTrayIcon();
}

void TCoolTrayIcon::SetPopupMenu(ui::TPopupMenu* Value) {
    if (FPopupMenu && FPopupMenu != Value) RemoveFreeNotification(FPopupMenu);
    FPopupMenu = Value;
    if (FPopupMenu) FreeNotification(FPopupMenu);
    PublishMenu();
}

void TCoolTrayIcon::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    PublishMenu();
}

// A desktop that shows the menu by itself would otherwise let its choices through while the
// icon takes no input (settings window open, an alert waiting for its answer).
void TCoolTrayIcon::PublishMenu() {
    platform::thePlatform().notifyArea().SetIconMenu(IconData.hWnd, FIconID,
                                                     FEnabled ? FPopupMenu : nullptr);
}

void TCoolTrayIcon::SetWantEnterExitEvents(bool Value) {
    FWantEnterExitEvents = Value;
    ExitTimer->SetEnabled(Value);
}

void TCoolTrayIcon::SetBehavior(TBehavior Value) {
    FBehavior = Value;
    IconData.uVersion = Value == bhWin95 ? 0 : 3;
    Request(platform::NIM_SETVERSION);
}

// Shell requests.

bool TCoolTrayIcon::PrepareIconData() {
    if ((ComponentState() & ui::csDesigning) && !FDesignPreview) return false;
    IconData.hIcon = FIcon ? FIcon->Handle() : nullptr;
    if (!FHint.empty() && FShowHint) {
        CopyLimited(IconData.szTip, 127, FHint);
        IconData.uFlags |= platform::NIF_TIP;
    } else {
        std::fill(std::begin(IconData.szTip), std::end(IconData.szTip), u'\0');
    }
    return true;
}

bool TCoolTrayIcon::Request(uint32_t Message) {
    if (!PrepareIconData()) return false;
    return platform::thePlatform().notifyArea().Shell_NotifyIcon(Message, IconData);
}

bool TCoolTrayIcon::AddTrayIcon() {
    if (!SettingPreview) FIconVisible = true;
    return Request(platform::NIM_ADD);
}

bool TCoolTrayIcon::DeleteTrayIcon() {
    if (!SettingPreview) FIconVisible = false;
    return Request(platform::NIM_DELETE);
}

bool TCoolTrayIcon::ModifyTrayIcon() { return Request(platform::NIM_MODIFY); }

bool TCoolTrayIcon::Refresh() { return ModifyTrayIcon(); }

bool TCoolTrayIcon::SetFocus() { return Request(platform::NIM_SETFOCUS); }

void TCoolTrayIcon::IconChanged() { ModifyTrayIcon(); }

// Balloon hints.

bool TCoolTrayIcon::HideBalloonHint() {
    IconData.uFlags |= platform::NIF_INFO;
    std::fill(std::begin(IconData.szInfo), std::end(IconData.szInfo), u'\0');
    return ModifyTrayIcon();
}

bool TCoolTrayIcon::ShowBalloonHint(const std::u16string& Title, const std::u16string& Text,
                                    TBalloonHintIcon IconType, TBalloonHintTimeOut TimeoutSecs) {
    static constexpr uint32_t infoFlags[] = {platform::NIIF_NONE, platform::NIIF_INFO,
                                             platform::NIIF_WARNING, platform::NIIF_ERROR,
                                             platform::NIIF_USER};
    HideBalloonHint();
    IconData.uFlags |= platform::NIF_INFO;
    CopyLimited(IconData.szInfo, 255, Text);
    CopyLimited(IconData.szInfoTitle, 63, Title);
    IconData.uTimeout = uint32_t(TimeoutSecs) * 1000u;
    IconData.dwInfoFlags = infoFlags[IconType >= bitNone && IconType <= bitCustom ? IconType : 0];
    bool result = ModifyTrayIcon();
    IconData.uFlags = NIF_REST;
    return result;
}

bool TCoolTrayIcon::ShowBalloonHintUnicode(const std::u16string& Title, const std::u16string& Text,
                                           TBalloonHintIcon IconType,
                                           TBalloonHintTimeOut TimeoutSecs) {
    // All text is UTF-16 already: the same request.
    return ShowBalloonHint(Title, Text, IconType, TimeoutSecs);
}

// Popup menu.

void TCoolTrayIcon::Popup(int X, int Y) {
    if (!FPopupMenu) return;
    auto& platform = platform::thePlatform();
    platform.notifyArea().SetForegroundWindow(IconData.hWnd);
    platform.loop().ProcessMessages();
    if (!FPopupMenu) return;  // the menu went while messages were handled
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(X, Y);
    if (OwnerIsWindow())
        if (TTrayApplication* app = TrayApplication()) app->PostNull(Owner());
}

void TCoolTrayIcon::PopupAtCursor() {
    platform::Point p = platform::thePlatform().screen().CursorPos();
    Popup(p.X, p.Y);
}

// Icon-list cycling.

void TCoolTrayIcon::CycleTimerElapsed() {
    if (!FIconList) return;
    ui::TIcon picture;
    if (FIconList->GetIcon(FIconIndex, picture)) SetIcon(&picture);
    int32_t next = FIconIndex < FIconList->Count() - 1 ? FIconIndex + 1 : 0;
    DoCycle(next);
    FIconIndex = next;
}

// Pictures.

bool TCoolTrayIcon::BitmapToIcon(const uint32_t* Bitmap16x16, ui::TIcon& Icon,
                                 ui::TColor MaskColor) {
    if (!Bitmap16x16) return false;
    TTextBitmap bitmap;
    std::copy_n(Bitmap16x16, bitmap.Pixels.size(), bitmap.Pixels.begin());
    Icon.SetImage(BitmapToIconImage(bitmap, MaskColor));
    return true;
}

// Notification operations.

void TCoolTrayIcon::DoClick() {
    if (OnClick) OnClick(this);
}
void TCoolTrayIcon::DoDblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TCoolTrayIcon::DoCycle(int32_t NextIndex) {
    if (OnCycle) OnCycle(this, NextIndex);
}
void TCoolTrayIcon::DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TCoolTrayIcon::DoMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TCoolTrayIcon::DoMouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TCoolTrayIcon::DoMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}
void TCoolTrayIcon::DoMouseExit() {
    if (OnMouseExit) OnMouseExit(this);
}

}  // namespace tray
