#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "ui/ClassBuilder.h"
#include "ui/Font.h"
#include "ui/StringList.h"

namespace {

class TBase : public ui::TComponent {
    TOVRA_CLASS(TBase)
public:
    using TComponent::TComponent;
    std::u16string caption, hint;
    const std::u16string& Caption() const { return caption; }
    void SetCaption(const std::u16string& v) { caption = v; }
};

class TDerived : public TBase {
    TOVRA_CLASS(TDerived)
public:
    using TBase::TBase;
    ui::TFont font;
    ui::TFont* Font() { return &font; }
    std::u16string Hint() const { return hint; }
    std::vector<std::pair<ui::TComponent*, ui::TOperation>> notices;
    void Notification(ui::TComponent* c, ui::TOperation op) override {
        TBase::Notification(c, op);
        notices.push_back({c, op});
    }
};

const ui::TClassInfo& TBase::StaticClassInfo() {
    static const ui::TClassInfo ci =
        ui::TClassBuilder<TBase>(u"TBase", &ui::TComponent::StaticClassInfo())
            .Str(u"Caption", &TBase::Caption, &TBase::SetCaption)
            .Stored([](const TBase& b) { return b.caption != u"default"; })
            .Build();
    return ci;
}

const ui::TClassInfo& TDerived::StaticClassInfo() {
    static const ui::TClassInfo ci =
        ui::TClassBuilder<TDerived>(u"TDerived", &TBase::StaticClassInfo())
            .Obj(u"Font", &TDerived::Font,
                 [](TDerived& d, ui::TObject* f) { d.font.Assign(*static_cast<ui::TFont*>(f)); })
            .Str(u"Hint", &TDerived::Hint, nullptr)
            .Creatable()
            .Build();
    return ci;
}

TEST(ReflectionTest, PropertiesComeInheritedFirstInDeclarationOrder) {
    platform::fake::FakePlatform fp;
    std::vector<std::u16string> names;
    for (auto* p : TDerived::StaticClassInfo().Properties()) names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Name", u"Tag", u"Caption", u"Font", u"Hint"}));

    TDerived d(nullptr);
    const auto* caption = TDerived::StaticClassInfo().FindProperty(u"caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(ui::IsStringKind(caption->Kind));
    caption->SetText(d, u"default");
    EXPECT_EQ(d.caption, u"default");
    EXPECT_FALSE(caption->IsStored(d));
    caption->SetText(d, u"Other");
    EXPECT_TRUE(caption->IsStored(d));
    const auto* hint = TDerived::StaticClassInfo().FindProperty(u"Hint");
    EXPECT_TRUE(hint->HasGetter());
    EXPECT_FALSE(hint->HasSetter());
    const auto* font = TDerived::StaticClassInfo().FindProperty(u"Font");
    EXPECT_EQ(font->Kind, ui::TTypeKind::tkClass);
    auto* f = dynamic_cast<ui::TFont*>(font->GetObject(d));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->ClassName(), u"TFont");
    // Font.Size is derived and not stored with the form; Font.Name is.
    const auto* size = ui::TFont::StaticClassInfo().FindProperty(u"Size");
    EXPECT_FALSE(size->IsStored(*f));
    EXPECT_TRUE(ui::TFont::StaticClassInfo().FindProperty(u"Name")->IsStored(*f));
    EXPECT_TRUE(d.InheritsFrom(ui::TComponent::StaticClassInfo()));
    EXPECT_FALSE(f->InheritsFrom(ui::TComponent::StaticClassInfo()));
}

TEST(ComponentTest, OwnedComponentsAreFoundIgnoringCaseAndFreedWithTheirOwner) {
    platform::fake::FakePlatform fp;
    auto* form = new TDerived(nullptr);
    auto* a = new TBase(form);
    a->SetName(u"Label1");
    auto* b = new TBase(form);
    b->SetName(u"Edit1");
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->Components(0), a);
    EXPECT_EQ(form->FindComponent(u"LABEL1"), a);
    EXPECT_EQ(form->FindComponent(u"nothing"), nullptr);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_THROW(form->Components(2), ui::EListError);
    form->DestroyComponents();
    EXPECT_EQ(form->ComponentCount(), 0);
    delete form;
}

TEST(ComponentTest, RemovalNoticesReachSiblingsAndSubscribers) {
    platform::fake::FakePlatform fp;
    ui::TComponent form(nullptr);
    auto* watcher = new TDerived(&form);
    auto* victim = new TBase(&form);
    auto* outsider = new TDerived(nullptr);
    outsider->FreeNotification(victim);
    delete victim;
    ASSERT_FALSE(watcher->notices.empty());
    EXPECT_EQ(watcher->notices.back().first, victim);
    EXPECT_EQ(watcher->notices.back().second, ui::TOperation::opRemove);
    ASSERT_EQ(outsider->notices.size(), 1u);
    EXPECT_EQ(outsider->notices[0].first, victim);
    EXPECT_EQ(form.ComponentCount(), 1);
    delete outsider;
}

TEST(StringListTest, TextJoinsWithCrLfAndFindIgnoresCase) {
    ui::TStringList l;
    l.AddObject(u"Русский", reinterpret_cast<void*>(1049));
    l.Add(u"English");
    EXPECT_EQ(l.Text(), u"Русский\r\nEnglish\r\n");
    EXPECT_EQ(l.IndexOf(u"русский"), 0);
    EXPECT_EQ(l.IndexOf(u"ENGLISH"), 1);
    EXPECT_EQ(reinterpret_cast<intptr_t>(l.Objects(0)), 1049);
    l.SetText(u"a\r\nb\nc\rd");
    EXPECT_EQ(l.Count(), 4);
    EXPECT_EQ(l.Strings(3), u"d");
}

TEST(FormatTest, PrintfStyleConversions) {
    EXPECT_EQ(ui::Format(u"%s -> %s", {u"ReadString", u"boom"}), u"ReadString -> boom");
    EXPECT_EQ(ui::Format(u"%s%s=%.8d,%s", {u"", u"Caption", 1, u"x"}), u"Caption=00000001,x");
    EXPECT_EQ(ui::Format(u"%d.%d.%d.%d", {3, 6, 5, 0}), u"3.6.5.0");
    EXPECT_EQ(ui::Format(u"%x|%5d|%-3s|%%", {255, 42, u"a"}), u"ff|   42|a  |%");
    EXPECT_THROW(ui::Format(u"%d", {}), ui::EConvertError);
}

}  // namespace
