#pragma once
// CP932 texts of the core to and from the widgets (GUI side only).
#include "support/Sjis.h"
#include <QString>
#include <string>
#include <string_view>

namespace sjis {

inline QString toQString(std::string_view cp932) {
    return QString::fromStdString(toUtf8(cp932));
}

inline std::string fromQString(const QString& text) {
    return fromUtf8(text.toStdString());
}

} // namespace sjis
