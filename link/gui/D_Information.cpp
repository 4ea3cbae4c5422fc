#include "link/gui/D_Information.h"
#include "link/gui/AnimateCtrl.h"
#include "res/ResourceIds.h"
#include <QHBoxLayout>
#include <QLabel>

CInformation::CInformation(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName("informationWindow");
    setWindowTitle(QStringLiteral("ｲﾝﾌｫﾒｰｼｮﾝ"));
    setFont(QFont(QStringLiteral("MS UI Gothic"), 9));
    m_animation = new CAnimateCtrl(this);
    m_animation->setObjectName("animation");
    m_animation->setProperty("controlId", res::IDC_STATIC);
    m_animation->setAccessibleName(QStringLiteral("処理中"));
    m_text = new QLabel(text, this);
    m_text->setObjectName("informationText");
    m_text->setProperty("controlId", res::IDC_STATIC);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_animation);
    layout->addWidget(m_text, 1);
    layout->setContentsMargins(16, 16, 16, 16);
    m_animation->play();
}
