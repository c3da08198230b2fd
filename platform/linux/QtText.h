#pragma once
// UTF-16 text between the component model and Qt: both are UTF-16, so no conversion is lost.
#include <QString>
#include <string>

namespace platform::linux_ {

inline QString toQ(const std::u16string& s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), qsizetype(s.size()));
}
inline std::u16string fromQ(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), std::size_t(s.size()));
}

}  // namespace platform::linux_
