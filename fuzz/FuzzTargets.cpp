#include "fuzz/FuzzTargets.h"

#include <cstdlib>

#include "lang/DKLang.h"

namespace fuzz {

namespace {
// An invariant of the readers broke: stop loudly so the fuzzer keeps the input.
void Check(bool Condition) {
    if (!Condition) std::abort();
}
}  // namespace

void FuzzTranslationReader(const uint8_t* Data, std::size_t Size) {
    for (bool paramsOnly : {true, false}) {
        lang::TDKLang_CompTranslations t;
        lang::TBytesStream s(Data, Size);
        try {
            t.Text_LoadFromStream(s, paramsOnly);
        } catch (const ui::Exception&) {
            continue;  // "Loading translations failed." with its line: the expected refusal
        }
        if (paramsOnly) Check(t.Count() == 0 && t.Constants().Count() == 0);
        // Whatever was read can be written, and the written text reads again; a section
        // named by blanks alone ("[ ]") is written as "[]", which no reader takes for one.
        bool blankSection = false;
        for (int i = 0; i < t.Count(); ++i) blankSection |= t.Items(i).ComponentName().empty();
        if (blankSection) continue;
        lang::TBytesStream out;
        t.Text_SaveToStream(out, true, false);
        lang::TDKLang_CompTranslations back;
        try {
            back.Text_LoadFromStream(out);
        } catch (const ui::Exception&) {
            Check(false);
        }
        Check(back.Constants().Count() == t.Constants().Count());
        (void)lang::StrToIntDef(lang::ParamValue(t.Params(), u"LANGID"), 0);
    }
}

void FuzzConstantsStream(const uint8_t* Data, std::size_t Size) {
    lang::TDKLang_Constants c;
    lang::TBytesStream s(Data, Size);
    try {
        c.LoadFromStream(s);
    } catch (const ui::Exception&) {
        return;  // version, name or read errors
    }
    lang::TDKLang_Constants back;
    back.SetAsRawString(c.AsRawString());
    Check(back.Count() == c.Count());
    for (int i = 0; i < c.Count(); ++i)
        Check(back.GetValues(c.Items(i).wsName) == c.Items(i).wsValue);
}

void FuzzLangDataReader(const uint8_t* Data, std::size_t Size) {
    lang::TDKLang_CompEntry root(nullptr);
    lang::TBytesStream s(Data, Size);
    try {
        root.LoadFromDFMResource(s);
    } catch (const ui::Exception&) {
        return;  // ends early or nests too deeply
    }
    Check(s.Position() <= Size);
    // Saving is stable: what was written once reads back into the same bytes.
    try {
        lang::TBytesStream first;
        root.SaveToDFMResource(first);
        lang::TDKLang_CompEntry again(nullptr);
        lang::TBytesStream in(first.Bytes());
        again.LoadFromDFMResource(in);
        lang::TBytesStream second;
        again.SaveToDFMResource(second);
        Check(first.Bytes() == second.Bytes());
    } catch (const ui::Exception&) {
        // Names that grew past 65,535 bytes when invalid UTF-8 became U+FFFD cannot be saved.
    }
    ui::TStringList lines;
    root.WriteLangSource(lines);
}

}  // namespace fuzz
