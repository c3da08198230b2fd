#pragma once
// The settings file: an INI file whose every operation is serialised across threads and
// processes by a named lock, with line-break encoding, long values split into chunks with a
// hash check, wide strings and typed values. Nothing is cached; each call reads or writes the
// file through the platform's profile-file operations.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "inifile/IniConvert.h"
#include "ui/Classes.h"
#include "ui/Color.h"
#include "ui/Font.h"
#include "ui/StringList.h"

namespace platform {
class NamedLock;
}

namespace inifile {

using ui::TColor;
using ui::TFont;
using ui::TObject;
using ui::TStrings;

using TReadObjectEvent = std::function<TObject*(TObject* Sender, const std::u16string& Section,
                                                const std::u16string& Item,
                                                const std::u16string& Value)>;
using TWriteObjectEvent = std::function<void(TObject* Sender, const std::u16string& Section,
                                             const std::u16string& Item, TObject* Obj)>;

// The string operations are abstract; integers, booleans, floats and dates are built on them.
class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const std::u16string& FileName) : FFileName(FileName) {}
    const std::u16string& FileName() const { return FFileName; }

    virtual bool SectionExists(const std::u16string& Section);
    virtual std::u16string ReadString(const std::u16string& Section, const std::u16string& Ident,
                                      const std::u16string& Default) = 0;
    virtual void WriteString(const std::u16string& Section, const std::u16string& Ident,
                             const std::u16string& Value) = 0;
    virtual int32_t ReadInteger(const std::u16string& Section, const std::u16string& Ident,
                                int32_t Default);
    virtual void WriteInteger(const std::u16string& Section, const std::u16string& Ident,
                              int32_t Value);
    virtual bool ReadBool(const std::u16string& Section, const std::u16string& Ident,
                          bool Default);
    virtual void WriteBool(const std::u16string& Section, const std::u16string& Ident,
                           bool Value);
    virtual TDateTime ReadDate(const std::u16string& Section, const std::u16string& Name,
                               TDateTime Default);
    virtual TDateTime ReadDateTime(const std::u16string& Section, const std::u16string& Name,
                                   TDateTime Default);
    virtual double ReadFloat(const std::u16string& Section, const std::u16string& Name,
                             double Default);
    virtual TDateTime ReadTime(const std::u16string& Section, const std::u16string& Name,
                               TDateTime Default);
    virtual void WriteDate(const std::u16string& Section, const std::u16string& Name,
                           TDateTime Value);
    virtual void WriteDateTime(const std::u16string& Section, const std::u16string& Name,
                               TDateTime Value);
    virtual void WriteFloat(const std::u16string& Section, const std::u16string& Name,
                            double Value);
    virtual void WriteTime(const std::u16string& Section, const std::u16string& Name,
                           TDateTime Value);
    virtual void ReadSection(const std::u16string& Section, TStrings& Strings) = 0;
    virtual void ReadSections(TStrings& Strings) = 0;
    virtual void ReadSectionValues(const std::u16string& Section, TStrings& Strings) = 0;
    virtual void EraseSection(const std::u16string& Section) = 0;
    virtual void DeleteKey(const std::u16string& Section, const std::u16string& Ident) = 0;
    virtual void UpdateFile() = 0;
    virtual bool ValueExists(const std::u16string& Section, const std::u16string& Ident);

private:
    std::u16string FFileName;
};

// The profile-file operations as they are, without lock or encoding.
class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;
    std::u16string ReadString(const std::u16string& Section, const std::u16string& Ident,
                              const std::u16string& Default) override;
    void WriteString(const std::u16string& Section, const std::u16string& Ident,
                     const std::u16string& Value) override;
    void ReadSection(const std::u16string& Section, TStrings& Strings) override;
    void ReadSections(TStrings& Strings) override;
    void ReadSectionValues(const std::u16string& Section, TStrings& Strings) override;
    void EraseSection(const std::u16string& Section) override;
    void DeleteKey(const std::u16string& Section, const std::u16string& Ident) override;
    void UpdateFile() override;
};

class TSafeIniFile : public TIniFile {
public:
    // `AutoSave` is accepted for compatibility; every write reaches the file at once anyway.
    TSafeIniFile(const std::u16string& FileName, bool AutoSave = true);
    ~TSafeIniFile() override;
    TSafeIniFile(const TSafeIniFile&) = delete;
    TSafeIniFile& operator=(const TSafeIniFile&) = delete;

    // Several operations made one atomic step; recursive, balance every Lock with UnLock.
    void Lock();
    void UnLock();
    TSafeIniFile& ThisIniFile() { return *this; }

    bool TrimLongStrings() const { return FTrimLongStrings; }
    void SetTrimLongStrings(bool Value) { FTrimLongStrings = Value; }
    const std::u16string& ListItemName() const { return FListItemName; }
    void SetListItemName(const std::u16string& Value) { FListItemName = Value; }
    TReadObjectEvent OnReadObject;
    TWriteObjectEvent OnWriteObject;
    // Whether the lock could be had (otherwise the object works without one).
    bool HasLock() const { return FSafeMutex != nullptr; }

    // Sections and keys.
    void UpdateFile() override;
    void ReadSection(const std::u16string& Section, TStrings& Strings) override;
    void ReadSections(TStrings& Strings) override;
    void ReadSectionValues(const std::u16string& Section, TStrings& Strings) override;
    void EraseSection(const std::u16string& Section) override;
    void DeleteKey(const std::u16string& Section, const std::u16string& Ident) override;

    // Strings.
    std::u16string ReadString(const std::u16string& Section, const std::u16string& Ident,
                              const std::u16string& Default) override;
    void WriteString(const std::u16string& Section, const std::u16string& Ident,
                     const std::u16string& Value) override;
    // Encodes line breaks and splits into stored chunks; item 0's slot holds the hash when
    // there are several.
    void PutTextToList(const std::u16string& AText, TStrings& AList);
    void WriteQuotedString(const std::u16string& Section, const std::u16string& Ident,
                           const std::u16string& Value, char16_t QuotedChar = u'"');
    std::u16string ReadQuotedString(const std::u16string& Section, const std::u16string& Ident,
                                    const std::u16string& Default, char16_t QuotedChar = u'"');
    void WriteHexString(const std::u16string& Section, const std::u16string& Ident,
                        const std::u16string& Value);
    std::u16string ReadHexString(const std::u16string& Section, const std::u16string& Ident,
                                 const std::u16string& Default);
    void WriteBinaryData(const std::u16string& Section, const std::u16string& Name,
                         const void* Buffer, int32_t BufSize);
    int32_t ReadBinaryData(const std::u16string& Section, const std::u16string& Name,
                           void* Buffer, int32_t BufSize);
    void WriteWideString(const std::u16string& Section, const std::u16string& Ident,
                         const std::u16string& Value);
    std::u16string ReadWideString(const std::u16string& Section, const std::u16string& Ident,
                                  const std::u16string& Default);

    // Typed values.
    double ReadFloat(const std::u16string& Section, const std::u16string& Name,
                     double Default) override;
    void WriteFloat(const std::u16string& Section, const std::u16string& Name,
                    double Value) override;
    TDateTime ReadDate(const std::u16string& Section, const std::u16string& Name,
                       TDateTime Default) override;
    TDateTime ReadDateTime(const std::u16string& Section, const std::u16string& Name,
                           TDateTime Default) override;
    TDateTime ReadTime(const std::u16string& Section, const std::u16string& Name,
                       TDateTime Default) override;
    void WriteDate(const std::u16string& Section, const std::u16string& Name,
                   TDateTime Value) override;
    void WriteDateTime(const std::u16string& Section, const std::u16string& Name,
                       TDateTime Value) override;
    void WriteTime(const std::u16string& Section, const std::u16string& Name,
                   TDateTime Value) override;
    void WriteColor(const std::u16string& Section, const std::u16string& Ident, TColor Value);
    TColor ReadColor(const std::u16string& Section, const std::u16string& Ident, TColor Default);
    void WriteFont(const std::u16string& Section, const std::u16string& Ident, TFont& Font);
    TFont& ReadFont(const std::u16string& Section, const std::u16string& Ident, TFont& Font);
    void WriteRect(const std::u16string& Section, const std::u16string& Ident, const TRect& Value);
    TRect ReadRect(const std::u16string& Section, const std::u16string& Ident,
                   const TRect& Default);
    void WritePoint(const std::u16string& Section, const std::u16string& Ident,
                    const TPoint& Value);
    TPoint ReadPoint(const std::u16string& Section, const std::u16string& Ident,
                     const TPoint& Default);
    void WriteList(const std::u16string& Section, TStrings& List);
    TStrings& ReadList(const std::u16string& Section, TStrings& List);
    TStrings& ReadListParam(const std::u16string& Section, bool Append, TStrings& List);

protected:
    virtual void DoWriteObject(const std::u16string& Section, const std::u16string& Item,
                               int32_t Index, TObject* Obj);
    virtual TObject* DoReadObject(const std::u16string& Section, const std::u16string& Item,
                                  const std::u16string& Value);

    // One key as stored, markers decoded; `Hash` gets the chunk hash of the stored text.
    std::u16string ReadRawValue(const std::u16string& Section, const std::u16string& Key,
                                const std::u16string& Default, uint32_t* Hash = nullptr);
    // One key written, retried for a while on failure; the caller holds the lock.
    void WriteRawValue(const std::u16string& Section, const std::u16string& Key,
                       const std::u16string& Value);
    void DeleteChunkKeys(const std::u16string& Section, const std::u16string& Ident,
                         bool DeleteMain);

private:
    // Holds the lock for a scope, released also when an error passes.
    class TLockGuard {
    public:
        explicit TLockGuard(TSafeIniFile& f) : FFile(f) { f.Lock(); }
        ~TLockGuard() { FFile.UnLock(); }
        TLockGuard(const TLockGuard&) = delete;
        TLockGuard& operator=(const TLockGuard&) = delete;

    private:
        TSafeIniFile& FFile;
    };
    void CheckSection(const std::u16string& Section) const;
    void CheckIdent(const std::u16string& Ident) const;
    void RemoveKey(const std::u16string& Section, const std::u16string& Key);
    // Numbers n in [2, Count] whose key Prefix + n is present in Section.
    std::vector<int32_t> PresentNumbers(const std::u16string& Section,
                                        const std::u16string& Prefix, int32_t First,
                                        int32_t Last);

    std::unique_ptr<platform::NamedLock> FSafeMutex;
    bool FTrimLongStrings = false;
    std::u16string FListItemName = u"Item";
};

// "ini file lock mutex" + the lower-cased path, doubled backslashes folded, the characters
// " * / : < > ? \ | made underscores.
std::u16string BuildLockName(const std::u16string& FileName);

}  // namespace inifile
