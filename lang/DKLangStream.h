#pragma once
// Byte streams and character helpers shared by the localisation readers and writers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Exceptions.h"

namespace lang {

// A resource asked for by name or number that the executable does not carry.
class EResNotFound : public ui::Exception {
public:
    using Exception::Exception;
};
// A file that cannot be opened for reading or created for writing.
class EFOpenError : public ui::Exception {
public:
    using Exception::Exception;
};
class EFCreateError : public ui::Exception {
public:
    using Exception::Exception;
};

// An in-memory stream with a position. Reading past the end raises ui::EReadError and leaves
// the position where it was.
class TBytesStream {
public:
    TBytesStream() = default;
    explicit TBytesStream(std::vector<uint8_t> Bytes) : FBytes(std::move(Bytes)) {}
    TBytesStream(const uint8_t* Data, std::size_t Size) : FBytes(Data, Data + Size) {}

    const std::vector<uint8_t>& Bytes() const { return FBytes; }
    std::size_t Size() const { return FBytes.size(); }
    std::size_t Position() const { return FPosition; }
    void SetPosition(std::size_t Pos) { FPosition = Pos < FBytes.size() ? Pos : FBytes.size(); }
    std::size_t Remaining() const { return FBytes.size() - FPosition; }

    void ReadBuffer(void* Dest, std::size_t Count);
    uint8_t ReadByte();
    uint16_t ReadUInt16();
    int32_t ReadInt32();
    // A byte count (16 bits) followed by that many UTF-8 bytes.
    std::u16string ReadUtf8String();
    // A code-unit count (16 bits) followed by that many UTF-16 little-endian units.
    std::u16string ReadUtf16String();

    void WriteBuffer(const void* Src, std::size_t Count);
    void WriteByte(uint8_t B) { WriteBuffer(&B, 1); }
    void WriteUInt16(uint16_t V);
    void WriteInt32(int32_t V);
    // Both raise ui::EDKLangError when the text does not fit its 16-bit count.
    void WriteUtf8String(std::u16string_view S);
    void WriteUtf16String(std::u16string_view S);

private:
    std::vector<uint8_t> FBytes;
    std::size_t FPosition = 0;
};

// Any Unicode letter / decimal digit of the Basic Multilingual Plane, by code unit.
bool IsUnicodeLetter(char16_t C);
bool IsUnicodeDigit(char16_t C);

// The 8-bit code page of files without a byte-order mark: Windows-1252, the Western
// European code page the translations were traditionally saved in.
std::u16string AnsiToUnicode(std::string_view S);
// Characters the code page lacks become '?'.
std::string UnicodeToAnsi(std::u16string_view S);

// Reads an integer the way the translation files write numbers: optional sign, then decimal
// digits, or hexadecimal after "$" or "0x". Returns Default for anything else, also when the
// number does not fit 32 bits.
int32_t StrToIntDef(std::u16string_view S, int32_t Default);

}  // namespace lang
