#include "app/gui/QtTranslation.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator* installQtTranslation(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}
