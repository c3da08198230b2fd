#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "ui/Buttons.h"
#include "ui/ClassBuilder.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/StringList.h"
#include "ui/Timer.h"

namespace {

using namespace ui;

std::vector<std::string> journal;

// A component that records what the reader does to it.
class TProbe : public TComponent {
    TOVRA_CLASS(TProbe)
public:
    using TComponent::TComponent;
    TStringList Lines;
    TComponent* Buddy = nullptr;
    std::vector<uint8_t> Data;
    TStringList* GetLines() { return &Lines; }
    TComponent* GetBuddy() const { return Buddy; }
    void SetBuddy(TObject* o) {
        Buddy = dynamic_cast<TComponent*>(o);
        if (Buddy) FreeNotification(Buddy);
    }
    bool ReadBinaryProperty(const std::u16string& name, const std::vector<uint8_t>& d) override {
        if (name != u"LangData") return false;
        journal.push_back("binary " + ToUtf8(Name()) + (ComponentState() & csLoading ? " loading" : ""));
        Data = d;
        return true;
    }
    void Loaded() override {
        TComponent::Loaded();
        journal.push_back("loaded " + ToUtf8(Name()));
    }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove && c == Buddy) Buddy = nullptr;
    }
};

const TClassInfo& TProbe::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TProbe>(u"TProbe", &TComponent::StaticClassInfo())
            .Obj(u"Lines", &TProbe::GetLines, [](TProbe& p, TObject* o) {
                p.Lines.Assign(*static_cast<TStrings*>(o));
            })
            .Obj(u"Buddy", &TProbe::GetBuddy, &TProbe::SetBuddy)
            .Creatable()
            .Build();
    return ci;
}

class TSampleForm : public TForm {
    TOVRA_CLASS(TSampleForm)
public:
    using TForm::TForm;
    int ticks = 0, checkClicks = 0;
    bool BindEvent(TComponent* c, const std::u16string& event, const std::u16string& handler) override {
        if (handler == u"Timer1Timer" && event == u"OnTimer") {
            static_cast<TTimer*>(c)->OnTimer = [this](TObject*) { ++ticks; };
            return true;
        }
        if (handler == u"CheckBox1Click") {
            static_cast<TCheckBox*>(c)->OnClick = [this](TObject*) { ++checkClicks; };
            return true;
        }
        return false;
    }
    void Loaded() override {
        TForm::Loaded();
        journal.push_back("loaded " + ToUtf8(Name()));
    }
};

const TClassInfo& TSampleForm::StaticClassInfo() {
    static const TClassInfo ci =
        TClassBuilder<TSampleForm>(u"TSampleForm", &TForm::StaticClassInfo()).Build();
    return ci;
}

const char* kSample = R"(# the sample form
object Form1: TSampleForm
  Caption = "QV Tovra"
  ClientWidth = 556
  ClientHeight = 451
  Position = poScreenCenter
  BorderStyle = bsDialog
  Font.Name = "MS Sans Serif"
  Font.Height = -11
  object Probe1: TProbe
    LangData = {05 00 46 6F 72 6D 31
                01 01000000}
    Lines = ("*.Hint", "Label\u0031." + "Caption")
    Buddy = CheckBox1           // defined further down
  end
  object GroupBox1: TGroupBox
    Caption = " Work: "
    Left = 8
    Top = 4
    object StaticText1: TStaticText
      Caption = "45"
      Alignment = taCenter
      BorderStyle = sbsSingle
      Color = 8454016
      Font.Name = "Small Fonts"
      Font.Height = -9
      Font.Style = [fsBold, fsItalic]
    end
    object TrackBar1: TTrackBar
      Position = 15             # before the range on purpose
      Max = 480
      Min = 1
    end
  end
  object CheckBox1: TCheckBox
    Caption = "Привет \"Welt\"\u00e9"
    Checked = True
    OnClick = CheckBox1Click
  end
  object SpinEdit1: TSpinEdit
    Value = 0
    MaxValue = 480
    MinValue = 1
    Enabled = False
  end
  object BitBtn1: TBitBtn
    Kind = bkOK
    Color = clBtnFace
  end
  object Button1: TButton
    ModalResult = mrCancel
    TabOrder = 3
  end
  object Timer1: TTimer
    Interval = 50
    OnTimer = Timer1Timer
  end
  object Probe2: TProbe
  end
  ActiveControl = BitBtn1
end
)";

struct FormReaderTest : ::testing::Test {
    platform::fake::FakePlatform fp;
    std::unique_ptr<TSampleForm> form = std::make_unique<TSampleForm>(nullptr);
    void SetUp() override {
        RegisterClass(TProbe::StaticClassInfo());
        RegisterClass(TSampleForm::StaticClassInfo());
        journal.clear();
    }
    template <class T>
    T* get(const char16_t* name) {
        auto* c = dynamic_cast<T*>(form->FindComponent(name));
        EXPECT_NE(c, nullptr) << ToUtf8(name);
        return c;
    }
};

TEST_F(FormReaderTest, ReadsTheSampleFormIntoLiveComponents) {
    ReadComponentUtf8(*form, kSample);
    EXPECT_EQ(form->Name(), u"Form1");
    EXPECT_EQ(form->Caption(), u"QV Tovra");
    EXPECT_EQ(form->ClientWidth(), 556);
    EXPECT_EQ(form->Position(), poScreenCenter);
    EXPECT_EQ(form->BorderStyle(), bsDialog);
    EXPECT_EQ(form->ComponentCount(), 10);

    auto* group = get<TGroupBox>(u"GroupBox1");
    auto* text = get<TStaticText>(u"StaticText1");
    EXPECT_EQ(text->Owner(), form.get());
    EXPECT_EQ(text->Parent(), group);
    EXPECT_EQ(group->Parent(), form.get());
    EXPECT_EQ(text->Alignment(), taCenter);
    EXPECT_EQ(text->BorderStyle(), sbsSingle);
    EXPECT_EQ(text->Color(), 8454016);
    EXPECT_EQ(text->Font()->Name(), u"Small Fonts");
    EXPECT_EQ(text->Font()->Height(), -9);
    EXPECT_EQ(text->Font()->Style(), fsBold | fsItalic);
    EXPECT_EQ(group->Font()->Name(), u"MS Sans Serif");

    auto* track = get<TTrackBar>(u"TrackBar1");
    EXPECT_EQ(track->Position(), 15);
    EXPECT_EQ(track->Min(), 1);
    auto* spin = get<TSpinEdit>(u"SpinEdit1");
    EXPECT_EQ(spin->Value(), 1);  // settled into its range once loaded
    EXPECT_FALSE(spin->Enabled());

    auto* check = get<TCheckBox>(u"CheckBox1");
    EXPECT_EQ(check->Caption(), u"Привет \"Welt\"é");
    EXPECT_TRUE(check->Checked());
    EXPECT_EQ(form->checkClicks, 0);  // no change events while reading
    check->SetChecked(false);
    EXPECT_EQ(form->checkClicks, 1);  // the handler is bound

    auto* ok = get<TBitBtn>(u"BitBtn1");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_EQ(form->ActiveControl(), ok);
    EXPECT_EQ(get<TButton>(u"Button1")->ModalResult(), mrCancel);
    EXPECT_EQ(get<TButton>(u"Button1")->TabOrder(), 3);

    auto* probe = get<TProbe>(u"Probe1");
    EXPECT_EQ(probe->Buddy, check);
    EXPECT_EQ(probe->Lines.Text(), u"*.Hint\r\nLabel1.Caption\r\n");
    EXPECT_EQ(probe->Data, (std::vector<uint8_t>{5, 0, 'F', 'o', 'r', 'm', '1', 1, 1, 0, 0, 0}));

    // The timer waited for Loaded, then runs with the bound handler.
    fp.advance(50);
    EXPECT_EQ(form->ticks, 1);
    for (int i = 0; i < form->ComponentCount(); ++i)
        EXPECT_EQ(form->Components(i)->ComponentState() & (csLoading | csReading), 0u);
    EXPECT_EQ(form->ComponentState() & csLoading, 0u);
}

TEST_F(FormReaderTest, BinaryPropertiesComeBeforeLoadedWhichRunsOnceInCreationOrder) {
    ReadComponentUtf8(*form, kSample);
    EXPECT_EQ(journal, (std::vector<std::string>{"binary Probe1 loading", "loaded Form1",
                                                 "loaded Probe1", "loaded Probe2"}));
}

TEST_F(FormReaderTest, FaultsNameTheirLineAndLeaveNothingBehind) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"object Form1: TSampleForm\n  object X: TNoSuchClass\n  end\nend", "Line 2: Class TNoSuchClass not found"},
        {"object Form1: TSampleForm\n  Captoin = \"x\"\nend", "Line 2: Unknown property Captoin of TSampleForm"},
        {"object Form1: TSampleForm\n  Font.Nmae = \"x\"\nend", "Line 2: Unknown property Nmae of TFont"},
        {"object Form1: TSampleForm\n\n  ClientWidth = abc\nend", "Line 3: ClientWidth: 'abc' is not a valid integer value"},
        {"object Form1: TSampleForm\n  Position = poNowhere\nend", "Line 2: Position: Invalid property value 'poNowhere'"},
        {"object Form1: TSampleForm\n  Caption = 12\nend", "Line 2: Property Caption needs a quoted string"},
        {"object Form1: TSampleForm\n  Caption = \"open\nend", "Line 2: Unterminated string"},
        {"object Form1: TSampleForm\n  Caption = \"\\q\"\nend", "Line 2: Unknown escape '\\q'"},
        {"object Form1: TSampleForm\n  object L: TLabel\n  end\n", "Line 4: 'end' expected"},
        {"object Form1: TSampleForm\n  ActiveControl = Nobody\nend", "Line 2: Component Nobody not found"},
        {"object Form1: TSampleForm\n  object T: TTimer\n    OnTimer = Missing\n  end\nend",
         "Line 3: No handler Missing for T.OnTimer"},
        {"object Form1: TSampleForm\n  object A: TLabel\n  end\n  object a: TEdit\n  end\nend",
         "Line 4: A component named a already exists"},
        {"object Form1: TEdit\nend", "Line 1: The description is of a TEdit, not of a TSampleForm"},
        {"object Form1: TSampleForm\n  Junk = {0102}\nend", "Line 2: Unknown binary property Junk of TSampleForm"},
        {"object Form1: TSampleForm\n  object P: TProbe\n    LangData = {012}\n  end\nend",
         "Line 3: Binary value with an odd number of hex digits"},
        {"object Form1: TSampleForm\nend\nend", "Line 3: Text after the final 'end'"},
    };
    for (const Case& c : cases) {
        journal.clear();
        try {
            ReadComponentUtf8(*form, c.text);
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const EReadError& e) {
            EXPECT_EQ(ToUtf8(e.Message()), c.message);
        }
        EXPECT_EQ(form->ComponentCount(), 0) << c.text;
        EXPECT_EQ(form->ComponentState() & (csLoading | csReading), 0u);
        EXPECT_TRUE(journal.empty()) << "Loaded ran for: " << c.text;
    }
    // The same form reads fine afterwards.
    ReadComponentUtf8(*form, kSample);
    EXPECT_EQ(form->ComponentCount(), 10);
}

TEST_F(FormReaderTest, RemovalNoticesClearReferencesToFreedComponents) {
    ReadComponentUtf8(*form, kSample);
    auto* probe = get<TProbe>(u"Probe1");
    delete get<TCheckBox>(u"CheckBox1");
    EXPECT_EQ(probe->Buddy, nullptr);
    delete get<TBitBtn>(u"BitBtn1");
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(form->FindComponent(u"BitBtn1"), nullptr);
}

TEST_F(FormReaderTest, ReadsFromAnEmbeddedResource) {
    std::string text = "\xEF\xBB\xBFobject Form1: TForm\n  Caption = \"from a resource\"\nend\n";
    fp.resourcesFake.overrides["SAMPLEFORM"] = std::vector<uint8_t>(text.begin(), text.end());
    ReadComponentRes(*form, "SampleForm");
    EXPECT_EQ(form->Caption(), u"from a resource");
    EXPECT_THROW(ReadComponentRes(*form, "NoSuchForm"), EReadError);
}

}  // namespace
