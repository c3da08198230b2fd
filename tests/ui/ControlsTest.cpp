#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {

using namespace ui;

struct ControlsTest : ::testing::Test {
    platform::fake::FakePlatform fp;
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    template <class T>
    T* add(TWinControl* parent = nullptr) {
        auto* c = new T(form.get());
        c->SetParent(parent ? parent : form.get());
        return c;
    }
};

TEST_F(ControlsTest, ChangeEventsFireOnEveryProgrammaticChangeAndOnlyThen) {
    auto* check = add<TCheckBox>();
    auto* track = add<TTrackBar>();
    auto* edit = add<TEdit>();
    auto* spin = add<TSpinEdit>();
    track->SetMax(480);
    spin->SetMaxValue(480);
    int clicks = 0, changes = 0, edits = 0, spins = 0;
    check->OnClick = [&](TObject* s) {
        EXPECT_EQ(s, check);
        ++clicks;
    };
    track->OnChange = [&](TObject*) { ++changes; };
    edit->OnChange = [&](TObject*) { ++edits; };
    spin->OnChange = [&](TObject*) { ++spins; };

    struct Step {
        std::function<void()> act;
        int clicks, changes, edits, spins;
    };
    const Step steps[] = {
        {[&] { check->SetChecked(true); }, 1, 0, 0, 0},
        {[&] { check->SetChecked(true); }, 1, 0, 0, 0},   // same value: nothing
        {[&] { check->Click(); }, 2, 0, 0, 0},            // the user's click toggles
        {[&] { track->SetPosition(45); }, 2, 1, 0, 0},
        {[&] { track->SetPosition(45); }, 2, 1, 0, 0},
        {[&] { track->SetPosition(9999); }, 2, 2, 0, 0},  // clamped to 480, still a change
        {[&] { track->SetMax(100); }, 2, 3, 0, 0},        // the range pushes the position
        {[&] { edit->SetText(u"Work!"); }, 2, 3, 1, 0},
        {[&] { edit->SetText(u"Work!"); }, 2, 3, 1, 0},
        {[&] { spin->SetValue(5); }, 2, 3, 1, 1},
        {[&] { spin->SetValue(5); }, 2, 3, 1, 1},
    };
    int i = 0;
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(clicks, s.clicks) << "step " << i;
        EXPECT_EQ(changes, s.changes) << "step " << i;
        EXPECT_EQ(edits, s.edits) << "step " << i;
        EXPECT_EQ(spins, s.spins) << "step " << i;
        ++i;
    }
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(track->Position(), 100);
}

TEST_F(ControlsTest, SpinEditKeepsItsValueInsideARealRange) {
    struct Case {
        int32_t min, max, set, expect;
    };
    const Case cases[] = {
        {1, 480, 0, 1},     {1, 480, 1, 1},   {1, 480, 480, 480}, {1, 480, 481, 480},
        {1, 480, -50, 1},   {0, 0, -7, -7},   {5, 5, 99, 99},     // no range: anything goes
        {10, 3, 99, 99},    {10, 3, -1, -1},  // an inverted range does not clamp either
    };
    for (const Case& c : cases) {
        TSpinEdit spin(nullptr);
        spin.SetMinValue(c.min);
        spin.SetMaxValue(c.max);
        spin.SetValue(c.set);
        EXPECT_EQ(spin.Value(), c.expect) << c.min << ".." << c.max << " <- " << c.set;
    }
    // Narrowing the range pulls the value in and tells the handler.
    TSpinEdit spin(nullptr);
    spin.SetMaxValue(480);
    spin.SetValue(300);
    int changes = 0;
    spin.OnChange = [&](TObject*) { ++changes; };
    spin.SetMaxValue(60);
    EXPECT_EQ(spin.Value(), 60);
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlsTest, TrackBarRangeNeverEmpties) {
    auto* t = add<TTrackBar>();
    t->SetMin(1);
    t->SetMax(480);
    t->SetPosition(15);
    t->SetMin(20);  // pushes the position up
    EXPECT_EQ(t->Position(), 20);
    t->SetMax(5);  // below Min: Min follows
    EXPECT_EQ(t->Min(), 5);
    EXPECT_EQ(t->Max(), 5);
    EXPECT_EQ(t->Position(), 5);
}

TEST_F(ControlsTest, ShowModalReturnsTheResultTheButtonsGiveAndCancelWhenClosed) {
    auto* ok = add<TBitBtn>();
    ok->SetKind(bkOK);
    auto* cancel = add<TBitBtn>();
    cancel->SetKind(bkCancel);
    EXPECT_EQ(ok->Caption(), u"OK");
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(cancel->Caption(), u"Cancel");
    EXPECT_TRUE(cancel->Cancel());

    std::vector<std::string> trace;
    form->OnShow = [&](TObject*) {
        trace.push_back("show result=" + std::to_string(form->ModalResult()));
        form->SetActiveControl(ok);
    };
    bool okClicked = false;
    ok->OnClick = [&](TObject*) { okClicked = true; };

    form->SetModalResult(mrAbort);  // a stale result is cleared before showing
    fp.formDisplayFake.sessions.push_back([&](TForm& f) {
        EXPECT_TRUE(f.Modal());
        EXPECT_TRUE(f.Visible());
        EXPECT_EQ(f.ActiveControl(), ok);
        ok->Click();
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(okClicked);
    EXPECT_EQ(trace, (std::vector<std::string>{"show result=0"}));
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Modal());

    fp.formDisplayFake.sessions.push_back([&](TForm&) { cancel->Click(); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    // The user closed it without a button.
    fp.formDisplayFake.sessions.push_back([](TForm&) {});
    EXPECT_EQ(form->ShowModal(), mrCancel);
    // Close() while modal is the close box.
    fp.formDisplayFake.sessions.push_back([](TForm& f) { f.Close(); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(fp.formDisplayFake.shown, 4);
}

TEST_F(ControlsTest, ChangesReachTheDisplayOnlyWhileShown) {
    auto* label = add<TLabel>();
    fp.formDisplayFake.changes = 0;
    label->SetCaption(u"hidden");
    EXPECT_EQ(fp.formDisplayFake.changes, 0);
    fp.formDisplayFake.sessions.push_back([&](TForm&) {
        int before = fp.formDisplayFake.changes;
        label->SetCaption(u"Time for work: 0 hr 45 min");
        EXPECT_GT(fp.formDisplayFake.changes, before);
    });
    form->ShowModal();
}

// What components watching the form's window see: showing (modal or not) before the display
// has it, hiding; newest hook first, a consuming hook stops the rest, removal is safe anywhere.
TEST_F(ControlsTest, WindowHooksHearTheFormShownAndHidden) {
    std::vector<std::string> heard;
    auto hook = [&](std::string who, bool consume) {
        return [&heard, who, consume](uint32_t msg, uint64_t w, int64_t l) {
            heard.push_back(who + " " + std::to_string(msg) + "," + std::to_string(w) + "," +
                            std::to_string(l));
            return consume;
        };
    };
    int older = form->AddWindowHook(hook("older", false));
    int newer = form->AddWindowHook(hook("newer", false));
    EXPECT_NE(older, newer);
    fp.formDisplayFake.sessions.push_back([&](TForm& f) {
        heard.push_back("display");
        f.SetModalResult(mrOk);
    });
    form->ShowModal();
    EXPECT_EQ(heard, (std::vector<std::string>{"newer 24,1,0", "older 24,1,0", "display"}));

    heard.clear();
    form->Show();
    form->Hide();
    form->Hide();  // already hidden: nothing
    EXPECT_EQ(heard, (std::vector<std::string>{"newer 24,1,0", "older 24,1,0", "newer 24,0,0",
                                               "older 24,0,0"}));

    heard.clear();
    int consumer = form->AddWindowHook(hook("consumer", true));
    EXPECT_TRUE(form->SendWindowMessage(0x112, 0xF020, 0));
    form->RemoveWindowHook(consumer);
    // A hook that removes another before its turn: that one is not called.
    int remover = form->AddWindowHook([&](uint32_t, uint64_t, int64_t) {
        form->RemoveWindowHook(newer);
        return false;
    });
    EXPECT_FALSE(form->SendWindowMessage(0x18, 1, 0));
    EXPECT_EQ(heard, (std::vector<std::string>{"consumer 274,61472,0", "older 24,1,0"}));
    form->RemoveWindowHook(remover);
    form->RemoveWindowHook(older);
    form->RemoveWindowHook(12345);  // unknown: nothing
}

TEST_F(ControlsTest, ParentIsNotOwnerAndFontsFollowTheParentUntilSetOwn) {
    auto* group = add<TGroupBox>();
    auto* text = add<TStaticText>(group);
    auto* label = add<TLabel>(group);
    EXPECT_EQ(text->Owner(), form.get());
    EXPECT_EQ(text->Parent(), group);
    EXPECT_EQ(group->ControlCount(), 2);
    EXPECT_EQ(text->ParentForm(), form.get());

    text->Font()->SetName(u"Small Fonts");
    text->Font()->SetHeight(-9);
    EXPECT_FALSE(text->ParentFont());
    form->Font()->SetName(u"DejaVu Sans");
    EXPECT_EQ(group->Font()->Name(), u"DejaVu Sans");
    EXPECT_EQ(label->Font()->Name(), u"DejaVu Sans");
    EXPECT_TRUE(label->ParentFont());
    EXPECT_EQ(text->Font()->Name(), u"Small Fonts");
    text->SetParentFont(true);
    EXPECT_EQ(text->Font()->Name(), u"DejaVu Sans");

    // Freeing the parent first leaves its children alive and parentless.
    form->SetActiveControl(group);
    delete group;
    EXPECT_EQ(text->Parent(), nullptr);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(form->ComponentCount(), 2);
}

TEST_F(ControlsTest, StoredTestsLeaveDefaultsOut) {
    auto* edit = add<TEdit>();
    auto* bit = add<TBitBtn>();
    auto stored = [](TObject& o, const char16_t* prop) {
        return o.ClassType().FindProperty(prop)->IsStored(o);
    };
    EXPECT_FALSE(stored(*edit, u"Hint"));
    edit->SetHint(u"tip");
    EXPECT_TRUE(stored(*edit, u"Hint"));
    EXPECT_FALSE(stored(*edit, u"Font"));
    edit->Font()->SetHeight(-20);
    EXPECT_TRUE(stored(*edit, u"Font"));
    bit->SetKind(bkCancel);
    EXPECT_FALSE(stored(*bit, u"Caption"));  // the kind's own caption
    bit->SetCaption(u"Abbrechen");
    EXPECT_TRUE(stored(*bit, u"Caption"));
    // Only the text-carrying names are published: an edit has Text, not Caption.
    EXPECT_EQ(edit->ClassType().FindProperty(u"Caption"), nullptr);
    EXPECT_NE(TCheckBox::StaticClassInfo().FindProperty(u"Caption"), nullptr);
}

TEST_F(ControlsTest, PickersChangeNothingWhenCancelled) {
    TOpenDialog open(nullptr);
    open.SetFilter(u"MP3, WAV|*.mp3; *.wav|All files|*.*");
    EXPECT_FALSE(open.Execute());
    fp.pickersFake.files.push_back(u"/home/u/alarm.mp3");
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName(), u"/home/u/alarm.mp3");
    EXPECT_EQ(fp.pickersFake.fileFilters.back(), open.Filter());

    TColorDialog color(nullptr);
    color.SetColor(8454016);
    EXPECT_FALSE(color.Execute());
    EXPECT_EQ(color.Color(), 8454016);
    fp.pickersFake.colors.push_back(clRed);
    EXPECT_TRUE(color.Execute());
    EXPECT_EQ(color.Color(), clRed);

    TFontDialog font(nullptr);
    font.Font()->SetName(u"Small Fonts");
    // A picker that fiddles with the font and is then cancelled.
    fp.pickersFake.fonts.push_back([](TFont& f) {
        f.SetName(u"Changed");
        return false;
    });
    EXPECT_FALSE(font.Execute());
    EXPECT_EQ(font.Font()->Name(), u"Small Fonts");
    fp.pickersFake.fonts.push_back([](TFont& f) {
        f.SetHeight(-13);
        return true;
    });
    EXPECT_TRUE(font.Execute());
    EXPECT_EQ(font.Font()->Height(), -13);
}

}  // namespace
