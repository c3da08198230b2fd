#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "ui/Exceptions.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

namespace {

using ui::TMenuItem;
using ui::TPopupMenu;

struct MenuTest : ::testing::Test {
    platform::fake::FakePlatform fp;
    ui::TComponent form{nullptr};
    TPopupMenu* menu = new TPopupMenu(&form);
    TMenuItem* item(const std::u16string& caption, TMenuItem* parent = nullptr) {
        auto* m = new TMenuItem(&form);
        m->SetCaption(caption);
        (parent ? parent : menu->Items())->Add(m);
        return m;
    }
};

TEST_F(MenuTest, ClickTogglesAutoCheckBeforeOnClickAndNothingWhileDisabled) {
    TMenuItem* pause = item(u"Pause");
    pause->SetAutoCheck(true);
    std::vector<bool> seen;
    pause->OnClick = [&](ui::TObject* s) { seen.push_back(static_cast<TMenuItem*>(s)->Checked()); };
    pause->Click();
    pause->Click();
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    pause->SetEnabled(false);
    pause->Click();
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_FALSE(pause->Checked());

    TMenuItem* plain = item(u"Exit");
    int clicks = 0;
    plain->OnClick = [&](ui::TObject*) { ++clicks; };
    plain->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(plain->Checked());
}

TEST_F(MenuTest, SubmenusNestAndItemsLeaveTheirParentWhenFreed) {
    TMenuItem* language = item(u"Language");
    TMenuItem* en = item(u"English", language);
    TMenuItem* de = item(u"Deutsch", language);
    EXPECT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(language->Count(), 2);
    EXPECT_EQ(de->Parent(), language);
    EXPECT_EQ(de->GetParentMenu(), menu);
    EXPECT_THROW(language->Items(2), ui::EListError);
    EXPECT_THROW(en->Add(language), ui::EInvalidOperation);
    delete en;
    EXPECT_EQ(language->Count(), 1);
    EXPECT_EQ(language->Items(0), de);
    int before = form.ComponentCount();
    language->Clear();  // frees the items, which leave their owner too
    EXPECT_EQ(form.ComponentCount(), before - 1);
    EXPECT_EQ(language->Count(), 0);

    // The form reader nests items by their parent component.
    auto* loaded = new TMenuItem(&form);
    loaded->SetParentComponent(menu);
    auto* sub = new TMenuItem(&form);
    sub->SetParentComponent(loaded);
    EXPECT_EQ(menu->Items()->IndexOf(loaded), 1);
    EXPECT_EQ(loaded->GetParentComponent(), menu);
    EXPECT_EQ(sub->GetParentComponent(), loaded);
}

TEST_F(MenuTest, ListenersHearEveryChangeUntilTheyLeave) {
    TMenuItem* a = item(u"Help");
    int changes = 0;
    int id = menu->AddChangeListener([&] { ++changes; });
    a->SetCaption(u"Hilfe");
    a->SetChecked(true);
    a->SetEnabled(false);
    a->SetImageIndex(3);
    item(u"More", a);
    EXPECT_EQ(changes, 5);
    ui::TImageList images(&form);
    menu->SetImages(&images);
    EXPECT_EQ(changes, 6);
    menu->RemoveChangeListener(id);
    a->SetCaption(u"Help");
    EXPECT_EQ(changes, 6);
}

TEST_F(MenuTest, PopupGoesThroughTheNotificationAreaAndRunsTheChoice) {
    TMenuItem* exit = item(u"Exit");
    bool chosen = false, popped = false;
    exit->OnClick = [&](ui::TObject*) { chosen = true; };
    menu->OnPopup = [&](ui::TObject*) { popped = true; };
    fp.notifyAreaFake.onPopup = [](TPopupMenu& m) { m.Items()->Items(0)->Click(); };
    menu->Popup(100, 200);
    EXPECT_TRUE(popped);
    EXPECT_TRUE(chosen);
    ASSERT_EQ(fp.notifyAreaFake.popups.size(), 1u);
    EXPECT_EQ(fp.notifyAreaFake.popups[0].Menu, menu);
    EXPECT_EQ(fp.notifyAreaFake.popups[0].At.Y, 200);
}

TEST_F(MenuTest, FreedImageListIsLetGoAndTheFormReaderFindsTheClasses) {
    auto* images = new ui::TImageList(&form);
    EXPECT_EQ(images->Add({32, 32, std::vector<uint32_t>(1024, 0xFF123456)}), 0);
    EXPECT_EQ(images->Image(0)->Width, 16);
    menu->SetImages(images);
    delete images;
    EXPECT_EQ(menu->Images(), nullptr);

    for (auto name : {u"TMenuItem", u"TPopupMenu", u"TImageList"})
        ASSERT_NE(ui::FindClass(name), nullptr);
    auto* ci = ui::FindClass(u"TMenuItem");
    std::unique_ptr<ui::TComponent> made(ci->Factory(nullptr));
    auto* m = dynamic_cast<TMenuItem*>(made.get());
    ASSERT_NE(m, nullptr);
    ci->FindProperty(u"Caption")->SetText(*m, u"Settings...");
    ci->FindProperty(u"Default")->SetText(*m, u"True");
    ci->FindProperty(u"ImageIndex")->SetText(*m, u"4");
    EXPECT_EQ(m->Caption(), u"Settings...");
    EXPECT_TRUE(m->Default());
    EXPECT_EQ(m->ImageIndex(), 4);
}

}  // namespace

namespace {

// Lets go of its menu's change listener when told the menu is going, as a tray does.
struct Watcher : ui::TComponent {
    using TComponent::TComponent;
    TPopupMenu* menu = nullptr;
    int id = 0;
    void Notification(ui::TComponent* c, ui::TOperation op) override {
        ui::TComponent::Notification(c, op);
        if (op == ui::TOperation::opRemove && c == menu) {
            menu->RemoveChangeListener(id);
            menu = nullptr;
        }
    }
};

TEST_F(MenuTest, ListenersMayLeaveWhileTheMenuIsBeingFreed) {
    Watcher w(nullptr);
    w.menu = menu;
    w.id = menu->AddChangeListener([] {});
    w.FreeNotification(menu);
    delete menu;
    menu = nullptr;
    EXPECT_EQ(w.menu, nullptr);
}

}  // namespace
