#pragma once
// CP932 texts of the core to and from the widgets' text (GUI files only).
#include "support/Sjis.h"
#include <QString>
#include <string>

inline QString fromCp932(const std::string& cp932) {
    return QString::fromStdString(sjis::toUtf8(cp932));
}

inline std::string toCp932(const QString& text) {
    return sjis::fromUtf8(text.toStdString());
}
