#include "views/layout/gui/JapaneseFonts.h"
#include <QApplication>
#include <QFont>
#include <QStringList>

namespace {

// Fixed-pitch faces go to IPAGothic, proportional ones to IPAPGothic; the rest of each list is
// what fontconfig may know on other installations.
QStringList fixedFaces() {
    return {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
            QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic")};
}

QStringList proportionalFaces() {
    return {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")};
}

} // namespace

void installJapaneseFontSubstitutes() {
    const QStringList fixed = fixedFaces();
    const QStringList proportional = proportionalFaces();
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), fixed);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), fixed);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), proportional);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), proportional);
    QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), proportional);
}

void useProportionalUiFont() {
    QFont font = QApplication::font();
    // The platform's family stays last: what to use where none of ours is installed.
    font.setFamilies(proportionalFaces() << font.family());
    QApplication::setFont(font);
}
