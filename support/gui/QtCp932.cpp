#include "support/gui/QtCp932.h"
#include "support/Sjis.h"

QString qtFromCp932(std::string_view cp932) {
    return QString::fromStdString(sjis::toUtf8(cp932));
}

std::string cp932FromQt(const QString& text) {
    return sjis::fromUtf8(text.toStdString());
}
