#include "platform/linux/ProfileText.h"

#include <unordered_set>

#include "platform/ProfileFiles.h"
#include "ui/Text.h"

namespace platform::profile {
namespace {

constexpr std::size_t npos = std::string::npos;

bool blank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view trimBytes(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && blank(s[b])) ++b;
    while (e > b && blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::u16string_view orEmpty(const char16_t* p) { return p ? std::u16string_view(p) : u""; }

}  // namespace

std::u16string_view TrimBlanks(std::u16string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] <= u' ') ++b;
    while (e > b && s[e - 1] <= u' ') --e;
    return s.substr(b, e - b);
}

bool SameName(std::u16string_view a, std::u16string_view b) { return ui::SameText(a, b); }

IniText::Line IniText::parseLine(std::string raw, std::string eol) {
    Line l;
    l.raw = std::move(raw);
    l.eol = std::move(eol);
    std::string_view t = trimBytes(l.raw);
    if (t.empty() || t[0] == ';') return l;
    if (t[0] == '[') {
        std::string_view inner = t.substr(1);
        std::size_t close = inner.find(']');
        if (close != npos) inner = inner.substr(0, close);
        l.kind = Kind::Section;
        l.name = ui::FromUtf8(trimBytes(inner));
        return l;
    }
    std::size_t eq = l.raw.find('=');
    if (eq == npos) return l;
    std::string_view k = trimBytes(std::string_view(l.raw).substr(0, eq));
    if (k.empty()) return l;
    l.kind = Kind::Key;
    l.name = ui::FromUtf8(k);
    l.valueAt = eq + 1;
    return l;
}

IniText::IniText(std::string_view bytes) {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        FBom = true;
        bytes.remove_prefix(3);
    }
    bool eolSeen = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        std::string_view body = bytes.substr(pos, nl == npos ? npos : nl - pos);
        std::string eol;
        if (nl != npos) {
            eol = "\n";
            if (!body.empty() && body.back() == '\r') {
                body.remove_suffix(1);
                eol = "\r\n";
            }
            if (!eolSeen) FEol = eol;
            eolSeen = true;
        }
        FLines.push_back(parseLine(std::string(body), std::move(eol)));
        pos = nl == npos ? bytes.size() : nl + 1;
    }
}

std::size_t IniText::findSection(std::u16string_view section) const {
    std::u16string_view want = TrimBlanks(section);
    for (std::size_t i = 0; i < FLines.size(); ++i)
        if (FLines[i].kind == Kind::Section && SameName(FLines[i].name, want)) return i;
    return npos;
}

std::size_t IniText::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < FLines.size() && FLines[i].kind != Kind::Section) ++i;
    return i;
}

std::size_t IniText::findKey(std::size_t header, std::u16string_view key) const {
    std::u16string_view want = TrimBlanks(key);
    std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (FLines[i].kind == Kind::Key && SameName(FLines[i].name, want)) return i;
    return npos;
}

std::optional<std::u16string> IniText::Value(std::u16string_view section,
                                             std::u16string_view key) const {
    std::size_t s = findSection(section);
    if (s == npos) return std::nullopt;
    std::size_t k = findKey(s, key);
    if (k == npos) return std::nullopt;
    const Line& l = FLines[k];
    std::string_view v = trimBytes(std::string_view(l.raw).substr(l.valueAt));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return ui::FromUtf8(v);
}

std::vector<std::u16string> IniText::Keys(std::u16string_view section) const {
    std::vector<std::u16string> r;
    std::size_t s = findSection(section);
    if (s == npos) return r;
    std::size_t end = sectionEnd(s);
    for (std::size_t i = s + 1; i < end; ++i)
        if (FLines[i].kind == Kind::Key) r.push_back(FLines[i].name);
    return r;
}

std::vector<std::u16string> IniText::Sections() const {
    std::vector<std::u16string> r;
    std::unordered_set<std::u16string> seen;
    for (const Line& l : FLines) {
        if (l.kind != Kind::Section) continue;
        std::u16string folded = l.name;
        for (char16_t& c : folded) c = ui::UpperChar(c);
        if (seen.insert(std::move(folded)).second) r.push_back(l.name);
    }
    return r;
}

void IniText::ensureLastLineEnded() {
    if (!FLines.empty() && FLines.back().eol.empty()) FLines.back().eol = FEol;
}

bool IniText::SetValue(std::u16string_view section, std::u16string_view key,
                       std::u16string_view value) {
    std::string v = ui::ToUtf8(value);
    std::size_t s = findSection(section);
    if (s == npos) {
        ensureLastLineEnded();
        FLines.push_back(parseLine("[" + ui::ToUtf8(TrimBlanks(section)) + "]", FEol));
        FLines.push_back(parseLine(ui::ToUtf8(TrimBlanks(key)) + "=" + v, FEol));
        return true;
    }
    std::size_t k = findKey(s, key);
    if (k != npos) {
        Line& l = FLines[k];
        // Keeps the stored spelling of the name and the blanks around '='.
        std::size_t at = l.valueAt;
        while (at < l.raw.size() && (l.raw[at] == ' ' || l.raw[at] == '\t')) ++at;
        std::string raw = l.raw.substr(0, at) + v;
        if (raw == l.raw) return false;
        l.raw = std::move(raw);
        return true;
    }
    std::size_t end = sectionEnd(s), at = s + 1;
    for (std::size_t i = s + 1; i < end; ++i)
        if (FLines[i].kind == Kind::Key) at = i + 1;
    if (at == FLines.size()) ensureLastLineEnded();
    FLines.insert(FLines.begin() + std::ptrdiff_t(at),
                  parseLine(ui::ToUtf8(TrimBlanks(key)) + "=" + v, FEol));
    return true;
}

bool IniText::DeleteKey(std::u16string_view section, std::u16string_view key) {
    std::size_t s = findSection(section);
    if (s == npos) return false;
    bool changed = false;
    // Every line of that name in the section goes, so no hidden duplicate surfaces later.
    for (std::size_t k; (k = findKey(s, key)) != npos; changed = true)
        FLines.erase(FLines.begin() + std::ptrdiff_t(k));
    return changed;
}

bool IniText::DeleteSection(std::u16string_view section) {
    bool changed = false;
    for (std::size_t s; (s = findSection(section)) != npos; changed = true)
        FLines.erase(FLines.begin() + std::ptrdiff_t(s),
                     FLines.begin() + std::ptrdiff_t(sectionEnd(s)));
    return changed;
}

std::string IniText::Bytes() const {
    std::string out;
    std::size_t n = FBom ? 3 : 0;
    for (const Line& l : FLines) n += l.raw.size() + l.eol.size();
    out.reserve(n);
    if (FBom) out = "\xEF\xBB\xBF";
    for (const Line& l : FLines) {
        out += l.raw;
        out += l.eol;
    }
    return out;
}

uint32_t CheckWrite(const char16_t* section, const char16_t* key, const char16_t* value) {
    if (!section) return key || value ? ERROR_INVALID_PARAMETER : 0;
    std::u16string_view s(section);
    if (s.find_first_of(u"]\r\n") != std::u16string_view::npos) return ERROR_INVALID_PARAMETER;
    if (!key) return value ? ERROR_INVALID_PARAMETER : 0;
    std::u16string_view k = TrimBlanks(key);
    if (k.empty() || k[0] == u'[' || k[0] == u';' ||
        k.find_first_of(u"=\r\n") != std::u16string_view::npos)
        return ERROR_INVALID_PARAMETER;
    if (value && std::u16string_view(value).find_first_of(u"\r\n") != std::u16string_view::npos)
        return ERROR_INVALID_PARAMETER;
    return 0;
}

namespace {

uint32_t copyValue(std::u16string_view v, char16_t* buffer, uint32_t size) {
    if (size == 0 || !buffer) return 0;
    std::size_t n = v.size() < size - 1 ? v.size() : size - 1;
    v.copy(buffer, n);
    buffer[n] = 0;
    return uint32_t(n);
}

uint32_t copyList(const std::vector<std::u16string>& names, char16_t* buffer, uint32_t size) {
    if (size == 0 || !buffer) return 0;
    std::size_t total = 0;
    for (const auto& n : names) total += n.size() + 1;
    if (total + 1 <= size) {
        std::size_t at = 0;
        for (const auto& n : names) {
            n.copy(buffer + at, n.size());
            at += n.size();
            buffer[at++] = 0;
        }
        buffer[at] = 0;
        if (at + 1 < size) buffer[at + 1] = 0;
        return uint32_t(total);
    }
    if (size < 2) {
        buffer[0] = 0;
        return 0;
    }
    std::size_t room = size - 2, at = 0;
    for (const auto& n : names) {
        if (at >= room) break;
        std::size_t take = n.size() < room - at ? n.size() : room - at;
        n.copy(buffer + at, take);
        at += take;
        if (at < room) buffer[at++] = 0;
    }
    buffer[size - 2] = 0;
    buffer[size - 1] = 0;
    return size - 2;
}

}  // namespace

uint32_t GetString(const std::string* file, const char16_t* section, const char16_t* key,
                   const char16_t* def, char16_t* buffer, uint32_t size) {
    if (!section) {
        std::vector<std::u16string> none;
        return copyList(file ? IniText(*file).Sections() : none, buffer, size);
    }
    if (!key) {
        std::vector<std::u16string> none;
        return copyList(file ? IniText(*file).Keys(section) : none, buffer, size);
    }
    if (file) {
        if (auto v = IniText(*file).Value(section, key)) return copyValue(*v, buffer, size);
    }
    std::u16string_view d = orEmpty(def);
    while (!d.empty() && d.back() <= u' ') d.remove_suffix(1);
    return copyValue(d, buffer, size);
}

bool PutString(std::string& file, const char16_t* section, const char16_t* key,
               const char16_t* value) {
    IniText t(file);
    bool changed = !key ? t.DeleteSection(section)
                   : !value ? t.DeleteKey(section, key)
                            : t.SetValue(section, key, value);
    if (changed) file = t.Bytes();
    return changed;
}

}  // namespace platform::profile
