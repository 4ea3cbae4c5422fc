#include "app/gui/AboutDialog.h"
#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#ifndef ORVO_FILE_VERSION
#define ORVO_FILE_VERSION "1.0.0.0"
#endif

QString fileVersionText() {
    return QStringLiteral(ORVO_FILE_VERSION);
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/orvoview-%1.png").arg(size), QSize(size, size));
    return icon;
}

CAboutDlg::CAboutDlg(const QString& programFolder, QWidget* parent) : QDialog(parent) {
    setObjectName("aboutDialog");
    setWindowTitle(QStringLiteral("バージョン情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(48, 48));
    auto* product = new QLabel(QStringLiteral("オルボ・ビュー (OrvoView)"), this);
    product->setObjectName("productName");
    auto* version = new QLabel(QStringLiteral("Version：%1").arg(fileVersionText()), this);
    version->setObjectName("versionText");
    auto* legal = new QLabel(QStringLiteral("オルボ電力記録計のデータ表示プログラム"), this);
    legal->setObjectName("legalNotice");
    auto* folder = new QLabel(QStringLiteral("プログラムフォルダ：%1").arg(programFolder), this);
    folder->setObjectName("programFolder");
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
    texts->addWidget(legal);
    texts->addWidget(folder);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}
