#include "ui/Exceptions.h"

#include <cstdio>
#include <vector>

#include "ui/Text.h"

namespace ui {

Exception::Exception(std::u16string message) { SetMessage(std::move(message)); }

void Exception::SetMessage(std::u16string m) {
    FMessage = std::move(m);
    FUtf8 = ToUtf8(FMessage);
}

std::u16string Format(std::u16string_view fmt, std::initializer_list<FmtArg> args) {
    std::u16string out;
    auto it = args.begin();
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        char16_t c = fmt[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i + 1 < fmt.size() && fmt[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        std::string pattern = "%";
        std::size_t j = i + 1;
        while (j < fmt.size() && (fmt[j] == u'-' || fmt[j] == u'0' || fmt[j] == u'.' ||
                                  (fmt[j] >= u'1' && fmt[j] <= u'9')))
            pattern += static_cast<char>(fmt[j++]);
        if (j >= fmt.size()) throw EConvertError(u"Format '" + std::u16string(fmt) + u"' invalid");
        char conv = static_cast<char>(fmt[j]);
        if (it == args.end())
            throw EConvertError(u"Format '" + std::u16string(fmt) + u"' invalid or incompatible with argument");
        const FmtArg& a = *it++;
        char buf[512];
        switch (conv) {
            case 's': {
                std::u16string s;
                if (auto p = std::get_if<std::u16string>(&a.v))
                    s = *p;
                else if (auto q = std::get_if<int64_t>(&a.v))
                    s = IntToStr(*q);
                else if (auto u = std::get_if<uint64_t>(&a.v))
                    s = FromUtf8(std::to_string(*u));
                else
                    s = FromUtf8(std::to_string(std::get<double>(a.v)));
                // width and precision as printf does for %s
                int width = 0, prec = -1;
                bool left = pattern.find('-') != std::string::npos;
                std::size_t dot = pattern.find('.');
                std::string w = pattern.substr(1, dot == std::string::npos ? std::string::npos : dot - 1);
                for (char ch : w)
                    if (ch >= '0' && ch <= '9') width = width * 10 + (ch - '0');
                if (dot != std::string::npos) prec = std::atoi(pattern.c_str() + dot + 1);
                if (prec >= 0 && s.size() > std::size_t(prec)) s.resize(prec);
                if (s.size() < std::size_t(width)) {
                    std::u16string pad(width - s.size(), u' ');
                    s = left ? s + pad : pad + s;
                }
                out += s;
                break;
            }
            case 'd':
            case 'u':
            case 'x':
            case 'X': {
                long long v;
                if (auto q = std::get_if<int64_t>(&a.v))
                    v = *q;
                else if (auto u = std::get_if<uint64_t>(&a.v))
                    v = static_cast<long long>(*u);
                else
                    throw EConvertError(u"Format '" + std::u16string(fmt) + u"' invalid or incompatible with argument");
                std::string f = pattern + (conv == 'd' ? "lld" : conv == 'u' ? "llu" : conv == 'x' ? "llx" : "llX");
                if (conv == 'x' || conv == 'X' || conv == 'u')
                    std::snprintf(buf, sizeof buf, f.c_str(), static_cast<unsigned long long>(
                        (conv != 'u' && std::holds_alternative<int64_t>(a.v) && v < 0 && v >= INT32_MIN)
                            ? static_cast<uint32_t>(v) : static_cast<unsigned long long>(v)));
                else
                    std::snprintf(buf, sizeof buf, f.c_str(), v);
                out += FromUtf8(buf);
                break;
            }
            case 'e':
            case 'f':
            case 'g': {
                double v;
                if (auto d = std::get_if<double>(&a.v))
                    v = *d;
                else if (auto q = std::get_if<int64_t>(&a.v))
                    v = double(*q);
                else if (auto u = std::get_if<uint64_t>(&a.v))
                    v = double(*u);
                else
                    throw EConvertError(u"Format '" + std::u16string(fmt) + u"' invalid or incompatible with argument");
                std::snprintf(buf, sizeof buf, (pattern + conv).c_str(), v);
                out += FromUtf8(buf);
                break;
            }
            default:
                throw EConvertError(u"Format '" + std::u16string(fmt) + u"' invalid or incompatible with argument");
        }
        i = j;
    }
    return out;
}

}  // namespace ui
