#include "ui/Menus.h"

#include <algorithm>

#include "platform/Platform.h"
#include "ui/ClassBuilder.h"
#include "ui/ImgList.h"

namespace ui {

const TClassInfo& TMenuItem::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TMenuItem>(u"TMenuItem", &TComponent::StaticClassInfo())
            .Bool(u"AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
            .Str(u"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Bool(u"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Bool(u"Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Bool(u"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Int(u"GroupIndex", &TMenuItem::GroupIndex,
                 [](TMenuItem& m, int64_t v) { m.SetGroupIndex(int32_t(v)); })
            .Str(u"Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Int(u"ImageIndex", &TMenuItem::ImageIndex,
                 [](TMenuItem& m, int64_t v) { m.SetImageIndex(int32_t(v)); })
            .Bool(u"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
            .Int(u"ShortCut", &TMenuItem::ShortCut,
                 [](TMenuItem& m, int64_t v) { m.SetShortCut(int32_t(v)); })
            .Bool(u"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Other(u"OnClick", TTypeKind::tkMethod)
            .Creatable()
            .Build();
    return ci;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    Clear();
    if (FParent) FParent->Remove(this);
}

void TMenuItem::Changed() {
    if (TPopupMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::SetCaption(const std::u16string& v) {
    FCaption = v;
    Changed();
}
void TMenuItem::SetChecked(bool v) {
    FChecked = v;
    Changed();
}
void TMenuItem::SetEnabled(bool v) {
    FEnabled = v;
    Changed();
}
void TMenuItem::SetVisible(bool v) {
    FVisible = v;
    Changed();
}
void TMenuItem::SetDefault(bool v) {
    FDefault = v;
    Changed();
}
void TMenuItem::SetRadioItem(bool v) {
    FRadioItem = v;
    Changed();
}
void TMenuItem::SetImageIndex(int32_t v) {
    FImageIndex = v;
    Changed();
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds (%d)", {Index});
    return FItems[std::size_t(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item == this) throw EInvalidOperation(u"A menu item cannot contain itself");
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == Item) throw EInvalidOperation(u"A menu item cannot contain its parent");
    if (Index < 0 || Index > Count()) throw EListError(u"List index out of bounds (%d)", {Index});
    if (Item->FParent) Item->FParent->Remove(Item);
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    Item->FParent = nullptr;
    Changed();
}

void TMenuItem::Delete(int Index) { Remove(Items(Index)); }

void TMenuItem::Clear() {
    while (!FItems.empty()) delete FItems.back();  // each one leaves the list as it goes
}

TPopupMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->FParent) root = root->FParent;
    return root->FMenu;
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (FAutoCheck) SetChecked(!FChecked);
    if (OnClick) OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* AParent) {
    if (auto* menu = dynamic_cast<TPopupMenu*>(AParent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(AParent))
        item->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (!FParent) return nullptr;
    if (FParent->FMenu) return FParent->FMenu;
    return FParent;
}

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TPopupMenu>(u"TPopupMenu", &TComponent::StaticClassInfo())
            .Bool(u"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
            .Obj(u"Images", [](TPopupMenu& m) -> TObject* { return m.Images(); },
                 [](TPopupMenu& m, TObject* v) { m.SetImages(dynamic_cast<TImageList*>(v)); })
            .Other(u"OnPopup", TTypeKind::tkMethod)
            .Creatable()
            .Build();
    return ci;
}

TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
    FItems->FMenu = this;
}

TPopupMenu::~TPopupMenu() {
    // The notices go out while the menu is whole: a tray that is told may unsubscribe.
    Destroying();
    FListeners.clear();
    // The items may outlive the menu (their owner frees them); they must not reach back.
    FItems->FMenu = nullptr;
}

void TPopupMenu::SetImages(TImageList* v) {
    if (FImages) RemoveFreeNotification(FImages);
    FImages = v;
    if (FImages) FreeNotification(FImages);
    MenuChanged();
}

void TPopupMenu::SetPopupComponent(TComponent* v) {
    if (FPopupComponent) RemoveFreeNotification(FPopupComponent);
    FPopupComponent = v;
    if (FPopupComponent) FreeNotification(FPopupComponent);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FImages) {
        FImages = nullptr;
        MenuChanged();
    }
    if (AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
    if (OnPopup) OnPopup(this);
    platform::thePlatform().notifyArea().TrackPopupMenu(*this, {X, Y});
}

int TPopupMenu::AddChangeListener(std::function<void()> fn) {
    if (ComponentState() & csDestroying) return 0;
    FListeners[++FNextListener] = std::move(fn);
    return FNextListener;
}

void TPopupMenu::RemoveChangeListener(int id) {
    if (ComponentState() & csDestroying) return;
    FListeners.erase(id);
}

void TPopupMenu::MenuChanged() {
    if (ComponentState() & csDestroying) return;
    // A listener may remove itself while it runs.
    auto copy = FListeners;
    for (auto& [id, fn] : copy)
        if (fn && FListeners.count(id)) fn();
}

}  // namespace ui

namespace {
// The form reader creates menus by class name.
const bool registered = (ui::RegisterClass(ui::TMenuItem::StaticClassInfo()),
                         ui::RegisterClass(ui::TPopupMenu::StaticClassInfo()), true);
}  // namespace
