// Typed values: floats, dates and times, colours, fonts, rectangles, points and lists.
#include "inifile/IniContext.h"
#include "inifile/SafeIniFiles.h"
#include "ui/Text.h"

namespace inifile {

using detail::WithContext;

namespace {
constexpr char16_t kListDefault[] = u"<@default@>";
constexpr int32_t kScanThreshold = 1024;  // items; see the chunk reader

// An empty text or one that does not convert gives the default. The parse raises nothing, so
// only errors of the read itself pass, under the context of ReadString alone.
template <class Parse>
TDateTime readTyped(TSafeIniFile& f, const std::u16string& Section, const std::u16string& Name,
                    double Default, Parse parse) {
    std::u16string s = f.ReadString(Section, Name, u"");
    if (s.empty()) return Default;
    auto v = parse(s);
    return v ? *v : Default;
}
}  // namespace

double TSafeIniFile::ReadFloat(const std::u16string& Section, const std::u16string& Name,
                               double Default) {
    return readTyped(*this, Section, Name, Default, TextToFloat);
}

void TSafeIniFile::WriteFloat(const std::u16string& Section, const std::u16string& Name,
                              double Value) {
    WithContext(u"TSafeIniFile.WriteFloat",
                [&] { WriteString(Section, Name, FloatToText(Value)); });
}

TDateTime TSafeIniFile::ReadDate(const std::u16string& Section, const std::u16string& Name,
                                 TDateTime Default) {
    return readTyped(*this, Section, Name, Default, TextToDate);
}

TDateTime TSafeIniFile::ReadDateTime(const std::u16string& Section, const std::u16string& Name,
                                     TDateTime Default) {
    return readTyped(*this, Section, Name, Default, TextToDateTime);
}

TDateTime TSafeIniFile::ReadTime(const std::u16string& Section, const std::u16string& Name,
                                 TDateTime Default) {
    return readTyped(*this, Section, Name, Default, TextToTime);
}

void TSafeIniFile::WriteDate(const std::u16string& Section, const std::u16string& Name,
                             TDateTime Value) {
    WithContext(u"TSafeIniFile.WriteDate", [&] { WriteString(Section, Name, DateToText(Value)); });
}

void TSafeIniFile::WriteDateTime(const std::u16string& Section, const std::u16string& Name,
                                 TDateTime Value) {
    WithContext(u"TSafeIniFile.WriteDateTime",
                [&] { WriteString(Section, Name, DateTimeToText(Value)); });
}

void TSafeIniFile::WriteTime(const std::u16string& Section, const std::u16string& Name,
                             TDateTime Value) {
    WithContext(u"TSafeIniFile.WriteTime", [&] { WriteString(Section, Name, TimeToText(Value)); });
}

void TSafeIniFile::WriteColor(const std::u16string& Section, const std::u16string& Ident,
                              TColor Value) {
    WriteString(Section, Ident, ColorToText(Value));
}

TColor TSafeIniFile::ReadColor(const std::u16string& Section, const std::u16string& Ident,
                               TColor Default) {
    try {
        return TextToColor(ReadString(Section, Ident, ColorToText(Default)));
    } catch (...) {
        return Default;
    }
}

void TSafeIniFile::WriteFont(const std::u16string& Section, const std::u16string& Ident,
                             TFont& Font) {
    WithContext(u"TSafeIniFile.WriteFont",
                [&] { WriteString(Section, Ident, FontToText(Font)); });
}

TFont& TSafeIniFile::ReadFont(const std::u16string& Section, const std::u16string& Ident,
                              TFont& Font) {
    try {
        TextToFont(ReadString(Section, Ident, FontToText(Font)), Font);
    } catch (...) {
        // What could be applied stays applied; a bad font text never stops a load.
    }
    return Font;
}

void TSafeIniFile::WriteRect(const std::u16string& Section, const std::u16string& Ident,
                             const TRect& Value) {
    WithContext(u"TSafeIniFile.WriteRect", [&] { WriteString(Section, Ident, RectToText(Value)); });
}

TRect TSafeIniFile::ReadRect(const std::u16string& Section, const std::u16string& Ident,
                             const TRect& Default) {
    return TextToRect(ReadString(Section, Ident, RectToText(Default)), Default);
}

void TSafeIniFile::WritePoint(const std::u16string& Section, const std::u16string& Ident,
                              const TPoint& Value) {
    WithContext(u"TSafeIniFile.WritePoint",
                [&] { WriteString(Section, Ident, PointToText(Value)); });
}

TPoint TSafeIniFile::ReadPoint(const std::u16string& Section, const std::u16string& Ident,
                               const TPoint& Default) {
    return TextToPoint(ReadString(Section, Ident, PointToText(Default)), Default);
}

void TSafeIniFile::WriteList(const std::u16string& Section, TStrings& List) {
    WithContext(u"TSafeIniFile.WriteList", [&] {
        EraseSection(Section);
        WriteInteger(Section, u"Count", List.Count());
        for (int i = 0; i < List.Count(); ++i) {
            std::u16string key = FListItemName + ui::IntToStr(i);
            WriteString(Section, key, List.Strings(i));
            DoWriteObject(Section, key, i, static_cast<TObject*>(List.Objects(i)));
        }
    });
}

void TSafeIniFile::DoWriteObject(const std::u16string& Section, const std::u16string& Item,
                                 int32_t /*Index*/, TObject* Obj) {
    if (OnWriteObject) OnWriteObject(this, Section, Item, Obj);
}

TObject* TSafeIniFile::DoReadObject(const std::u16string& Section, const std::u16string& Item,
                                    const std::u16string& Value) {
    return OnReadObject ? OnReadObject(this, Section, Item, Value) : nullptr;
}

TStrings& TSafeIniFile::ReadListParam(const std::u16string& Section, bool Append,
                                      TStrings& List) {
    int32_t n = ReadInteger(Section, u"Count", -1);
    if (n < 0) return List;
    if (!Append) List.Clear();
    auto readItem = [&](int32_t i) {
        std::u16string key = FListItemName + ui::IntToStr(i);
        std::u16string v = ReadString(Section, key, kListDefault);
        if (v != kListDefault) List.AddObject(v, DoReadObject(Section, key, v));
    };
    if (n <= kScanThreshold) {
        for (int32_t i = 0; i < n; ++i) readItem(i);
    } else {
        // A huge count: only the items present can be added, so only those are read.
        for (int32_t i : PresentNumbers(Section, FListItemName, 0, n - 1)) readItem(i);
    }
    return List;
}

TStrings& TSafeIniFile::ReadList(const std::u16string& Section, TStrings& List) {
    return ReadListParam(Section, true, List);
}

}  // namespace inifile
