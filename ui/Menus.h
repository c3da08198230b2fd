#pragma once
// Menus: items with captions, check marks, pictures and submenus, and the popup menu that the
// tray icon opens.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/Classes.h"

namespace ui {

class TImageList;
class TPopupMenu;

class TMenuItem : public TComponent {
    TOVRA_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& v);
    // A caption of "-" makes the item a separator.
    bool IsLine() const { return FCaption == u"-"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    // Click toggles the check mark before OnClick runs.
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool v) { FAutoCheck = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // Shown in bold; the tray icon's double click chooses it.
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v);
    int32_t ImageIndex() const { return FImageIndex; }  // into the menu's Images; -1: none
    void SetImageIndex(int32_t v);
    int32_t ShortCut() const { return FShortCut; }
    void SetShortCut(int32_t v) { FShortCut = v; }
    int32_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int32_t v) { FGroupIndex = v; }
    const std::u16string& Hint() const { return FHint; }
    void SetHint(const std::u16string& v) { FHint = v; }

    // Submenu items, in display order. An item is freed with its parent (leaving its owner
    // too), and leaves its parent when it is freed first.
    int Count() const { return int(FItems.size()); }
    TMenuItem* Items(int Index) const;  // raises EListError out of range
    TMenuItem* Parent() const { return FParent; }
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Remove(TMenuItem* Item);
    void Delete(int Index);
    void Clear();  // frees every item
    int IndexOf(const TMenuItem* Item) const;

    // The menu this item belongs to (through its parents), or nullptr.
    TPopupMenu* GetParentMenu() const;

    // What choosing the item does: nothing while disabled; otherwise the check mark toggles
    // (AutoCheck), then OnClick(this).
    virtual void Click();
    TNotifyEvent OnClick;

    // Nesting by the form reader: a menu item inside a menu or another item.
    void SetParentComponent(TComponent* AParent) override;
    TComponent* GetParentComponent() const override;

private:
    friend class TPopupMenu;
    void Changed();
    std::u16string FCaption;
    bool FChecked = false, FAutoCheck = false, FEnabled = true, FVisible = true,
         FDefault = false, FRadioItem = false;
    int32_t FImageIndex = -1, FShortCut = 0, FGroupIndex = 0;
    std::u16string FHint;
    TMenuItem* FParent = nullptr;
    TPopupMenu* FMenu = nullptr;  // set on a menu's root item only
    std::vector<TMenuItem*> FItems;
};

class TPopupMenu : public TComponent {
    TOVRA_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // The root item: its submenu is the menu.
    TMenuItem* Items() const { return FItems.get(); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);  // not owned
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    // The component that opened the menu last.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* v);

    // OnPopup, then shows the menu at (X, Y) screen pixels; returns once it has closed, after
    // the chosen item's Click.
    virtual void Popup(int X, int Y);
    TNotifyEvent OnPopup;

    // Anyone keeping a copy of the menu (a desktop exporting it) hears of every change of an
    // item: caption, marks, state, picture, items added or removed.
    int AddChangeListener(std::function<void()> fn);
    void RemoveChangeListener(int id);

    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TMenuItem;
    void MenuChanged();
    std::unique_ptr<TMenuItem> FItems;
    TImageList* FImages = nullptr;
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    std::map<int, std::function<void()>> FListeners;
    int FNextListener = 0;
};

}  // namespace ui
