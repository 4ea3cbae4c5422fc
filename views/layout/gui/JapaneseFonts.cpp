#include "views/layout/gui/JapaneseFonts.h"
#include <QFont>
#include <QStringList>

void installJapaneseFontSubstitutes() {
    // Fixed-pitch faces go to IPAGothic, proportional ones to IPAPGothic; the rest of the
    // list is what fontconfig may know on other installations.
    const QStringList fixed{QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                            QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("VL Gothic")};
    const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                   QStringLiteral("Noto Sans CJK JP"),
                                   QStringLiteral("VL PGothic")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), fixed);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), fixed);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), proportional);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), proportional);
    QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), proportional);
}
