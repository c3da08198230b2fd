#include "ui/FormLexer.h"

#include "ui/Exceptions.h"

namespace ui::formtext {

namespace {
bool isIdentStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}
bool isIdentPart(char16_t c) { return isIdentStart(c) || (c >= u'0' && c <= u'9') || c == u'.'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}
}  // namespace

void Lexer::Fail(std::u16string_view msg) const {
    throw EReadError(u"Line %d: %s", {FLine, std::u16string(msg)});
}

void Lexer::SkipBlanks() {
    while (FPos < FText.size()) {
        char16_t c = FText[FPos];
        if (c == u'\n') {
            ++FLine;
            ++FPos;
        } else if (c == u' ' || c == u'\t' || c == u'\r' || c == 0xFEFF) {
            ++FPos;
        } else if (c == u'#' || (c == u'/' && FPos + 1 < FText.size() && FText[FPos + 1] == u'/')) {
            while (FPos < FText.size() && FText[FPos] != u'\n') ++FPos;
        } else {
            break;
        }
    }
}

Token Lexer::Next() {
    SkipBlanks();
    Token t;
    t.Line = FLine;
    if (FPos >= FText.size()) return t;
    char16_t c = FText[FPos];
    std::size_t start = FPos;
    if (isIdentStart(c)) {
        while (FPos < FText.size() && isIdentPart(FText[FPos])) ++FPos;
        t.Kind = TokKind::Ident;
        t.Text = FText.substr(start, FPos - start);
        if (t.Text.back() == u'.' || t.Text.find(u"..") != std::u16string::npos)
            Fail(u"Malformed name '" + t.Text + u"'");
        return t;
    }
    if (isDigit(c) || c == u'$' || ((c == u'-' || c == u'+') && FPos + 1 < FText.size() &&
                                    (isDigit(FText[FPos + 1]) || FText[FPos + 1] == u'$'))) {
        ++FPos;
        while (FPos < FText.size() && (hexValue(FText[FPos]) >= 0 || FText[FPos] == u'x' ||
                                       FText[FPos] == u'X' || FText[FPos] == u'$'))
            ++FPos;
        t.Kind = TokKind::Number;
        t.Text = FText.substr(start, FPos - start);
        return t;
    }
    if (c == u'"') return ReadString();
    if (c == u'{') return ReadBinary();
    if (std::u16string_view(u"=:[](),+").find(c) != std::u16string_view::npos) {
        ++FPos;
        t.Kind = TokKind::Symbol;
        t.Text = std::u16string(1, c);
        return t;
    }
    Fail(u"Unexpected character '" + std::u16string(1, c) + u"'");
}

Token Lexer::ReadString() {
    Token t;
    t.Kind = TokKind::String;
    t.Line = FLine;
    ++FPos;  // opening quote
    for (;;) {
        if (FPos >= FText.size() || FText[FPos] == u'\n') Fail(u"Unterminated string");
        char16_t c = FText[FPos++];
        if (c == u'"') return t;
        if (c != u'\\') {
            t.Text += c;
            continue;
        }
        if (FPos >= FText.size()) Fail(u"Unterminated string");
        char16_t e = FText[FPos++];
        switch (e) {
            case u'"': t.Text += u'"'; break;
            case u'\\': t.Text += u'\\'; break;
            case u'n': t.Text += u'\n'; break;
            case u'r': t.Text += u'\r'; break;
            case u't': t.Text += u'\t'; break;
            case u'u': {
                // Exactly four hex digits: one UTF-16 code unit, so any text can be written.
                unsigned v = 0;
                for (int i = 0; i < 4; ++i) {
                    int h = FPos < FText.size() ? hexValue(FText[FPos]) : -1;
                    if (h < 0) Fail(u"\\u needs four hex digits");
                    v = v * 16 + unsigned(h);
                    ++FPos;
                }
                t.Text += char16_t(v);
                break;
            }
            default:
                Fail(u"Unknown escape '\\" + std::u16string(1, e) + u"'");
        }
    }
}

Token Lexer::ReadBinary() {
    Token t;
    t.Kind = TokKind::Binary;
    t.Line = FLine;
    ++FPos;  // opening brace
    int high = -1;
    for (;;) {
        if (FPos >= FText.size()) Fail(u"Unterminated binary value");
        char16_t c = FText[FPos++];
        if (c == u'}') break;
        if (c == u'\n') {
            ++FLine;
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\r') continue;
        int h = hexValue(c);
        if (h < 0) Fail(u"Binary values are hex digits");
        if (high < 0) {
            high = h;
        } else {
            t.Bytes.push_back(uint8_t(high * 16 + h));
            high = -1;
        }
    }
    if (high >= 0) Fail(u"Binary value with an odd number of hex digits");
    return t;
}

}  // namespace ui::formtext
