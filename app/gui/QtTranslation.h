#pragma once
class QCoreApplication;
class QTranslator;

// Qt's own texts (file dialogs, printer setup, print preview, the edit fields' context menus)
// in Japanese like the rest of the program, whatever the user's locale: "qtbase_ja" from Qt's
// translations folder (Debian: qt6-translations-l10n). Returns the installed translator, owned
// by the application; null when the file is missing (Qt's texts then stay English).
QTranslator* installQtTranslation(QCoreApplication& app);
