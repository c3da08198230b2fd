// The lock, the raw access to one key, and the section and key operations.
#include <chrono>

#include "inifile/IniContext.h"
#include "inifile/ProfileAccess.h"
#include "inifile/SafeIniFiles.h"
#include "platform/Platform.h"
#include "ui/Text.h"

namespace inifile {

using detail::profiles;
using detail::WithContext;

namespace {
constexpr char16_t kLockPrefix[] = u"ini file lock mutex";
constexpr char16_t kGlobalPrefix[] = u"Global\\";
constexpr uint32_t WriteRetryTimeout = 1000;  // ms a failing key write is retried
constexpr uint32_t WriteRetryPause = 20;      // ms between two attempts
constexpr uint32_t kReadBufferSize = 65535;   // characters, NUL included
constexpr uint32_t kShortReadSize = 1024;     // characters, NUL included
constexpr char16_t NewlineMarker[] = u"<@\\n@>";

bool isFatalWriteError(uint32_t code) {
    return code == platform::ERROR_PATH_NOT_FOUND || code == platform::ERROR_BUFFER_OVERFLOW ||
           code == platform::ERROR_DISK_FULL || code == platform::ERROR_INVALID_NAME;
}
}  // namespace

std::u16string BuildLockName(const std::u16string& FileName) {
    std::u16string name = kLockPrefix + LowerText(FileName);
    for (std::size_t p; (p = name.find(u"\\\\")) != std::u16string::npos;) name.erase(p, 1);
    for (char16_t& c : name)
        if (std::u16string_view(u"\"*/:<>?\\|").find(c) != std::u16string_view::npos) c = u'_';
    return name;
}

TSafeIniFile::TSafeIniFile(const std::u16string& FileName, bool /*AutoSave*/)
    : TIniFile(FileName) {
    std::u16string lockName = BuildLockName(FileName);
    auto& locks = platform::thePlatform().namedLocks();
    FSafeMutex = locks.Create(kGlobalPrefix + lockName, nullptr);
    if (!FSafeMutex) FSafeMutex = locks.Create(lockName, nullptr);
}

TSafeIniFile::~TSafeIniFile() {
    try {
        TLockGuard g(*this);
        UpdateFile();
    } catch (...) {
        // A destructor reports nothing; the flush has no result worth raising.
    }
}

void TSafeIniFile::Lock() {
    if (FSafeMutex) FSafeMutex->Wait(platform::INFINITE);
}

void TSafeIniFile::UnLock() {
    if (FSafeMutex) FSafeMutex->Release();
}

void TSafeIniFile::CheckSection(const std::u16string& Section) const {
    if (Section.empty())
        throw ui::EIniFileException(u"Не указано название секции. Имя файла: %s", {FileName()});
}

void TSafeIniFile::CheckIdent(const std::u16string& Ident) const {
    if (Ident.empty())
        throw ui::EIniFileException(u"Не указано название переменной. Имя файла: %s",
                                    {FileName()});
}

std::u16string TSafeIniFile::ReadRawValue(const std::u16string& Section,
                                          const std::u16string& Key,
                                          const std::u16string& Default, uint32_t* Hash) {
    // Settings values are short: a small buffer first, and only a value that fills it is read
    // again into the full one. A full-size buffer kept for reuse held 128 KiB all day.
    std::u16string buffer(kShortReadSize, u'\0');
    auto read = [&] {
        return profiles().GetPrivateProfileString(Section.c_str(), Key.c_str(), Default.c_str(),
                                                  buffer.data(), uint32_t(buffer.size()),
                                                  FileName());
    };
    uint32_t n = read();
    if (n + 1 >= kShortReadSize) {
        buffer.assign(kReadBufferSize, u'\0');
        n = read();
    }
    std::u16string_view raw(buffer.data(), n < buffer.size() ? n : buffer.size() - 1);
    raw = raw.substr(0, raw.find(u'\0'));
    if (Hash) *Hash = ChunkHash(raw);
    std::u16string result;
    result.reserve(raw.size());
    constexpr std::size_t markerLen = sizeof(NewlineMarker) / sizeof(char16_t) - 1;
    for (std::size_t i = 0; i < raw.size();) {
        if (raw.compare(i, markerLen, NewlineMarker) == 0) {
            result += u"\r\n";
            i += markerLen;
        } else {
            result += raw[i++];
        }
    }
    return result;
}

void TSafeIniFile::WriteRawValue(const std::u16string& Section, const std::u16string& Key,
                                 const std::u16string& Value) {
    auto& loop = platform::thePlatform().loop();
    auto& clock = platform::thePlatform().timers();
    // A monotonic tick: a change of the wall clock neither cuts nor stretches the retries.
    const uint32_t start = clock.GetTickCount();
    for (;;) {
        if (profiles().WritePrivateProfileString(Section.c_str(), Key.c_str(), Value.c_str(),
                                                 FileName()))
            return;
        uint32_t code = profiles().GetLastError();
        if (clock.GetTickCount() - start > WriteRetryTimeout || isFatalWriteError(code))
            throw ui::EIniFileException(
                ui::Format(u"%s -> %s", {profiles().FormatMessage(code),
                                         u"Unable to write to " + FileName()}));
        loop.Block(WriteRetryPause);
    }
}

void TSafeIniFile::RemoveKey(const std::u16string& Section, const std::u16string& Key) {
    profiles().WritePrivateProfileString(Section.c_str(), Key.c_str(), nullptr, FileName());
}

void TSafeIniFile::DeleteKey(const std::u16string& Section, const std::u16string& Ident) {
    WithContext(u"TSafeIniFile.DeleteKey", [&] {
        CheckSection(Section);
        CheckIdent(Ident);
        TLockGuard g(*this);
        if (FTrimLongStrings)
            RemoveKey(Section, Ident);
        else
            DeleteChunkKeys(Section, Ident, true);
    });
}

void TSafeIniFile::EraseSection(const std::u16string& Section) {
    WithContext(u"TSafeIniFile.EraseSection", [&] {
        CheckSection(Section);
        TLockGuard g(*this);
        if (!profiles().WritePrivateProfileString(Section.c_str(), nullptr, nullptr, FileName()))
            throw ui::EIniFileException(u"Unable to write to %s", {FileName()});
    });
}

namespace {
// Fills a list with its change notice held back, then fires it once.
template <class F>
void fillQuietly(TStrings& Strings, F&& fill) {
    ui::TNotifyEvent saved = std::move(Strings.OnChange);
    Strings.OnChange = nullptr;
    try {
        fill();
    } catch (...) {
        Strings.OnChange = std::move(saved);
        throw;
    }
    Strings.OnChange = std::move(saved);
    if (Strings.OnChange) Strings.OnChange(&Strings);
}
}  // namespace

void TSafeIniFile::ReadSection(const std::u16string& Section, TStrings& Strings) {
    WithContext(u"TSafeIniFile.ReadSection", [&] {
        CheckSection(Section);
        TLockGuard g(*this);
        uint32_t n = 0;
        std::u16string buf = detail::ReadList(Section.c_str(), 1024, FileName(), n);
        fillQuietly(Strings, [&] {
            Strings.Clear();
            detail::FillList(buf, n, Strings);
        });
    });
}

void TSafeIniFile::ReadSections(TStrings& Strings) {
    TLockGuard g(*this);
    uint32_t n = 0;
    std::u16string buf = detail::ReadList(nullptr, 16384, FileName(), n);
    Strings.Clear();
    detail::FillList(buf, n, Strings);
}

void TSafeIniFile::ReadSectionValues(const std::u16string& Section, TStrings& Strings) {
    WithContext(u"TSafeIniFile.ReadSectionValues", [&] {
        CheckSection(Section);
        TLockGuard g(*this);
        ui::TStringList keys;
        ReadSection(Section, keys);
        Strings.Clear();
        for (int i = 0; i < keys.Count(); ++i)
            Strings.Add(keys.Strings(i) + u"=" + ReadString(Section, keys.Strings(i), u""));
    });
}

void TSafeIniFile::UpdateFile() {
    TLockGuard g(*this);
    profiles().WritePrivateProfileString(nullptr, nullptr, nullptr, FileName());
}

}  // namespace inifile
