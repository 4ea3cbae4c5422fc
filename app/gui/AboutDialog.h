#pragma once
#include <QDialog>
#include <QIcon>

// バージョン情報: product name, legal notice, the file version and the program folder in use
// (native path), so a user can find the INI file and "DATA/Orvo.DAT".
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const QString& programFolder = QString(), QWidget* parent = nullptr);
};

// The program's file version text ("1.0.0.0").
QString fileVersionText();
// The program's own icon in all its sizes.
QIcon programIcon();
