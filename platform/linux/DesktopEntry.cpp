#include "platform/linux/DesktopEntry.h"

namespace platform::linux_ {

std::string escapeDesktopValue(std::string_view s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        switch (c) {
            case '\\': r += "\\\\"; break;
            case '\n': r += "\\n"; break;
            case '\t': r += "\\t"; break;
            case '\r': r += "\\r"; break;
            // A leading space would be trimmed by readers.
            case ' ': r += i == 0 ? "\\s" : " "; break;
            default: r += c;
        }
    }
    return r;
}

std::string unescapeDesktopValue(std::string_view s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            r += s[i];
            continue;
        }
        switch (s[++i]) {
            case 's': r += ' '; break;
            case 'n': r += '\n'; break;
            case 't': r += '\t'; break;
            case 'r': r += '\r'; break;
            case '\\': r += '\\'; break;
            default: r += '\\'; r += s[i];
        }
    }
    return r;
}

std::string quoteExecArg(std::string_view arg) {
    static constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    bool quote = arg.empty() || arg.find_first_of(reserved) != std::string_view::npos;
    std::string r;
    if (quote) r += '"';
    for (char c : arg) {
        if (c == '%') {
            r += "%%";
            continue;
        }
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) r += '\\';
        r += c;
    }
    if (quote) r += '"';
    return r;
}

std::optional<std::vector<std::string>> splitExec(std::string_view exec) {
    std::vector<std::string> args;
    std::string cur;
    bool inArg = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        char c = exec[i];
        if (c == ' ' || c == '\t') {
            if (inArg) args.push_back(std::move(cur));
            cur.clear();
            inArg = false;
        } else if (c == '"') {
            inArg = true;
            for (++i;; ++i) {
                if (i >= exec.size()) return std::nullopt;
                if (exec[i] == '"') break;
                if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
                cur += exec[i];
            }
        } else {
            inArg = true;
            cur += c;
        }
    }
    if (inArg) args.push_back(std::move(cur));
    // "%%" stands for one '%', inside quotes or not.
    for (auto& a : args)
        for (size_t p = a.find("%%"); p != std::string::npos; p = a.find("%%", p + 1))
            a.erase(p, 1);
    return args;
}

std::optional<std::string> desktopEntryValue(std::string_view file, std::string_view key) {
    bool inGroup = false;
    std::optional<std::string> found;
    size_t pos = 0;
    while (pos <= file.size()) {
        size_t end = file.find('\n', pos);
        if (end == std::string_view::npos) end = file.size();
        std::string_view line = file.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inGroup) continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view k = line.substr(0, eq), v = line.substr(eq + 1);
        while (!k.empty() && (k.back() == ' ' || k.back() == '\t')) k.remove_suffix(1);
        while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
        if (k == key && !found) found = unescapeDesktopValue(v);
    }
    return found;
}

}  // namespace platform::linux_
