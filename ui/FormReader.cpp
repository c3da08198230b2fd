// The form description format.
//
//   # A comment runs to the end of the line ("//" works too).
//   object Form1: TForm1            # the root: the form being read, of this class or a base
//     Caption = "QV Tovra"
//     ClientWidth = 556
//     Position = poScreenCenter      # enumeration names
//     Font.Name = "MS Sans Serif"    # properties of object properties, by dotted paths
//     Font.Style = [fsBold, fsItalic]  # sets
//     Color = clBtnFace              # colours by name or number (8454016, $80FF80)
//     OnShow = FormShow              # events: bound through the root's BindEvent
//     object GroupBox1: TGroupBox    # a component: owner the root, parent the enclosing one
//       Caption = " Work: "
//       object Edit1: TEdit
//         Text = "Work!"
//       end
//     end
//     object Timer1: TTimer
//       Enabled = False
//       OnTimer = Timer1Timer
//     end
//     object dklcMain: TDKLanguageController
//       LangData = {0500 466F726D31}  # custom binary property, hex, spaces and lines allowed
//       IgnoreList = ("*.Hint", "*.Font.Name")  # a string list, item by item
//     end
//     object ImageList1: TImageList
//       Picture = picture            # a picture, here added to the list's pictures
//         "." = None                 # palette: one character to 0xAARRGGBB, None = transparent
//         "k" = $FF202020
//         "..kk.."                   # rows of palette characters, all of one length
//         ".k..k."
//       end
//     end
//     ActiveControl = Edit1          # a reference to a component of the form, or nil
//   end
//
// Strings are double-quoted; \" \\ \n \r \t and \uXXXX (one UTF-16 code unit) are the
// escapes, other text may be written as UTF-8; "a" + "b" joins strings, also across lines.
// Booleans are True and False; numbers are decimal, $hex or 0xhex. A picture goes to its
// component as a binary property, in the bytes of ui::EncodePicture (a {hex} block of such
// bytes is read the same way); it has at most 256 rows of 256 pixels and 64 palette entries.
//
// Reading order: every component is created with csLoading set and its properties are set as
// they come; binary properties go to the component's ReadBinaryProperty at once. After the
// whole text: references are resolved, events bound, and Loaded runs once on the root and then
// on every created component, in creation order. Change events stay silent while loading.
#include "ui/FormReader.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/Exceptions.h"
#include "ui/ClassBuilder.h"
#include "ui/FormLexer.h"
#include "ui/ImgList.h"
#include "ui/Register.h"
#include "ui/StringList.h"
#include "ui/Text.h"

namespace ui {

namespace {

using formtext::Lexer;
using formtext::TokKind;
using formtext::Token;

struct Value {
    enum Kind { Text, Str, Ident, List, Binary } K = Text;
    std::u16string S;                 // Text/Str/Ident
    std::vector<std::u16string> Items;  // List
    std::vector<uint8_t> Bytes;       // Binary
};

class Reader {
public:
    Reader(TComponent& root, std::u16string_view text) : FRoot(root), FLex(text) {}

    void Read() {
        try {
            Advance();
            ReadObject(nullptr);
            if (FTok.Kind != TokKind::End) Fail(u"Text after the final 'end'");
            ResolveReferences();
            BindEvents();
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            // A constructor or a parent refused: the place is where reading stopped.
            Fail(e.Message());
        }
        // The whole description is in place: let every component finish.
        FLoadedStarted = true;
        FRoot.SetComponentStateFlag(csReading, false);
        for (TComponent* c : FCreated) c->SetComponentStateFlag(csReading, false);
        FRoot.Loaded();
        for (TComponent* c : FCreated) c->Loaded();
        FRoot.SetComponentStateFlag(csLoading, false);
    }

    bool LoadedStarted() const { return FLoadedStarted; }

    // After a fault: nothing half-read stays behind.
    void Undo() {
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) delete *it;
        FCreated.clear();
        FRoot.SetComponentStateFlag(csLoading | csReading, false);
    }

private:
    struct RefFixup {
        TObject* Target;
        const TPropInfo* Prop;
        std::u16string Name;
        int Line;
    };
    struct EventFixup {
        TComponent* Comp;
        std::u16string Event, Handler;
        int Line;
    };

    [[noreturn]] void Fail(std::u16string_view msg, int line = 0) const {
        throw EReadError(u"Line %d: %s", {line ? line : FTok.Line, std::u16string(msg)});
    }
    void Advance() { FTok = FLex.Next(); }
    bool IsSymbol(char16_t c) const {
        return FTok.Kind == TokKind::Symbol && FTok.Text[0] == c;
    }
    bool IsWord(std::u16string_view w) const {
        return FTok.Kind == TokKind::Ident && SameTextAscii(FTok.Text, w);
    }
    void Expect(char16_t c) {
        if (!IsSymbol(c)) Fail(u"'" + std::u16string(1, c) + u"' expected");
        Advance();
    }
    std::u16string ExpectIdent(std::u16string_view what) {
        if (FTok.Kind != TokKind::Ident || FTok.Text.find(u'.') != std::u16string::npos)
            Fail(std::u16string(what) + u" expected");
        std::u16string s = FTok.Text;
        Advance();
        return s;
    }

    void ReadObject(TComponent* parent) {
        if (!IsWord(u"object")) Fail(u"'object' expected");
        Advance();
        int line = FTok.Line;
        std::u16string name = ExpectIdent(u"Component name");
        Expect(u':');
        std::u16string className = ExpectIdent(u"Class name");
        TComponent* comp = parent ? Create(name, className, parent, line) : OpenRoot(name, className, line);
        while (!IsWord(u"end")) {
            if (FTok.Kind == TokKind::End) Fail(u"'end' expected");
            if (IsWord(u"object")) {
                ReadObject(comp);
                continue;
            }
            if (FTok.Kind != TokKind::Ident) Fail(u"Property name expected");
            std::u16string path = FTok.Text;
            int propLine = FTok.Line;
            Advance();
            Expect(u'=');
            Value v = ReadValue();
            Assign(*comp, path, v, propLine);
        }
        Advance();
    }

    TComponent* OpenRoot(const std::u16string& name, const std::u16string& className, int line) {
        bool known = false;
        for (const TClassInfo* c = &FRoot.ClassType(); c; c = c->Parent)
            known = known || SameTextAscii(c->ClassName, className);
        if (!known)
            Fail(u"The description is of a " + className + u", not of a " + FRoot.ClassName(), line);
        FRoot.SetComponentStateFlag(csLoading | csReading, true);
        FRoot.SetName(name);
        return &FRoot;
    }

    TComponent* Create(const std::u16string& name, const std::u16string& className,
                       TComponent* parent, int line) {
        const TClassInfo* ci = FindClass(className);
        if (!ci) Fail(u"Class " + className + u" not found", line);
        if (!ci->Factory) Fail(u"Class " + className + u" cannot be created", line);
        if (FRoot.FindComponent(name) || SameTextAscii(FRoot.Name(), name))
            Fail(u"A component named " + name + u" already exists", line);
        TComponent* comp = ci->Factory(&FRoot);
        FCreated.push_back(comp);
        comp->SetComponentStateFlag(csLoading | csReading, true);
        comp->SetName(name);
        comp->SetParentComponent(parent);
        return comp;
    }

    Value ReadValue() {
        Value v;
        switch (FTok.Kind) {
            case TokKind::String:
                v.K = Value::Str;
                v.S = FTok.Text;
                Advance();
                while (IsSymbol(u'+')) {
                    Advance();
                    if (FTok.Kind != TokKind::String) Fail(u"String expected after '+'");
                    v.S += FTok.Text;
                    Advance();
                }
                return v;
            case TokKind::Number:
                v.S = FTok.Text;
                Advance();
                return v;
            case TokKind::Ident:
                if (SameTextAscii(FTok.Text, u"picture")) return ReadPicture();
                v.K = Value::Ident;
                v.S = FTok.Text;
                Advance();
                return v;
            case TokKind::Binary:
                v.K = Value::Binary;
                v.Bytes = std::move(FTok.Bytes);
                Advance();
                return v;
            default:
                break;
        }
        if (IsSymbol(u'[')) {
            v.S = u"[";
            Advance();
            while (!IsSymbol(u']')) {
                if (v.S.size() > 1) Expect(u',');
                v.S += ExpectIdent(u"Set element");
                if (!IsSymbol(u']')) v.S += u',';
            }
            if (v.S.back() == u',') v.S.pop_back();
            v.S += u"]";
            Advance();
            return v;
        }
        if (IsSymbol(u'(')) {
            v.K = Value::List;
            Advance();
            while (!IsSymbol(u')')) {
                if (!v.Items.empty()) Expect(u',');
                if (FTok.Kind != TokKind::String) Fail(u"String expected in a list");
                v.Items.push_back(FTok.Text);
                Advance();
                while (IsSymbol(u'+')) {
                    Advance();
                    if (FTok.Kind != TokKind::String) Fail(u"String expected after '+'");
                    v.Items.back() += FTok.Text;
                    Advance();
                }
            }
            Advance();
            return v;
        }
        Fail(u"Property value expected");
    }

    static constexpr std::size_t kMaxPictureSide = 256;  // pixels
    static constexpr std::size_t kMaxPalette = 64;       // entries

    // After the word "picture": palette entries, rows, "end".
    Value ReadPicture() {
        int line = FTok.Line;
        Advance();
        std::map<char16_t, uint32_t> palette;
        std::size_t width = 0, rows = 0;
        std::vector<uint32_t> pixels;
        while (!IsWord(u"end")) {
            if (FTok.Kind == TokKind::End) Fail(u"'end' of the picture expected");
            if (FTok.Kind != TokKind::String)
                Fail(u"Picture: a palette entry or a row in quotes expected");
            std::u16string s = FTok.Text;
            int at = FTok.Line;
            Advance();
            if (IsSymbol(u'=')) {
                Advance();
                if (rows > 0) Fail(u"Picture: the palette comes before the rows", at);
                if (s.size() != 1)
                    Fail(u"Picture: a palette entry is one character, not \"" + s + u"\"", at);
                if (palette.count(s[0]))
                    Fail(u"Picture: \"" + s + u"\" is in the palette twice", at);
                if (palette.size() >= kMaxPalette)
                    Fail(Format(u"Picture: more than %d palette entries", {int(kMaxPalette)}), at);
                palette[s[0]] = ReadPictureColour();
                continue;
            }
            if (rows == 0) {
                if (s.empty() || s.size() > kMaxPictureSide)
                    Fail(Format(u"Picture: a row has 1 to %d pixels, not %d",
                                {int(kMaxPictureSide), int(s.size())}), at);
                width = s.size();
            } else if (s.size() != width) {
                Fail(Format(u"Picture row %d has %d pixels, not %d",
                            {int(rows + 1), int(s.size()), int(width)}), at);
            }
            if (rows == kMaxPictureSide)
                Fail(Format(u"Picture: more than %d rows", {int(kMaxPictureSide)}), at);
            for (std::size_t x = 0; x < s.size(); ++x) {
                auto it = palette.find(s[x]);
                if (it == palette.end())
                    Fail(Format(u"Picture row %d, column %d: \"%s\" is not in the palette",
                                {int(rows + 1), int(x + 1), std::u16string(1, s[x])}), at);
                pixels.push_back(it->second);
            }
            ++rows;
        }
        if (rows == 0) Fail(u"Picture without rows", line);
        Advance();
        Value v;
        v.K = Value::Binary;
        v.Bytes = EncodePicture({int(width), int(rows), std::move(pixels)});
        return v;
    }

    uint32_t ReadPictureColour() {
        if (IsWord(u"None")) {
            Advance();
            return 0;
        }
        if (FTok.Kind != TokKind::Number) Fail(u"Picture: a colour $AARRGGBB or None expected");
        int64_t c = -1;
        try {
            c = ParseIntText(FTok.Text);
        } catch (const Exception&) {
        }
        if (c < 0 || c > 0xFFFFFFFFll)
            Fail(u"Picture: " + FTok.Text + u" is not a colour $AARRGGBB");
        Advance();
        return uint32_t(c);
    }

    // A component's own fault with the bytes is reported at the property's line.
    bool Binary(TComponent& comp, const std::u16string& path, const std::vector<uint8_t>& bytes,
                int line) {
        try {
            return comp.ReadBinaryProperty(path, bytes);
        } catch (const Exception& e) {
            Fail(path + u": " + e.Message(), line);
        }
    }

    void Assign(TComponent& comp, const std::u16string& path, Value& v, int line) {
        std::vector<std::u16string> parts;
        for (std::size_t start = 0;;) {
            std::size_t dot = path.find(u'.', start);
            parts.push_back(path.substr(start, dot - start));
            if (dot == std::u16string::npos) break;
            start = dot + 1;
        }
        auto unknown = [&](const TObject& o, const std::u16string& part) {
            Fail(u"Unknown property " + part + u" of " + o.ClassName(), line);
        };
        TObject* obj = &comp;
        const TPropInfo* prop = nullptr;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            prop = obj->ClassType().FindProperty(parts[i]);
            if (!prop) {
                if (v.K != Value::Binary) unknown(*obj, parts[i]);
                // Custom binary properties are not published; the component knows them.
                if (!Binary(comp, path, v.Bytes, line))
                    Fail(u"Unknown binary property " + path + u" of " + comp.ClassName(), line);
                return;
            }
            if (i + 1 == parts.size()) break;
            if (prop->Kind != TTypeKind::tkClass || !prop->GetObject) unknown(*obj, parts[i + 1]);
            obj = prop->GetObject(*obj);
            if (!obj) Fail(u"Property " + parts[i] + u" holds no object", line);
        }
        if (v.K == Value::Binary) {
            if (!Binary(comp, path, v.Bytes, line))
                Fail(u"Property " + path + u" takes no binary value", line);
            return;
        }
        try {
            SetProperty(comp, *obj, *prop, parts.size() == 1, v, line);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            Fail(path + u": " + e.Message(), line);
        }
    }

    void SetProperty(TComponent& comp, TObject& obj, const TPropInfo& prop, bool direct,
                     const Value& v, int line) {
        const std::u16string& name = prop.Name;
        if (prop.Kind == TTypeKind::tkMethod) {
            if (!direct || v.K != Value::Ident) Fail(u"Event " + name + u" needs a handler name", line);
            FEvents.push_back({&comp, name, v.S, line});
            return;
        }
        if (prop.Kind == TTypeKind::tkClass) {
            if (v.K == Value::List) {
                auto* list = prop.GetObject ? dynamic_cast<TStrings*>(prop.GetObject(obj)) : nullptr;
                if (!list) Fail(u"Property " + name + u" is not a string list", line);
                list->Clear();
                for (const auto& s : v.Items) list->Add(s);
                return;
            }
            if (v.K != Value::Ident) Fail(u"Property " + name + u" needs a component name", line);
            if (!prop.SetObject) Fail(u"Property " + name + u" is read-only", line);
            if (SameTextAscii(v.S, u"nil"))
                prop.SetObject(obj, nullptr);
            else
                FRefs.push_back({&obj, &prop, v.S, line});
            return;
        }
        if (!prop.SetText) Fail(u"Property " + name + u" is read-only", line);
        if (IsStringKind(prop.Kind) != (v.K == Value::Str))
            Fail(IsStringKind(prop.Kind) ? u"Property " + name + u" needs a quoted string"
                                         : u"Property " + name + u" takes no string",
                 line);
        if (v.K == Value::List) Fail(u"Property " + name + u" takes no list", line);
        prop.SetText(obj, v.S);
    }

    void ResolveReferences() {
        for (const RefFixup& r : FRefs) {
            TComponent* target =
                SameTextAscii(r.Name, FRoot.Name()) ? &FRoot : FRoot.FindComponent(r.Name);
            if (!target) Fail(u"Component " + r.Name + u" not found", r.Line);
            try {
                r.Prop->SetObject(*r.Target, target);
            } catch (const Exception& e) {
                Fail(r.Prop->Name + u": " + e.Message(), r.Line);
            }
        }
    }

    void BindEvents() {
        for (const EventFixup& e : FEvents)
            if (!FRoot.BindEvent(e.Comp, e.Event, e.Handler))
                Fail(u"No handler " + e.Handler + u" for " + e.Comp->Name() + u"." + e.Event,
                     e.Line);
    }

    TComponent& FRoot;
    Lexer FLex;
    Token FTok;
    std::vector<TComponent*> FCreated;
    std::vector<RefFixup> FRefs;
    std::vector<EventFixup> FEvents;
    bool FLoadedStarted = false;
};

}  // namespace

void ReadComponentText(TComponent& Root, std::u16string_view Text) {
    RegisterStandardClasses();
    Reader r(Root, Text);
    try {
        r.Read();
    } catch (...) {
        // Once Loaded has begun the components are live; the fault is the caller's to show.
        if (!r.LoadedStarted()) r.Undo();
        throw;
    }
}

void ReadComponentUtf8(TComponent& Root, std::string_view Text) {
    if (Text.substr(0, 3) == "\xEF\xBB\xBF") Text.remove_prefix(3);
    ReadComponentText(Root, FromUtf8(Text));
}

void ReadComponentRes(TComponent& Root, const std::string& ResourceName) {
    auto data = platform::thePlatform().resources().FindResource(ResourceName);
    if (!data)
        throw EReadError(u"Resource %s not found", {FromUtf8(ResourceName)});
    ReadComponentUtf8(Root, std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
}

}  // namespace ui
