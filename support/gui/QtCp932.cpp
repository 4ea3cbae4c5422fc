#include "support/gui/QtCp932.h"

QString qtFromCp932(std::string_view cp932) {
    return QString::fromStdString(sjis::toUtf8(cp932));
}

std::optional<std::string> cp932FromQt(const QString& text, sjis::Spelling spelling) {
    return sjis::fromUtf8(text.toStdString(), spelling);
}
