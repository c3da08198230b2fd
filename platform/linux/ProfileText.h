#pragma once
// The INI text engine behind the profile-file operations: parses the bytes of a file, answers
// queries and makes changes that keep every line it does not touch byte for byte. Standard C++
// only, so the Linux backend, the test fake and the fuzz target share it.
//
// File format: UTF-8 (a leading byte-order mark is kept), lines ended by LF or CR LF (new lines
// take the file's first line end, LF for a new file). "[name]" starts a section; "key=value"
// inside a section is a key; lines starting with ';' and lines without '=' are kept but are no
// keys. Names match ignoring case; the first section and the first key of a name count.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::profile {

class IniText {
public:
    explicit IniText(std::string_view bytes);

    // The stored value with blanks trimmed and one pair of matching outer quotes removed.
    std::optional<std::u16string> Value(std::u16string_view section,
                                        std::u16string_view key) const;
    std::vector<std::u16string> Keys(std::u16string_view section) const;
    std::vector<std::u16string> Sections() const;

    // Each returns true when the text changed.
    bool SetValue(std::u16string_view section, std::u16string_view key,
                  std::u16string_view value);
    bool DeleteKey(std::u16string_view section, std::u16string_view key);
    bool DeleteSection(std::u16string_view section);

    std::string Bytes() const;

private:
    enum class Kind : uint8_t { Other, Section, Key };
    struct Line {
        std::string raw;   // without its line end
        std::string eol;   // "\n", "\r\n" or "" for a last line without one
        Kind kind = Kind::Other;
        std::u16string name;  // section or key name, trimmed
        std::size_t valueAt = 0;  // key lines: byte offset behind '='
    };
    static Line parseLine(std::string raw, std::string eol);
    // Index of the first section header of that name, or npos.
    std::size_t findSection(std::u16string_view section) const;
    // End (exclusive) of the section whose header is at `header`.
    std::size_t sectionEnd(std::size_t header) const;
    std::size_t findKey(std::size_t header, std::u16string_view key) const;
    void ensureLastLineEnded();

    bool FBom = false;
    std::string FEol = "\n";
    std::vector<Line> FLines;
};

// Blanks and control characters (code <= 32) removed at both ends.
std::u16string_view TrimBlanks(std::u16string_view s);
bool SameName(std::u16string_view a, std::u16string_view b);

// 0 when the arguments of a write can be stored without changing the file's structure,
// ERROR_INVALID_PARAMETER otherwise (line breaks, '=' or a leading '[' or ';' in a key, ']' in a
// section name, an empty key, a key without a section).
uint32_t CheckWrite(const char16_t* section, const char16_t* key, const char16_t* value);

// The whole read contract over a file's bytes (null: no file), with its buffer-size rules.
uint32_t GetString(const std::string* file, const char16_t* section, const char16_t* key,
                   const char16_t* def, char16_t* buffer, uint32_t size);
// Applies a write (CheckWrite passed, not the flush form) to `file`, which is empty for a
// missing file. True when the bytes changed.
bool PutString(std::string& file, const char16_t* section, const char16_t* key,
               const char16_t* value);

}  // namespace platform::profile
