#pragma once
#include <QDialog>

// バージョン情報: product name, legal notice and the file version.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

// The program's file version text ("1.0.0.0").
QString fileVersionText();
