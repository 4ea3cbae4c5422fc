#include "support/gui/QtPath.h"

#include <QFile>

std::filesystem::path pathFromQt(const QString& text) {
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

QString qtFromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}
