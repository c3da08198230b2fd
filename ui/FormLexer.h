#pragma once
// Tokens of the form description text (see FormReader.cpp for the format).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ui::formtext {

enum class TokKind { End, Ident, Number, String, Binary, Symbol };

struct Token {
    TokKind Kind = TokKind::End;
    std::u16string Text;         // identifier, number, string value or the symbol
    std::vector<uint8_t> Bytes;  // Binary
    int Line = 0;
};

class Lexer {
public:
    explicit Lexer(std::u16string_view text) : FText(text) {}
    // Raises EReadError with the line number on a malformed token.
    Token Next();
    int Line() const { return FLine; }

private:
    void SkipBlanks();
    Token ReadString();
    Token ReadBinary();
    [[noreturn]] void Fail(std::u16string_view msg) const;
    std::u16string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
};

}  // namespace ui::formtext
