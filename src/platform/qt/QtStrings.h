#pragma once
// The core's UTF-16 strings and Qt's QString hold the same code units; only the types differ.

#include <QString>
#include <string>

namespace tabora::platform::qt {

inline QString ToQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string ToU16(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}

}  // namespace tabora::platform::qt
