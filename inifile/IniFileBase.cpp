// The base INI classes: typed values over the string operations, and the plain profile file.
#include <vector>

#include "inifile/ProfileAccess.h"
#include "inifile/SafeIniFiles.h"
#include "platform/Platform.h"
#include "ui/Exceptions.h"
#include "ui/Text.h"

namespace inifile {

bool TCustomIniFile::SectionExists(const std::u16string& Section) {
    ui::TStringList keys;
    ReadSection(Section, keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const std::u16string& Section, const std::u16string& Ident) {
    ui::TStringList keys;
    ReadSection(Section, keys);
    for (int i = 0; i < keys.Count(); ++i)
        if (ui::SameText(keys.Strings(i), Ident)) return true;
    return false;
}

int32_t TCustomIniFile::ReadInteger(const std::u16string& Section, const std::u16string& Ident,
                                    int32_t Default) {
    std::u16string s = ReadString(Section, Ident, u"");
    if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) s = u"$" + s.substr(2);
    auto v = ParseIntegerText(s);
    return v ? *v : Default;
}

void TCustomIniFile::WriteInteger(const std::u16string& Section, const std::u16string& Ident,
                                  int32_t Value) {
    WriteString(Section, Ident, ui::IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const std::u16string& Section, const std::u16string& Ident,
                              bool Default) {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::u16string& Section, const std::u16string& Ident,
                               bool Value) {
    WriteString(Section, Ident, Value ? u"1" : u"0");
}

namespace {
template <class Parse>
TDateTime readParsed(TCustomIniFile& f, const std::u16string& Section,
                     const std::u16string& Name, TDateTime Default, Parse parse) {
    std::u16string s = f.ReadString(Section, Name, u"");
    if (s.empty()) return Default;
    auto v = parse(s);
    return v ? *v : Default;
}
}  // namespace

double TCustomIniFile::ReadFloat(const std::u16string& Section, const std::u16string& Name,
                                 double Default) {
    return readParsed(*this, Section, Name, Default, TextToFloat);
}
TDateTime TCustomIniFile::ReadDate(const std::u16string& Section, const std::u16string& Name,
                                   TDateTime Default) {
    return readParsed(*this, Section, Name, Default, TextToDate);
}
TDateTime TCustomIniFile::ReadDateTime(const std::u16string& Section,
                                       const std::u16string& Name, TDateTime Default) {
    return readParsed(*this, Section, Name, Default, TextToDateTime);
}
TDateTime TCustomIniFile::ReadTime(const std::u16string& Section, const std::u16string& Name,
                                   TDateTime Default) {
    return readParsed(*this, Section, Name, Default, TextToTime);
}
void TCustomIniFile::WriteFloat(const std::u16string& Section, const std::u16string& Name,
                                double Value) {
    WriteString(Section, Name, FloatToText(Value));
}
void TCustomIniFile::WriteDate(const std::u16string& Section, const std::u16string& Name,
                               TDateTime Value) {
    WriteString(Section, Name, DateToText(Value));
}
void TCustomIniFile::WriteDateTime(const std::u16string& Section, const std::u16string& Name,
                                   TDateTime Value) {
    WriteString(Section, Name, DateTimeToText(Value));
}
void TCustomIniFile::WriteTime(const std::u16string& Section, const std::u16string& Name,
                               TDateTime Value) {
    WriteString(Section, Name, TimeToText(Value));
}

namespace detail {

void FillList(const std::u16string& buf, uint32_t n, TStrings& Strings) {
    std::size_t p = 0;
    while (p < n && buf[p] != 0) {
        std::size_t e = buf.find(u'\0', p);
        Strings.Add(buf.substr(p, e - p));
        p = e + 1;
    }
}

std::u16string ReadList(const char16_t* section, uint32_t size, const std::u16string& file,
                        uint32_t& n) {
    for (;;) {
        std::u16string buf(size, u'\0');
        n = profiles().GetPrivateProfileString(section, nullptr, nullptr, buf.data(), size, file);
        // 2^30 characters: a list no file of ours can hold; stop growing before overflow.
        if (n < size - 2 || size >= 0x40000000u) return buf;
        size *= 4;
    }
}

}  // namespace detail

using detail::FillList;
using detail::profiles;
using detail::ReadList;

std::u16string TIniFile::ReadString(const std::u16string& Section, const std::u16string& Ident,
                                    const std::u16string& Default) {
    std::u16string buf(2048, u'\0');
    uint32_t n = profiles().GetPrivateProfileString(Section.c_str(), Ident.c_str(),
                                                    Default.c_str(), buf.data(), 2048, FileName());
    buf.resize(n);
    return buf;
}

void TIniFile::WriteString(const std::u16string& Section, const std::u16string& Ident,
                           const std::u16string& Value) {
    if (!profiles().WritePrivateProfileString(Section.c_str(), Ident.c_str(), Value.c_str(),
                                              FileName()))
        throw ui::EIniFileException(u"Unable to write to %s", {FileName()});
}

void TIniFile::ReadSection(const std::u16string& Section, TStrings& Strings) {
    uint32_t n = 0;
    std::u16string buf = ReadList(Section.c_str(), 1024, FileName(), n);
    Strings.Clear();
    FillList(buf, n, Strings);
}

void TIniFile::ReadSections(TStrings& Strings) {
    uint32_t n = 0;
    std::u16string buf = ReadList(nullptr, 16384, FileName(), n);
    Strings.Clear();
    FillList(buf, n, Strings);
}

void TIniFile::ReadSectionValues(const std::u16string& Section, TStrings& Strings) {
    ui::TStringList keys;
    ReadSection(Section, keys);
    Strings.Clear();
    for (int i = 0; i < keys.Count(); ++i)
        Strings.Add(keys.Strings(i) + u"=" + ReadString(Section, keys.Strings(i), u""));
}

void TIniFile::EraseSection(const std::u16string& Section) {
    if (!profiles().WritePrivateProfileString(Section.c_str(), nullptr, nullptr, FileName()))
        throw ui::EIniFileException(u"Unable to write to %s", {FileName()});
}

void TIniFile::DeleteKey(const std::u16string& Section, const std::u16string& Ident) {
    profiles().WritePrivateProfileString(Section.c_str(), Ident.c_str(), nullptr, FileName());
}

void TIniFile::UpdateFile() {
    profiles().WritePrivateProfileString(nullptr, nullptr, nullptr, FileName());
}

}  // namespace inifile
